#include "FolderScan.h"

#include "FolderScanCache.h"
#include "PlatformPath.h"
#include "TextCodec.h"

namespace trend {
namespace {

// folder + delimiter, so that "" is the top folder and "C:" the top of drive C.
std::string fileSystemFolder(std::string_view folder) {
    return ToFileSystemPath(std::string(folder) + kPathDelimiter);
}

}  // namespace

bool ListSubFolders(ListBoxModel& list, std::string_view folder, std::string* diagDataName) {
    std::vector<std::string> names;
    bool noDiagData = true;
    if (diagDataName != nullptr) {
        diagDataName->clear();
    }
    const FolderScanCache::Entries entries =
        FolderScanCache::shared().entries(fileSystemFolder(folder));
    for (const FolderEntry& entry : *entries) {
        if (!entry.isFolder) {
            continue;
        }
        if (UpperCase(entry.name) == kDiagDataFolder) {
            if (noDiagData && diagDataName != nullptr) {
                *diagDataName = entry.name;
            }
            noDiagData = false;
            continue;
        }
        names.push_back(entry.name);
    }
    list.Assign(std::move(names));
    return noDiagData;
}

std::shared_ptr<const NameListing> FolderEntryNames(std::string_view folder, std::string_view mark,
                                                    bool sorted) {
    return FolderScanCache::shared().names(fileSystemFolder(folder), mark, sorted);
}

void ListFolderEntries(ListBoxModel& list, std::string_view folder, std::string_view mark) {
    list.Assign(FolderEntryNames(folder, mark, false)->names());
}

}  // namespace trend
