#pragma once

#include <string>
#include <vector>

#include "TrendViewState.h"

namespace trendtool {

// Exit statuses of the tool.
constexpr int kExitOk = 0;
constexpr int kExitLoadFailed = 1;
constexpr int kExitNothingLoaded = 2;
constexpr int kExitUsage = 64;

struct Command {
    const char* name;
    const char* summary;
    const char* usage;  // the full help text of the command
    int (*run)(const std::vector<std::string>& args);
};

// The commands, in the order --help lists them.
const std::vector<Command>& Commands();

int RunExport(const std::vector<std::string>& args);
int RunInfo(const std::vector<std::string>& args);
int RunAnalyze(const std::vector<std::string>& args);
int RunVersion(const std::vector<std::string>& args);

extern const char* const kExportUsage;
extern const char* const kInfoUsage;
extern const char* const kAnalyzeUsage;
extern const char* const kVersionUsage;

}  // namespace trendtool
