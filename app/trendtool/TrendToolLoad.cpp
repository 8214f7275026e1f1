#include "TrendToolLoad.h"

#include <cstdio>

#include "PlatformPath.h"
#include "TrendErrors.h"
#include "TrendFileReader.h"
#include "TrendToolCommands.h"

namespace trendtool {

const char* const kLoadOptionsHelp =
    "  --decimation=SECONDS  decimation interval, the text of the decimation(s) box\n"
    "                        (default 0: every row; text that is no whole number counts as 0)\n";

int LoadTrend(const ToolOptions& options, trend::TrendViewState& state) {
    const auto& words = options.positional();
    if (words.size() < 2) {
        throw UsageError("FOLDER and at least one NAME are needed");
    }
    const std::string& folder = words[0];
    trend::LoadRequest request;
    request.Edit2Text = options.value("decimation").value_or("0");
    request.Edit3Text = "100000";
    trend::TrendFileReader reader(state, trend::RegionalSettings::fromProcessLocale());
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string path = trend::JoinPath(folder, words[i]);
        request.Tag = i == 1 ? 0 : 1;
        trend::SingleFileHooks hooks(path);
        try {
            const trend::RunProgress progress = reader.Button1Click(request, hooks);
            if (progress.filesRead == 0) {
                std::fprintf(stderr, "trendtool: cannot open %s\n", path.c_str());
                return kExitLoadFailed;
            }
        } catch (const std::exception& error) {
            std::fprintf(stderr, "trendtool: %s\n", error.what());
            return kExitLoadFailed;
        }
    }
    const trend::TrendDataSet& chart = state.Chart1;
    if (chart.SeriesCount() == 0 || chart.Series(0).Count() == 0) {
        std::fprintf(stderr, "trendtool: nothing loaded: %s\n",
                     chart.SeriesCount() == 0 ? "the files have no value column"
                                              : "the files have no data row");
        return kExitNothingLoaded;
    }
    return kExitOk;
}

}  // namespace trendtool
