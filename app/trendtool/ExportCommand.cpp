#include <cerrno>
#include <cstdio>
#include <cstring>

#include "CopyDataText.h"
#include "Mydatetimeunit.h"
#include "SummaryWriter.h"
#include "TrendErrors.h"
#include "TrendToolCommands.h"
#include "TrendToolLoad.h"

namespace trendtool {

const char* const kExportUsage =
    "usage: trendtool export [--format=summary|tsv] [load options] [-o PATH] FOLDER NAME "
    "[NAME...]\n"
    "\n"
    "Loads FOLDER/NAME as \"ReadFile\" does, then every further NAME as one \"AddFile\" each,\n"
    "and writes the loaded trend to standard output, or to PATH (only when the load succeeded).\n"
    "\n"
    "  --format=summary  the bytes \"save to RaDuvav\" writes (default)\n"
    "  --format=tsv      the \"Copy Data\" text: tab-separated, regional number and date texts\n"
    "  -o PATH           write to PATH instead of standard output\n";

namespace {

void writeAll(std::FILE* out, const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
        throw trend::WriteError(std::string("cannot write the output: ") + std::strerror(errno));
    }
}

void writeOutput(std::FILE* out, const std::string& format, const trend::TrendDataSet& data) {
    if (format == "tsv") {
        writeAll(out, trend::CopyDataText(data, trend::RegionalSettings::fromProcessLocale()));
    } else {
        trend::WriteSummary(out, data, trend::TimeZoneText());
    }
}

}  // namespace

int RunExport(const std::vector<std::string>& args) {
    std::vector<std::string> valued = kLoadValuedOptions;
    valued.insert(valued.end(), {"format", "output"});
    ToolOptions options(args, valued, kLoadFlagOptions);
    if (options.help()) {
        std::printf("%s\nload options:\n%s", kExportUsage, kLoadOptionsHelp);
        return kExitOk;
    }
    const std::string format = options.value("format").value_or("summary");
    if (format != "summary" && format != "tsv") {
        throw UsageError("--format takes summary or tsv, not '" + format + "'");
    }
    trend::TrendViewState state;
    if (int status = LoadTrend(options, state); status != kExitOk) {
        return status;
    }
    try {
        if (auto path = options.value("output")) {
            trend::WriteThroughTemporaryFile(
                *path, [&](std::FILE* out) { writeOutput(out, format, state.Chart1); });
        } else {
            writeOutput(stdout, format, state.Chart1);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "trendtool: %s\n", error.what());
        return kExitLoadFailed;
    }
    return kExitOk;
}

}  // namespace trendtool
