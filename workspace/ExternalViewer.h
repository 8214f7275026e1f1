#pragma once

#include <optional>
#include <string>

#include "FolderBrowser.h"

namespace trend {

// The two commands of the file list's context menu. Both first set FDataFolder to the last
// entry of the trail (ListIndexError when the trail is empty while an entry is selected).

// "Edit": "NotePad.exe " + the full path of the selected entry, unquoted; nullopt when nothing
// is selected or the path holds no ".".
std::optional<std::string> Edit1CommandLine(FolderBrowser& browser);
// "Open Folder": "explorer.exe " + the full path of the selected entry in double quotes;
// nullopt when nothing is selected.
std::optional<std::string> OpenFolder1CommandLine(FolderBrowser& browser);

// The commands themselves: start the program with RunAndWait and wait until it has ended,
// then let go of the child process.
void Edit1Click(FolderBrowser& browser);
void OpenFolder1Click(FolderBrowser& browser);

}  // namespace trend
