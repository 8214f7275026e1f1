#include <cstdio>

#include "Regional.h"
#include "TrendAnalysisModel.h"
#include "TrendToolCommands.h"
#include "TrendToolLoad.h"

namespace trendtool {

const char* const kAnalyzeUsage =
    "usage: trendtool analyze [--threshold=TEXT] [--upper=TEXT] [--lower=TEXT] [--filter=TEXT]\n"
    "                         [load options] FOLDER NAME [NAME...]\n"
    "\n"
    "Loads the files as export does and prints the sixteen trend analysis indicators of the\n"
    "first two columns, one line each: the grid's title, a tab and the value.\n"
    "The options are the texts of the analysis window's edit fields, read as the window reads\n"
    "them (the regional decimal separator):\n"
    "\n"
    "  --threshold=TEXT  Threshold (default 0.5)\n"
    "  --upper=TEXT      Upper (default 100.0); the band ends at Upper - Threshold\n"
    "  --lower=TEXT      Lower (default 0.5); the band begins at Lower + Threshold\n"
    "  --filter=TEXT     Filter(s), settling samples after a step (default 5; text that is no\n"
    "                    whole number counts as 0)\n"
    "\n"
    "Threshold, Upper or Lower text that is not a number, or a trend with one column, exits 1.\n";

int RunAnalyze(const std::vector<std::string>& args) {
    std::vector<std::string> valued = kLoadValuedOptions;
    valued.insert(valued.end(), {"threshold", "upper", "lower", "filter"});
    ToolOptions options(args, valued, kLoadFlagOptions);
    if (options.help()) {
        std::printf("%s\nload options:\n%s", kAnalyzeUsage, kLoadOptionsHelp);
        return kExitOk;
    }
    trend::TrendViewState state;
    if (int status = LoadTrend(options, state); status != kExitOk) {
        return status;
    }
    const trend::RegionalSettings regional = trend::RegionalSettings::fromProcessLocale();
    trend::AnalysisParameterTexts texts = trend::AnalysisParameterTexts::atCreation(regional);
    texts.Edit1Text = options.value("threshold").value_or(texts.Edit1Text);
    texts.Edit2Text = options.value("upper").value_or(texts.Edit2Text);
    texts.Edit3Text = options.value("lower").value_or(texts.Edit3Text);
    texts.Edit4Text = options.value("filter").value_or(texts.Edit4Text);
    trend::TrendAnalysisModel analysis(regional);
    try {
        analysis.ReadParameters(texts);
        analysis.ComputeIndicators(state.Chart1);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "trendtool: %s\n", error.what());
        return kExitLoadFailed;
    }
    const auto values = analysis.ShowIndicators();
    for (size_t i = 0; i < values.size(); ++i) {
        std::printf("%s\t%s\n", trend::kAnalysisGridTitles[i + 1], values[i].c_str());
    }
    return kExitOk;
}

}  // namespace trendtool
