#include "TrendToolLoad.h"

#include <cstdio>
#include <filesystem>

#include "FolderBrowser.h"
#include "FolderScan.h"
#include "NameOrder.h"
#include "PlatformPath.h"
#include "RunControl.h"
#include "TrendErrors.h"
#include "TrendFileReader.h"
#include "TrendToolCommands.h"

namespace trendtool {

const char* const kLoadOptionsHelp =
    "  --decimation=SECONDS  decimation interval, the text of the decimation(s) box\n"
    "                        (default 0: every row; text that is no whole number counts as 0)\n"
    "  --consecutive         read FOLDER/NAME, then go on as a consecutive run: each next file\n"
    "                        as the browser's file advance selects it, walking on into the next\n"
    "                        folders of the device, until the data ends or the row limit is\n"
    "                        reached (one NAME only)\n"
    "  --diagdata            with --consecutive: the device has the DIAGDATA layout (the\n"
    "                        \"Generic PLUG-IN\" box cleared); FOLDER is a month folder below\n"
    "                        DIAGDATA, and the files are met in the browser's sorted order.\n"
    "                        Without it, FOLDER is one of the device's folders lying side by side\n"
    "  --row-limit=N         with --consecutive: the run ends after the file that brings the rows\n"
    "                        read to N (default 100000; text that is no whole number counts as\n"
    "                        100000)\n";

namespace {

constexpr const char* kDefaultRowLimit = "100000";

int reportLoadError(const std::exception& error) {
    std::fprintf(stderr, "trendtool: %s\n", error.what());
    return kExitLoadFailed;
}

// FOLDER as the file advance walks from it: absolute and without "." or ".." steps, since the
// advance climbs by cutting off the last path component.
std::string runFolder(const std::string& folder) {
    std::filesystem::path path = std::filesystem::absolute(trend::ToFileSystemPath(folder));
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && trend::IsPathDelimiter(text.back())) {
        text.pop_back();
    }
    return text;
}

// The browser as it is after opening the device of folder and walking down to folder, with
// name selected in the file list.
void showFolder(trend::FolderBrowser& browser, const std::string& folder, bool diagData) {
    std::vector<std::string> trail{folder};
    if (diagData) {
        // The trail starts at the DIAGDATA folder above folder.
        std::string above = trend::ParentPath(folder);
        while (!above.empty() &&
               trend::UpperCase(trend::LastPathComponent(above)) != trend::kDiagDataFolder) {
            trail.insert(trail.begin(), above);
            above = trend::ParentPath(above);
        }
        if (above.empty()) {
            throw UsageError("--diagdata: " + folder + " does not lie below a DIAGDATA folder");
        }
        trail.insert(trail.begin(), above);
        browser.ListBox2.setSorted(true);
    } else if (const std::string device = trend::ParentPath(folder); !device.empty()) {
        trail.insert(trail.begin(), device);
    }
    browser.CheckBox1 = !diagData;
    for (const std::string& entry : trail) {
        browser.ListBox3.Add(entry);
    }
    if (trail.size() >= 2) {
        browser.Label7 = trail[trail.size() - 2];
        browser.Label8 = trend::LastPathComponent(browser.Label7);
    }
    browser.Label10 = trend::LastPathComponent(folder);
    browser.FDataFolder = folder;
    trend::ListFolderEntries(browser.ListBox2, folder, browser.FTrendFileMark);
}

int loadConsecutive(const ToolOptions& options, trend::TrendViewState& state) {
    const auto& words = options.positional();
    if (words.size() != 2) {
        throw UsageError("--consecutive takes FOLDER and one NAME, the first file of the run");
    }
    const bool diagData = options.flag("diagdata");
    const std::string folder = runFolder(words[0]);
    const std::string& name = words[1];

    trend::FolderBrowser browser;
    showFolder(browser, folder, diagData);
    const int selected = browser.ListBox2.PositionOf(name);
    if (selected < 0 || browser.ListBox2.Item(selected) != name) {
        const std::string path = trend::JoinPath(folder, name);
        std::error_code error;
        if (!std::filesystem::exists(path, error)) {
            std::fprintf(stderr, "trendtool: cannot open %s\n", path.c_str());
            return kExitLoadFailed;
        }
        std::fprintf(stderr,
                     "trendtool: %s is not a trend file of %s: a consecutive run starts at a "
                     "file whose name contains \"%s\"\n",
                     name.c_str(), folder.c_str(), browser.FTrendFileMark.c_str());
        return kExitLoadFailed;
    }
    browser.ListBox2.setItemIndex(selected);

    trend::LoadRequest request;
    request.Edit2Text = options.value("decimation").value_or("0");
    request.Edit3Text = options.value("row-limit").value_or(kDefaultRowLimit);
    request.Tag = 0;
    trend::RunControlHooks control;
    control.CheckBox3 = [] { return true; };
    control.Edit2 = [&request] { return request.Edit2Text; };
    trend::BrowserRunHooks hooks(browser, state, control);
    trend::TrendFileReader reader(state, trend::RegionalSettings::fromProcessLocale());
    try {
        const trend::RunProgress progress = reader.Button1Click(request, hooks);
        if (progress.filesRead == 0) {
            std::fprintf(stderr, "trendtool: cannot open %s\n",
                         trend::JoinPath(folder, name).c_str());
            return kExitLoadFailed;
        }
    } catch (const std::exception& error) {
        return reportLoadError(error);
    }
    return kExitOk;
}

int loadClicks(const ToolOptions& options, trend::TrendViewState& state) {
    const auto& words = options.positional();
    const std::string& folder = words[0];
    trend::LoadRequest request;
    request.Edit2Text = options.value("decimation").value_or("0");
    request.Edit3Text = kDefaultRowLimit;
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
            return reportLoadError(error);
        }
    }
    return kExitOk;
}

}  // namespace

int LoadTrend(const ToolOptions& options, trend::TrendViewState& state) {
    const auto& words = options.positional();
    if (words.size() < 2) {
        throw UsageError("FOLDER and at least one NAME are needed");
    }
    const bool consecutive = options.flag("consecutive");
    if (!consecutive && (options.flag("diagdata") || options.value("row-limit"))) {
        throw UsageError(
            "--diagdata and --row-limit belong to a consecutive run: add --consecutive");
    }
    if (int status = consecutive ? loadConsecutive(options, state) : loadClicks(options, state);
        status != kExitOk) {
        return status;
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
