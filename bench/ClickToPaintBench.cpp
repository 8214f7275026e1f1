// trend_bench_click_to_paint: from the click on "ReadFile" to the first complete paint of the
// chart for that file, against the loader alone on the same file, measured in one run.
//   trend_bench_click_to_paint FILE [REPEAT]      (QT_QPA_PLATFORM=offscreen without a display)
#include <QApplication>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "MainUnit1.h"
#include "PlatformPath.h"
#include "TrendChart.h"
#include "TrendFileReader.h"
#include "ui_MainUnit1.h"

namespace {
using Clock = std::chrono::steady_clock;
double since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: trend_bench_click_to_paint FILE [REPEAT]\n");
        return 64;
    }
    const std::filesystem::path file = std::filesystem::absolute(argv[1]);
    const int repeat = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::filesystem::path program =
        std::filesystem::temp_directory_path() / "trend-bench-program";
    std::filesystem::create_directories(program);

    double loaderBest = 1e30;
    double clickBest = 1e30;
    for (int run = 0; run < repeat; ++run) {
        {
            trend::TrendViewState state;
            trend::TrendFileReader reader(state);
            trend::SingleFileHooks hooks(file.string());
            const auto start = Clock::now();
            reader.Button1Click({"0", "100000", 0}, hooks);
            loaderBest = std::min(loaderBest, since(start));
        }
        trend::TForm1 form(QString::fromStdString((program / "TrendViewer").string()));
        form.resize(873, 701);
        form.show();
        app.processEvents();
        trend::FolderBrowser& browser = form.browser();
        browser.FDataFolder = file.parent_path().string();
        browser.ListBox2.Assign({file.filename().string()});
        browser.ListBox2.setItemIndex(0);
        form.mirrorBrowser();
        bool painted = false;
        QObject::connect(form.chart().plot(), &QCustomPlot::afterReplot, [&] { painted = true; });
        const auto start = Clock::now();
        form.Button1Click(form.form().Button1);
        while (!painted || form.state().Chart1.Count() == 0) {
            app.processEvents(QEventLoop::AllEvents);
        }
        clickBest = std::min(clickBest, since(start));
    }
    std::printf("loader alone            %.3f s\n", loaderBest);
    std::printf("click to first paint    %.3f s   ratio %.2f  (goal <= 1.3)\n", clickBest,
                clickBest / loaderBest);
    return 0;
}
