// trend_bench_repaint: full-view repaint of 1,000,000 rows x 8 series in an 873 x 701 window,
// the viewer's chart against QCustomPlot's own QCPGraph (adaptive sampling on) fed the same
// data, measured in one run. Run with QT_QPA_PLATFORM=offscreen where there is no display.
//   trend_bench_repaint [ROWS] [REPEAT] [PNG_PREFIX]   (PNG_PREFIX: save both pictures)
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "TrendChart.h"
#include "TrendViewState.h"

namespace {

double secondsOf(const std::function<void()>& action, int repeat) {
    double best = 1e30;
    for (int i = 0; i < repeat; ++i) {
        const auto start = std::chrono::steady_clock::now();
        action();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const size_t rows = argc > 1 ? static_cast<size_t>(std::atol(argv[1])) : 1000000;
    const int repeat = argc > 2 ? std::atoi(argv[2]) : 5;
    constexpr size_t kSeries = 8;

    // The same signals for both charts: slow drifts with noise, a null point now and then.
    trend::TrendViewState state;
    trend::TrendDataSet& data = state.Chart1;
    for (size_t i = 1; i < kSeries; ++i) {
        auto series = std::make_shared<trend::TrendSeries>();
        series->Format.SmallDots = true;
        series->Format.Pointer = {true, static_cast<int>(i), 2, 2};
        data.AddSeries(series);
    }
    std::vector<double> values(kSeries);
    std::vector<uint8_t> nulls(kSeries);
    unsigned seed = 7;
    const double start = 44270.0;
    for (size_t r = 0; r < rows; ++r) {
        for (size_t i = 0; i < kSeries; ++i) {
            seed = seed * 1103515245u + 12345u;
            values[i] = 10.0 * static_cast<double>(i) +
                        5.0 * std::sin(static_cast<double>(r) / 5000.0 + i) +
                        static_cast<double>(seed >> 16 & 0xFF) / 256.0;
            nulls[i] = r % 1000 == 999;
        }
        data.AddRow(start + static_cast<double>(r) / 86400.0, values, nulls);
    }

    trend::TrendChart ours;
    ours.resize(873 - 220 - 140, 701 - 73 - 155);  // the chart's share of the window
    ours.show();
    ours.showSeries(data);
    ours.showView(state);

    QCustomPlot stock;
    stock.resize(ours.plot()->size());
    stock.show();
    stock.setAntialiasedElements(QCP::aePlottables);
    for (size_t i = 0; i < kSeries; ++i) {
        QCPGraph* graph = stock.addGraph();
        graph->setAdaptiveSampling(true);
        graph->setPen(QPen(QColor::fromHsv(static_cast<int>(i * 40), 255, 200), 1, Qt::DotLine));
        QVector<QCPGraphData> points(static_cast<qsizetype>(rows));
        const auto times = data.times();
        const auto series = data.Series(i).values();
        const auto nullIndex = data.Series(i).nullIndices();
        size_t nextNull = 0;
        for (size_t r = 0; r < rows; ++r) {
            double v = series[r];
            if (nextNull < nullIndex.size() && nullIndex[nextNull] == r) {
                v = qQNaN();  // a gap in QCPGraph's terms
                ++nextNull;
            }
            points[static_cast<qsizetype>(r)] = QCPGraphData(times[r], v);
        }
        graph->data()->set(points, true);
    }
    stock.rescaleAxes();
    app.processEvents();

    const double stockSeconds =
        secondsOf([&] { stock.replot(QCustomPlot::rpImmediateRefresh); }, repeat);
    const double oursSeconds =
        secondsOf([&] { ours.plot()->replot(QCustomPlot::rpImmediateRefresh); }, repeat);
    std::printf("full-view repaint, %zu rows x %zu series, %dx%d plot\n", rows, kSeries,
                ours.plot()->width(), ours.plot()->height());
    std::printf("QCPGraph (adaptive sampling)  %.4f s\n", stockSeconds);
    std::printf("viewer chart                  %.4f s   ratio %.1fx  (goal >= 4x)\n", oursSeconds,
                stockSeconds / oursSeconds);
    if (argc > 3) {
        ours.plot()->savePng(QString::fromLocal8Bit(argv[3]) + QStringLiteral("-viewer.png"));
        stock.savePng(QString::fromLocal8Bit(argv[3]) + QStringLiteral("-qcpgraph.png"));
    }
    return 0;
}
