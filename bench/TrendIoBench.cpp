// trend_bench_io: times the engine's own steps on a generated file, for bench/reader_vs_pandas.py.
//   trend_bench_io load FILE          seconds to read FILE as "ReadFile" does
//   trend_bench_io write FILE OUT     seconds to write the summary file of FILE's trend to OUT
//   trend_bench_io addfile BIG EARLY  seconds to add EARLY (an earlier file) to BIG, and to read
//                                     EARLY alone
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "PlatformPath.h"
#include "SummaryWriter.h"
#include "TrendFileReader.h"

namespace {

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void click(trend::TrendFileReader& reader, const std::string& path, int tag) {
    trend::SingleFileHooks hooks(path);
    reader.Button1Click({"0", "100000", tag}, hooks);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: trend_bench_io load|write|addfile FILE [FILE2]\n");
        return 64;
    }
    const std::string command = argv[1];
    trend::TrendViewState state;
    trend::TrendFileReader reader(state);
    if (command == "load") {
        auto start = std::chrono::steady_clock::now();
        click(reader, argv[2], 0);
        const trend::TrendDataSet& data = state.Chart1;
        const double cells = static_cast<double>(data.Count() * data.SeriesCount());
        std::printf("load %.6f rows %zu bytes_per_cell %.2f\n", seconds(start), data.Count(),
                    cells > 0 ? static_cast<double>(data.memoryBytes()) / cells : 0.0);
    } else if (command == "write" && argc == 4) {
        click(reader, argv[2], 0);
        std::FILE* out = std::fopen(argv[3], "wb");
        auto start = std::chrono::steady_clock::now();
        trend::WriteSummary(out, state.Chart1, "UTC +0.0 UTC Ignore Day Light Saving");
        std::fclose(out);
        std::printf("write %.6f\n", seconds(start));
    } else if (command == "addfile" && argc == 4) {
        trend::TrendViewState alone;
        trend::TrendFileReader aloneReader(alone);
        auto start = std::chrono::steady_clock::now();
        click(aloneReader, argv[3], 0);
        const double readAlone = seconds(start);
        click(reader, argv[2], 0);
        start = std::chrono::steady_clock::now();
        click(reader, argv[3], 1);
        const double add = seconds(start);
        std::printf("addfile %.6f alone %.6f rows %zu\n", add, readAlone, state.Chart1.Count());
    } else {
        std::fprintf(stderr, "trend_bench_io: unknown command %s\n", command.c_str());
        return 64;
    }
    return 0;
}
