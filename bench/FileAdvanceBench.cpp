// trend_bench_advance: the file advance's share of a consecutive run.
//
// A generated data root holds one device per layout, each with 1,000 trend files of 1,440 rows
// (a day at one row a minute, three value columns): the DIAGDATA device in month folders inside
// year folders, the plug-in device in 1,000 day folders side by side. A consecutive run reads
// them all as one click; the advance is timed inside the run, so its share is measured against
// the run it belongs to.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "FolderBrowser.h"
#include "FolderScan.h"
#include "Mydatetimeunit.h"
#include "PlatformPath.h"
#include "RunControl.h"
#include "TrendFileReader.h"

namespace {

constexpr int kFiles = 1000;
constexpr int kRowsPerFile = 1440;

std::string gRoot;

struct Layout {
    const char* device;
    bool plugIn;
};
constexpr Layout kDiagData{"FT", false};
constexpr Layout kPlugIn{"TIC", true};

void writeDay(const std::string& path, trend::TDateTime day) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        throw std::runtime_error("cannot write " + path);
    }
    const char* pattern = "yyyy'/'mm'/'dd hh':'nn':'ss";
    std::fprintf(out, "HART diagnostic trend\r\nDevice,DEV\r\nDEV %s\r\nDate Time,PV,SV,MV\r\n",
                 trend::FormatDateTime(pattern, day).c_str());
    for (int r = 0; r < kRowsPerFile; ++r) {
        const double pv = 50.0 + 10.0 * ((r / 90) % 3) + 0.001 * (r % 997);
        std::fprintf(out, "%s,%.3f,%.1f,%.2f\r\n",
                     trend::FormatDateTime(pattern, trend::IncSecond(day, 60LL * r)).c_str(), pv,
                     50.0 + 10.0 * ((r / 240) % 3), 40.0 + 0.01 * (r % 1000));
    }
    std::fclose(out);
}

// The folder of day d and its file name.
std::pair<std::string, std::string> dayFile(const Layout& layout, int d) {
    const trend::TDateTime day = static_cast<double>(trend::EncodeDate(2023, 1, 1) + d);
    const std::string year = trend::FormatDateTime("yyyy", day);
    const std::string month = trend::FormatDateTime("mm", day);
    const std::string date = trend::FormatDateTime("yyyymmdd", day);
    std::string folder = trend::JoinPath(gRoot, layout.device);
    if (layout.plugIn) {
        folder = trend::JoinPath(folder, trend::FormatDateTime("yyyy'-'mm'-'dd", day));
    } else {
        folder = trend::JoinPath(trend::JoinPath(trend::JoinPath(folder, "DIAGDATA"), year), month);
    }
    return {folder, std::string(layout.device) + "_Trend_" + date + ".csv"};
}

void writeDevice(const Layout& layout) {
    for (int d = 0; d < kFiles; ++d) {
        const auto [folder, name] = dayFile(layout, d);
        std::filesystem::create_directories(folder);
        writeDay(trend::JoinPath(folder, name),
                 static_cast<double>(trend::EncodeDate(2023, 1, 1) + d));
    }
}

// The browser with the device's first file selected, as after walking down to it.
void openFirstFile(trend::FolderBrowser& browser, const Layout& layout) {
    const auto [folder, name] = dayFile(layout, 0);
    browser.CheckBox1 = layout.plugIn;
    if (!layout.plugIn) {
        browser.ListBox2.setSorted(true);
        const std::string diagData = trend::ParentPath(trend::ParentPath(folder));
        browser.ListBox3.Add(diagData);
        browser.ListBox3.Add(trend::ParentPath(folder));
    } else {
        browser.ListBox3.Add(trend::ParentPath(folder));
    }
    browser.ListBox3.Add(folder);
    browser.FDataFolder = folder;
    trend::ListFolderEntries(browser.ListBox2, folder, browser.FTrendFileMark);
    browser.ListBox2.setItemIndex(browser.ListBox2.IndexOf(name));
}

