#include "TrendChart.h"

#include <QGridLayout>
#include <QSignalBlocker>
#include <algorithm>

#include "QtText.h"
#include "TrendLegendItem.h"
#include "TrendSeriesPlottable.h"
#include "TrendTimeTicker.h"

namespace trend {

TrendChart::TrendChart(QWidget* parent)
    : QWidget(parent),
      plot_(new TrendPlot(this)),
      ticker_(new TrendTimeTicker),
      label4_(new QLabel(plot_)),
      label2_(new QLabel(plot_)),
      label3_(new QLabel(plot_)),
      scrollBar1_(new QScrollBar(Qt::Horizontal, this)),
      scrollBar2_(new QScrollBar(Qt::Vertical, this)) {
    setObjectName(QStringLiteral("Chart1"));
    label4_->setObjectName(QStringLiteral("Label4"));
    label2_->setObjectName(QStringLiteral("Label2"));
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    scrollBar1_->setObjectName(QStringLiteral("ScrollBar1"));
    scrollBar2_->setObjectName(QStringLiteral("ScrollBar2"));
    for (QLabel* label : {label4_, label2_, label3_}) {
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scrollBar2_, 0, 0);
    layout->addWidget(plot_, 0, 1);
    layout->addWidget(scrollBar1_, 1, 0, 1, 2);

    plot_->setAntialiasedElements(QCP::aePlottables);
    plot_->setAutoAddPlottableToLegend(false);
    plot_->plotLayout()->insertRow(0);
    title_ = new QCPTextElement(plot_, QStringLiteral("TChart"));
    plot_->plotLayout()->addElement(0, 0, title_);
    plot_->plotLayout()->insertRow(1);
    plot_->axisRect()->insetLayout()->take(plot_->legend);
    plot_->plotLayout()->addElement(1, 0, plot_->legend);
    plot_->plotLayout()->setRowStretchFactor(0, 0.001);
    plot_->plotLayout()->setRowStretchFactor(1, 0.001);
    plot_->legend->setVisible(true);
    plot_->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    plot_->legend->setWrap(8);
    plot_->legend->setBorderPen(Qt::NoPen);
    plot_->legend->setBrush(Qt::NoBrush);
    plot_->axisRect()->setMargins(QMargins(0, 2, 0, 8));

    plot_->xAxis->setTicker(ticker_);
    plot_->yAxis2->setVisible(true);
    for (QCPAxis* axis : {plot_->yAxis, plot_->yAxis2}) {
        axis->setNumberFormat(QStringLiteral("f"));
        axis->setNumberPrecision(1);
    }

    connect(plot_, &QCustomPlot::legendClick, this,
            [this](QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent*) {
                auto* entry = qobject_cast<TrendLegendItem*>(item);
                if (entry == nullptr) {
                    return;
                }
                auto at = std::find(plottables_.begin(), plottables_.end(), entry->plottable());
                if (at != plottables_.end()) {
                    emit legendCheckClicked(static_cast<int>(at - plottables_.begin()));
                }
            });
}

TrendChart::~TrendChart() = default;

void TrendChart::setRegional(const RegionalSettings& regional) {
    ticker_->setRegional(regional);
}

void TrendChart::showSeries(const TrendDataSet& dataSet) {
    std::vector<TrendDataSet::SeriesPtr> current;
    for (size_t i = 0; i < dataSet.SeriesCount(); ++i) {
        current.push_back(dataSet.SeriesHandle(i));
    }
    if (current != shownSeries_ || data_ != &dataSet) {
        for (TrendSeriesPlottable* p : plottables_) {
            plot_->removePlottable(p);
        }
        plottables_.clear();
        plot_->legend->clearItems();
        for (const auto& series : current) {
            QCPAxis* valueAxis =
                series->VertAxis == VertAxisSide::Right ? plot_->yAxis2 : plot_->yAxis;
            auto* plottable = new TrendSeriesPlottable(plot_->xAxis, valueAxis, dataSet, series);
            plottables_.push_back(plottable);
            plot_->legend->addItem(new TrendLegendItem(plot_->legend, plottable));
        }
        shownSeries_ = std::move(current);
        data_ = &dataSet;
    }
    for (TrendSeriesPlottable* p : plottables_) {
        QCPAxis* valueAxis =
            p->series()->VertAxis == VertAxisSide::Right ? plot_->yAxis2 : plot_->yAxis;
        if (p->valueAxis() != valueAxis) {
            p->setValueAxis(valueAxis);
        }
        p->applySeriesFormat();
    }
}

namespace {
void applyAxis(QCPAxis* axis, const AxisModel& model) {
    if (model.Maximum > model.Minimum) {
        axis->setRange(model.Minimum, model.Maximum);
    }
}
}  // namespace

void TrendChart::showView(TrendViewState& state) {
    TrendDataSet& dataSet = state.Chart1;
    QStringList lines;
    for (const auto& line : dataSet.TitleText) {
        lines << toQ(line);
    }
    title_->setText(lines.join(QLatin1Char('\n')));
    plot_->xAxis->setLabel(toQ(dataSet.BottomAxisTitle));
    if (state.BottomAxis.Automatic && dataSet.SeriesCount() > 0 && dataSet.Count() > 0) {
        state.BottomAxis.fitAutomatic(dataSet.MinXValue(), dataSet.MaxXValue());
    }
    applyAxis(plot_->xAxis, state.BottomAxis);
    for (auto [axis, model] :
         {std::pair{plot_->yAxis, &state.LeftAxis}, std::pair{plot_->yAxis2, &state.RightAxis}}) {
        if (model->Automatic) {
            bool found = false;
            QCPRange range;
            for (TrendSeriesPlottable* p : plottables_) {
                if (p->valueAxis() != axis) {
                    continue;
                }
                bool any = false;
                const QCPRange r = p->getValueRange(any);
                if (any) {
                    range = found ? QCPRange(std::min(range.lower, r.lower),
                                             std::max(range.upper, r.upper))
                                  : r;
                    found = true;
                }
            }
            if (found) {
                model->fitAutomatic(range.lower, range.upper);
            }
        }
        applyAxis(axis, *model);
    }
}

void TrendChart::readAxes(TrendViewState& state) const {
    const QCPRange key = plot_->xAxis->range();
    state.BottomAxis.SetMinMax(key.lower, key.upper);
    const QCPRange left = plot_->yAxis->range();
    state.LeftAxis.SetMinMax(left.lower, left.upper);
    const QCPRange right = plot_->yAxis2->range();
    state.RightAxis.SetMinMax(right.lower, right.upper);
}

void TrendChart::setTimeLabelPattern(const std::string& pattern) {
    ticker_->setPattern(pattern);
}

void TrendChart::repaintNow() {
    plot_->replot(QCustomPlot::rpImmediateRefresh);
}

void TrendChart::showScrollBar(QScrollBar* bar, const ScrollBarModel& model) {
    const QSignalBlocker blocker(bar);
    // A bar's thumb spans PageSize of the range Min .. Max, as the window's bars do.
    const int page = std::max(0, model.PageSize());
    const int last = std::max(model.Min(), model.Max() - std::max(0, page - 1));
    bar->setRange(model.Min(), last);
    bar->setPageStep(std::max(1, page));
    bar->setSingleStep(1);
    bar->setValue(std::clamp(model.Position(), model.Min(), last));
}

void TrendChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeLabels();
}

void TrendChart::placeLabels() {
    const int width = plot_->width();
    const int height = plot_->height();
    label4_->setGeometry(4, 2, std::max(80, width / 3), 16);
    label2_->setGeometry(4, height - 18, 120, 16);
    label3_->setGeometry(width - 124, height - 18, 120, 16);
}

}  // namespace trend
