#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ListBoxModel.h"
#include "RootFolderBox.h"

namespace trend {

// Which items of the file list's context menu are enabled.
struct PopupMenuState {
    bool OpenFolder1Enabled = false;  // "Open Folder"
    bool Edit1Enabled = false;        // "Edit"
};

// The data folder browser, the left region of the main window: the root-folder box, the device
// list, the folder trail and the file list, with the handlers that fill them and the file
// advance that moves the selection on after every file read. The window only mirrors it.
//
// Entries are told apart by the dot rule: a name with "." is a file, one without a folder.
// ListBox2 holds bare names; FDataFolder is the folder whose trend files it lists.
class FolderBrowser {
public:
    RootFolderBox ComboBox1;
    std::string Label1;  // the data root ListBox1 lists
    ListBoxModel ListBox1{"the device list"};
    // The folder trail: entry 0 the device folder (its DIAGDATA folder in that layout), each
    // further entry the previous one joined with a folder opened in ListBox2.
    ListBoxModel ListBox3{"the folder trail"};
    ListBoxModel ListBox2{"the file list"};  // sorted for good once a DIAGDATA device is opened
    std::string Label7;                      // the folder the last entry was opened from
    std::string Label8;                      // that folder's own name
    std::string Label10;                     // the name of the entry opened
    bool CheckBox1 = true;                   // "Generic PLUG-IN": the device has no DIAGDATA folder
    std::string FDataFolder;
    std::string FTrendFileMark = "Trend";

    // Start-up: the first default root with device folders, else the second.
    void ChooseDefaultRoot(std::string_view first = kFirstDefaultRoot,
                           std::string_view second = kSecondDefaultRoot);
    // "Select Folder" with the folder the dialog returned; nullopt when it was cancelled.
    void Button3Click(const std::optional<std::string>& chosenFolder);
    // The text of the root-folder box changed: rescans ListBox1 and sets Label1.
    void ComboBox1Change();
    // Opens the device selected in ListBox1: decides its layout and starts the trail.
    void ListBox1DblClick();
    // Opens the folder selected in ListBox2, passing over empty folders. Raises ListIndexError
    // when the trail is empty (after the file advance emptied it); nothing is changed then.
    void ListBox2DblClick();
    // Goes back up the trail to the entry before the selected one.
    void ListBox3DblClick();
    PopupMenuState PopupMenu1Popup() const;

    // After every file read: selects the next trend file, walking on into the next folder.
    // false when the run ends (no further file for this device).
    bool AdvanceToNextFile();

    // FDataFolder joined with the entry selected in ListBox2; nullopt when none is selected.
    std::optional<std::string> SelectedFilePath() const;

private:
    // Steps 2 to 6 of the advance, from the folder just finished.
    bool advanceFromFolder();
    // The DIAGDATA layout's climb to the level above: the next folder there that holds a
    // subfolder, entering its first subfolder. false when there is none left.
    bool enterNextUpperFolder();
    void fillWithSubFolders(std::string& path);
};

}  // namespace trend
