#include <cstdio>

#include "Mydatetimeunit.h"
#include "NumberText.h"
#include "TrendToolCommands.h"
#include "TrendToolLoad.h"

namespace trendtool {

const char* const kInfoUsage =
    "usage: trendtool info [load options] FOLDER NAME [NAME...]\n"
    "\n"
    "Loads the files as export does and prints the device title, the time range, the rows,\n"
    "the sample interval, and per column its title, points, null points, smallest and largest\n"
    "value.\n";

int RunInfo(const std::vector<std::string>& args) {
    ToolOptions options(args, kLoadValuedOptions, kLoadFlagOptions);
    if (options.help()) {
        std::printf("%s\nload options:\n%s", kInfoUsage, kLoadOptionsHelp);
        return kExitOk;
    }
    trend::TrendViewState state;
    if (int status = LoadTrend(options, state); status != kExitOk) {
        return status;
    }
    const trend::TrendDataSet& chart = state.Chart1;
    const char* pattern = "yyyy'/'mm'/'dd hh':'nn':'ss'.'zzz";
    std::printf("device           %s\n", chart.BottomAxisTitle.c_str());
    std::printf("first time       %s\n", trend::FormatDateTime(pattern, chart.MinXValue()).c_str());
    std::printf("last time        %s\n", trend::FormatDateTime(pattern, chart.MaxXValue()).c_str());
    std::printf("rows             %zu\n", chart.Series(0).Count());
    std::printf("sample interval  %s s\n", state.Label13.c_str());
    std::printf("decimation       %d s\n", state.FDecimationSeconds);
    std::printf("columns          %zu\n", chart.SeriesCount());
    std::printf("\ncolumn\ttitle\tpoints\tnulls\tmin\tmax\n");
    for (size_t i = 0; i < chart.SeriesCount(); ++i) {
        const trend::TrendSeries& series = chart.Series(i);
        std::printf("%zu\t%s\t%zu\t%zu\t%s\t%s\n", i + 1, series.Title.c_str(), series.Count(),
                    series.nullIndices().size(), trend::FormatG(series.MinYValue()).c_str(),
                    trend::FormatG(series.MaxYValue()).c_str());
    }
    return kExitOk;
}

}  // namespace trendtool
