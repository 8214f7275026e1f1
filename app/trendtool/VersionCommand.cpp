#include <cstdio>

#include "ToolOptions.h"
#include "TrendToolCommands.h"
#include "Versionunit.h"

namespace trendtool {

const char* const kVersionUsage =
    "usage: trendtool version PATH\n"
    "\n"
    "Prints the file version of the program file PATH as the main window shows it behind\n"
    "\"Build \": the FileVersion string of language 0411, code page 03a4, in the file's version\n"
    "information (PE resources or the ELF section .trendviewer.version), or 0.0.0.0.\n";

int RunVersion(const std::vector<std::string>& args) {
    ToolOptions options(args, {}, {});
    if (options.help()) {
        std::printf("%s", kVersionUsage);
        return kExitOk;
    }
    if (options.positional().size() != 1) {
        throw UsageError("one PATH is needed");
    }
    std::printf("%s\n", trend::FileVersionText(options.positional()[0]).c_str());
    return kExitOk;
}

}  // namespace trendtool
