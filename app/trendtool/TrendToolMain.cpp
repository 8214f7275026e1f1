// trendtool: the trend engine on the command line.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ToolOptions.h"
#include "TrendToolCommands.h"

namespace trendtool {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"export", "write the loaded trend as a summary file or as tab-separated text",
         kExportUsage, RunExport},
        {"info", "describe the loaded trend: device, time range, rows, columns", kInfoUsage,
         RunInfo},
        {"analyze", "compute the trend analysis indicators of the first two columns", kAnalyzeUsage,
         RunAnalyze},
        {"version", "print the file version of a program file", kVersionUsage, RunVersion},
    };
    return commands;
}

namespace {

void printHelp() {
    std::printf(
        "usage: trendtool COMMAND [options] ...\n"
        "\n"
        "Reads the trend files of the HART data-source application as TrendViewer does.\n"
        "\n"
        "commands:\n");
    for (const Command& command : Commands()) {
        std::printf("  %-9s %s\n", command.name, command.summary);
    }
    std::printf(
        "\n"
        "'trendtool COMMAND --help' describes a command's options.\n"
        "Exit status: 0 done, 1 a file could not be read or written, 2 nothing loaded,\n"
        "64 usage error.\n");
}

}  // namespace
}  // namespace trendtool

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    using namespace trendtool;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        printHelp();
        return argc < 2 ? kExitUsage : kExitOk;
    }
    const std::string name = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& command : Commands()) {
        if (name != command.name) {
            continue;
        }
        try {
            return command.run(args);
        } catch (const UsageError& error) {
            std::fprintf(stderr, "trendtool %s: %s\n\n%s", command.name, error.what(),
                         command.usage);
            return kExitUsage;
        }
    }
    std::fprintf(stderr, "trendtool: unknown command '%s'\n\n", name.c_str());
    printHelp();
    return kExitUsage;
}