// The window's hooks, with the advance timed.
class TimedHooks : public trend::BrowserRunHooks {
public:
    using BrowserRunHooks::BrowserRunHooks;
    bool advanceToNextFile() override {
        const auto start = std::chrono::steady_clock::now();
        const bool next = BrowserRunHooks::advanceToNextFile();
        advanceSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++advances;
        return next;
    }
    double advanceSeconds = 0.0;
    long advances = 0;
};

void consecutiveRun(benchmark::State& state, const Layout& layout) {
    double advanceSeconds = 0.0;
    double runSeconds = 0.0;
    size_t files = 0;
    size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        trend::FolderBrowser browser;
        openFirstFile(browser, layout);
        trend::TrendViewState view;
        trend::TrendFileReader reader(view);
        trend::RunControlHooks control;
        control.CheckBox3 = [] { return true; };
        control.Edit2 = [] { return std::string("0"); };
        TimedHooks hooks(browser, view, control);
        state.ResumeTiming();

        const auto start = std::chrono::steady_clock::now();
        const trend::RunProgress progress = reader.Button1Click({"0", "100000000", 0}, hooks);
        runSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        advanceSeconds += hooks.advanceSeconds;
        files = progress.filesRead;
        rows = progress.rowsAccepted;
    }
    if (files != kFiles || rows != static_cast<size_t>(kFiles) * kRowsPerFile) {
        state.SkipWithError("the run did not read every file");
        return;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["files"] = static_cast<double>(files);
    state.counters["run_s"] = runSeconds / iterations;
    state.counters["advance_ms"] = 1e3 * advanceSeconds / iterations;
    state.counters["advance_share_pct"] = 100.0 * advanceSeconds / runSeconds;
}

// The reading of the same 1,000 files without the run: each file read alone ("ReadFile"), so
// the cost of reading a file does not grow with the trend gathered before it.
void readEachFile(benchmark::State& state, const Layout& layout) {
    std::vector<std::string> paths;
    for (int d = 0; d < kFiles; ++d) {
        const auto [folder, name] = dayFile(layout, d);
        paths.push_back(trend::JoinPath(folder, name));
    }
    size_t rows = 0;
    double perFile = 0.0;
    for (auto _ : state) {
        trend::TrendViewState view;
        trend::TrendFileReader reader(view);
        rows = 0;
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& path : paths) {
            trend::SingleFileHooks hooks(path);
            rows += reader.Button1Click({"0", "100000", 0}, hooks).rowsAccepted;
        }
        perFile += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (rows != static_cast<size_t>(kFiles) * kRowsPerFile) {
        state.SkipWithError("not every row was read");
        return;
    }
    state.counters["per_file_us"] =
        1e6 * perFile / (static_cast<double>(kFiles) * static_cast<double>(state.iterations()));
}

// The advance alone, over the same 1,000 files, without reading them.
void advanceWalk(benchmark::State& state, const Layout& layout) {
    long steps = 0;
    double walkSeconds = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        trend::FolderBrowser browser;
        openFirstFile(browser, layout);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        steps = 1;
        while (browser.AdvanceToNextFile()) {
            ++steps;
        }
        walkSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (steps != kFiles) {
        state.SkipWithError("the walk did not meet every file");
        return;
    }
    state.counters["per_file_us"] =
        1e6 * walkSeconds / (static_cast<double>(steps) * static_cast<double>(state.iterations()));
}

BENCHMARK_CAPTURE(consecutiveRun, diagdata, kDiagData)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(consecutiveRun, plugin, kPlugIn)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(readEachFile, diagdata, kDiagData)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readEachFile, plugin, kPlugIn)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(advanceWalk, diagdata, kDiagData)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(advanceWalk, plugin, kPlugIn)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    std::string pattern = (std::filesystem::temp_directory_path() / "trend-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    gRoot = pattern;
    int status = 0;
    try {
        writeDevice(kDiagData);
        writeDevice(kPlugIn);
        // A data root is read long after it was written; folders written a moment ago are
        // scanned afresh every time (FolderScanCache).
        std::this_thread::sleep_for(std::chrono::milliseconds(3500));
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "trend_bench_advance: %s\n", error.what());
        status = 1;
    }
    std::error_code ignored;
    std::filesystem::remove_all(gRoot, ignored);
    return status;
}
