#include "FolderBrowser.h"

#include "FolderScan.h"
#include "NameOrder.h"
#include "PlatformPath.h"
#include "TrendErrors.h"

namespace trend {

void FolderBrowser::ChooseDefaultRoot(std::string_view first, std::string_view second) {
    for (std::string_view root : {first, second}) {
        Label1 = root;
        ComboBox1.Text = root;
        ListSubFolders(ListBox1, root);
        if (ListBox1.Count() > 0) {
            return;
        }
    }
}

void FolderBrowser::Button3Click(const std::optional<std::string>& chosenFolder) {
    if (!chosenFolder) {
        return;
    }
    ComboBox1.AddIfAbsent(*chosenFolder);
    ListSubFolders(ListBox1, *chosenFolder);
    Label1 = *chosenFolder;
}

void FolderBrowser::ComboBox1Change() {
    ListSubFolders(ListBox1, ComboBox1.Text);
    Label1 = ComboBox1.Text;
}

// Lists the subfolders of path and sets CheckBox1; in the DIAGDATA layout path then names the
// DIAGDATA folder (in its own spelling, so that it resolves on a case-sensitive file system),
// whose subfolders are listed instead.
void FolderBrowser::fillWithSubFolders(std::string& path) {
    std::string diagData;
    CheckBox1 = ListSubFolders(ListBox2, path, &diagData);
    if (!CheckBox1) {
        path = JoinPath(path, diagData);
        ListSubFolders(ListBox2, path);
    }
}

void FolderBrowser::ListBox1DblClick() {
    const std::optional<std::string> device = ListBox1.Selected();
    if (!device) {
        return;
    }
    ListBox3.Clear();
    std::string path = JoinPath(Label1, *device);
    fillWithSubFolders(path);
    if (!CheckBox1) {
        ListBox2.setSorted(true);
    }
    ListBox3.Add(path);
}

void FolderBrowser::ListBox2DblClick() {
    const std::optional<std::string> selected = ListBox2.Selected();
    if (!selected || selected->find('.') != std::string::npos) {
        return;
    }
    if (ListBox3.Count() == 0) {
        throw ListIndexError("cannot open \"" + *selected +
                             "\": the folder trail is empty, so there is no folder it lies in; "
                             "open a device folder first");
    }
    const std::vector<std::string> siblings = ListBox2.Items();
    size_t k = static_cast<size_t>(ListBox2.ItemIndex());
    Label7 = ListBox3.Last();
    Label8 = LastPathComponent(Label7);
    Label10 = *selected;
    std::string path = JoinPath(ListBox3.Last(), *selected);
    ListBox3.Add(path);
    for (;;) {
        ListSubFolders(ListBox2, path);
        if (ListBox2.Count() > 0) {
            return;
        }
        ListFolderEntries(ListBox2, path, FTrendFileMark);
        if (ListBox2.Count() > 0) {
            FDataFolder = path;
            return;
        }
        // An empty folder: the next sibling of the former listing is opened instead.
        if (++k >= siblings.size()) {
            return;
        }
        Label8 = LastPathComponent(Label7);
        Label10 = siblings[k];
        path = JoinPath(Label7, siblings[k]);
        ListBox3.setItem(ListBox3.Count() - 1, path);
    }
}

void FolderBrowser::ListBox3DblClick() {
    const int selected = ListBox3.ItemIndex();
    if (selected < 0) {
        return;
    }
    while (ListBox3.Count() > selected + 1) {
        ListBox3.Delete(ListBox3.Count() - 1);
    }
    if (ListBox3.Count() <= 1) {
        return;
    }
    std::string path = ListBox3.Item(ListBox3.Count() - 2);
    ListBox3.Delete(ListBox3.Count() - 1);
    fillWithSubFolders(path);
    const int found = ListBox2.PositionOf(Label10);
    Label10 = LastPathComponent(path);
    if (found >= 0) {
        ListBox2.setItemIndex(found);
    }
}

PopupMenuState FolderBrowser::PopupMenu1Popup() const {
    const std::optional<std::string> selected = ListBox2.Selected();
    if (!selected) {
        return {false, false};
    }
    const bool isFile = selected->find('.') != std::string::npos;
    return {!isFile, isFile};
}

std::optional<std::string> FolderBrowser::SelectedFilePath() const {
    const std::optional<std::string> selected = ListBox2.Selected();
    if (!selected) {
        return std::nullopt;
    }
    return JoinPath(FDataFolder, *selected);
}

bool FolderBrowser::AdvanceToNextFile() {
    const int selected = ListBox2.ItemIndex();
    if (selected != ListBox2.Count() - 1) {
        ListBox2.setItemIndex(selected + 1);
        return true;
    }
    return advanceFromFolder();
}

// The folders the advance passes through are looked up in shared listings; ListBox2 is filled
// only with the listing it ends on. The listings are those ListFolderEntries would give, in the
// order of ListBox2.
bool FolderBrowser::advanceFromFolder() {
    const bool sorted = ListBox2.Sorted();
    for (;;) {
        // The folder just finished, and its place among the entries of its parent.
        const std::string name = LastPathComponent(FDataFolder);
        FDataFolder = ParentPath(FDataFolder);
        const auto siblings = FolderEntryNames(FDataFolder, FTrendFileMark, sorted);
        const std::vector<std::string>& names = siblings->names();
        const int k = siblings->positionOf(name);
        if (k != static_cast<int>(names.size()) - 1) {
            // The next entry beside it (entry 0 when it is no longer there).
            FDataFolder = JoinPath(FDataFolder, names[static_cast<size_t>(k + 1)]);
        } else if (CheckBox1) {
            // Plug-in layout: the last folder of the device; its last entry stays selected.
            FDataFolder = JoinPath(FDataFolder, name);
            ListFolderEntries(ListBox2, FDataFolder, FTrendFileMark);
            ListBox2.setItemIndex(ListBox2.Count() - 1);
            return false;
        } else if (!enterNextUpperFolder()) {
            return false;
        }
        const auto entries = FolderEntryNames(FDataFolder, FTrendFileMark, sorted);
        if (!entries->names().empty()) {
            ListBox2.Assign(entries->names());
            ListBox2.setItemIndex(0);
            return true;
        }
        // An empty folder is passed over.
    }
}

bool FolderBrowser::enterNextUpperFolder() {
    const bool sorted = ListBox2.Sorted();
    const std::string name = LastPathComponent(FDataFolder);
    const std::string upperFolder = ParentPath(FDataFolder);
    const auto upper = FolderEntryNames(upperFolder, "", sorted);
    const std::vector<std::string>& years = upper->names();
    for (size_t next = static_cast<size_t>(upper->positionOf(name) + 1); next < years.size();
         ++next) {
        const std::string folder = JoinPath(upperFolder, years[next]);
        const auto subFolders = FolderEntryNames(folder, "", sorted);
        if (subFolders->names().empty()) {
            continue;  // a folder without subfolders is passed over
        }
        FDataFolder = JoinPath(folder, subFolders->names().front());
        return true;
    }
    // The end of the device's data: ListBox2 shows the folders of the upper level, nothing
    // selected, and the trail loses its last two entries.
    FDataFolder = upperFolder;
    ListBox2.Assign(years);
    for (int i = 0; i < 2 && ListBox3.Count() > 0; ++i) {
        ListBox3.Delete(ListBox3.Count() - 1);
    }
    return false;
}

}  // namespace trend
