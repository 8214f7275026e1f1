#pragma once

#include <string>
#include <vector>

#include "ToolOptions.h"
#include "TrendViewState.h"

namespace trendtool {

// The options every loading command takes.
inline const std::vector<std::string> kLoadValuedOptions = {"decimation", "row-limit"};
inline const std::vector<std::string> kLoadFlagOptions = {"consecutive", "diagdata"};

// Help text of the load options, for the commands' usage.
extern const char* const kLoadOptionsHelp;

// Loads FOLDER NAME [NAME...] as the window does: the first name as a click on "ReadFile",
// every further one as a click on "AddFile". With --consecutive, FOLDER NAME starts a
// consecutive run that reads on file after file as the browser's file advance selects them.
// Returns an exit status; on success state holds the trend. Errors go to stderr.
int LoadTrend(const ToolOptions& options, trend::TrendViewState& state);

}  // namespace trendtool
