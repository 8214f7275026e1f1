#include "RunControl.h"

#include <algorithm>

#include "NumberText.h"

namespace trend {

RunControl::RunControl(const TrendViewState& state, RunControlHooks hooks)
    : state_(state), hooks_(std::move(hooks)) {}

bool RunControl::continueRun(const RunProgress& progress) {
    if (!hooks_.CheckBox3 || !hooks_.CheckBox3()) {
        return false;
    }
    if (hooks_.escapePressed && hooks_.escapePressed()) {
        return false;
    }
    if (countdown_ == 0) {
        if (hooks_.refreshWindow) {
            hooks_.refreshWindow();
        }
        // A negative interval counts as 0: the window (and with it Escape) is not left
        // unattended for the rest of the run.
        countdown_ = std::max(0, StrToIntDef(hooks_.Edit2 ? hooks_.Edit2() : std::string(), 1));
    } else {
        --countdown_;
    }
    const long long limit = state_.FRowLimit;
    return static_cast<long long>(progress.rowsAccepted) < limit;
}

BrowserRunHooks::BrowserRunHooks(FolderBrowser& browser, const TrendViewState& state,
                                 RunControlHooks hooks)
    : browser_(browser), control_(state, std::move(hooks)) {}

std::optional<std::string> BrowserRunHooks::selectedFilePath() {
    return browser_.SelectedFilePath();
}

bool BrowserRunHooks::advanceToNextFile() {
    return browser_.AdvanceToNextFile();
}

bool BrowserRunHooks::continueRun(const RunProgress& progress) {
    return control_.continueRun(progress);
}

}  // namespace trend
