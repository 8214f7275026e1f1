#pragma once

#include <functional>
#include <optional>
#include <string>

#include "FolderBrowser.h"
#include "FolderScanCache.h"
#include "TrendFileReader.h"
#include "TrendViewState.h"

namespace trend {

// What the run control asks of the window. The window fills these with its widgets and its
// event loop; a caller without a window passes its own. An empty function counts as "no"
// (CheckBox3, escapePressed), as doing nothing (refreshWindow) and as an empty text (Edit2).
struct RunControlHooks {
    std::function<bool()> CheckBox3;      // "consecutive mode" is ticked
    std::function<bool()> escapePressed;  // Escape is down or was pressed since the last query
    std::function<void()> refreshWindow;  // repaint Label4 at once, process pending events
    std::function<std::string()> Edit2;   // the text that gives the refresh interval
};

// After every file of a click whose advance went on: whether the run goes on with the next
// file. One object per click (the refresh countdown starts at 0).
class RunControl {
public:
    RunControl(const TrendViewState& state, RunControlHooks hooks);

    // true reads the selected file next, in add mode.
    bool continueRun(const RunProgress& progress);

private:
    const TrendViewState& state_;
    RunControlHooks hooks_;
    int countdown_ = 0;
};

// The reader's hooks for a click of the window: the file selected in the browser, the file
// advance of the browser and the run control.
class BrowserRunHooks : public TrendRunHooks {
public:
    BrowserRunHooks(FolderBrowser& browser, const TrendViewState& state, RunControlHooks hooks);

    std::optional<std::string> selectedFilePath() override;
    bool advanceToNextFile() override;
    bool continueRun(const RunProgress& progress) override;

private:
    FolderBrowser& browser_;
    RunControl control_;
    FolderScanCache::RunHold hold_{FolderScanCache::shared()};
};

}  // namespace trend
