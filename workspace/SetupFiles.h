#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "RootFolderBox.h"

namespace trend {

// What closing the window reports: the settings file's write error, if any. The window shows
// it and closes all the same.
struct FormCloseResult {
    std::optional<std::string> settingsError;
    bool historyWritten = false;
};

// The settings file and the folder history file in the folder "SETUP" next to the program
// file, named after the program: for /opt/tv/Viewer, SETUP/Viewer.ini and SETUP/Viewer.csv.
class SetupFiles {
public:
    static constexpr std::string_view kSection = "SETUP";
    static constexpr std::string_view kLastPositionKey = "LASTPOSITION";

    // programFile: the full path of the running program file.
    static SetupFiles ForProgram(std::string_view programFile);
    SetupFiles(std::string setupFolder, std::string historyFile, std::string settingsFile);

    const std::string& setupFolder() const { return setupFolder_; }
    const std::string& historyFile() const { return historyFile_; }
    const std::string& settingsFile() const { return settingsFile_; }

    // Replaces the history with the lines of the history file; a file that cannot be read
    // leaves it as it is.
    void LoadFolderHistory(RootFolderBox& box) const;
    // The text of the box := the last data root, empty when the file, section or key is missing.
    void ReadSettings(RootFolderBox& box) const;
    // Writes the text as the last data root, then the history. A settings file that cannot be
    // written is reported in the result, and the history is written all the same; a history
    // file that cannot be written is ignored.
    FormCloseResult FormClose(const RootFolderBox& box) const;

private:
    std::string setupFolder_;
    std::string historyFile_;
    std::string settingsFile_;
};

}  // namespace trend
