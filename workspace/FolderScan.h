#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FolderScanCache.h"
#include "ListBoxModel.h"

namespace trend {

// The name of the folder below a device folder that holds its data in the DIAGDATA layout,
// compared after conversion to upper case.
inline constexpr std::string_view kDiagDataFolder = "DIAGDATA";

// Fills list with the subfolders of folder, except a DIAGDATA folder. Returns true when there
// is no DIAGDATA folder (a folder that cannot be read counts as having none). diagDataName,
// when given, receives the DIAGDATA folder's own spelling ("" when there is none).
bool ListSubFolders(ListBoxModel& list, std::string_view folder,
                    std::string* diagDataName = nullptr);

// The names ListFolderEntries lists for mark, in the order of a list box that is sorted or
// not, shared rather than copied (for look-ups of the file advance).
std::shared_ptr<const NameListing> FolderEntryNames(std::string_view folder, std::string_view mark,
                                                    bool sorted);

// Fills list with the names that contain mark (exact case; an empty mark matches nothing),
// together with all subfolders, a DIAGDATA folder included.
void ListFolderEntries(ListBoxModel& list, std::string_view folder, std::string_view mark);

}  // namespace trend
