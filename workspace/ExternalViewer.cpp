#include "ExternalViewer.h"

#include "Mycreateprocess.h"
#include "PlatformPath.h"

namespace trend {
namespace {

// The selected entry's full path, after FDataFolder has been set to the end of the trail.
std::optional<std::string> selectedEntryPath(FolderBrowser& browser) {
    const std::optional<std::string> selected = browser.ListBox2.Selected();
    if (!selected) {
        return std::nullopt;
    }
    browser.FDataFolder = browser.ListBox3.Last();
    return JoinPath(browser.FDataFolder, *selected);
}

void closeChild() {
    if (childProcess && !CloseChildProcess()) {
        ReportLastError("CloseHandle(childProcess)");
    }
    childProcess.reset();
}

void launch(const std::optional<std::string>& commandLine) {
    if (commandLine) {
        RunAndWait(*commandLine);
    }
    closeChild();
}

}  // namespace

std::optional<std::string> Edit1CommandLine(FolderBrowser& browser) {
    const std::optional<std::string> path = selectedEntryPath(browser);
    if (!path || path->find('.') == std::string::npos) {
        return std::nullopt;
    }
    return "NotePad.exe " + *path;
}

std::optional<std::string> OpenFolder1CommandLine(FolderBrowser& browser) {
    const std::optional<std::string> path = selectedEntryPath(browser);
    if (!path) {
        return std::nullopt;
    }
    return "explorer.exe \"" + *path + "\"";
}

void Edit1Click(FolderBrowser& browser) {
    launch(Edit1CommandLine(browser));
}

void OpenFolder1Click(FolderBrowser& browser) {
    launch(OpenFolder1CommandLine(browser));
}

}  // namespace trend
