#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trend {

// How names of folder entries are compared and sorted, ignoring case.

// The case-folded form of a name (simple Unicode case folding of the Latin, Greek, Cyrillic,
// Armenian and full-width letters), as the sorted list boxes compare names. Bytes that are not
// valid UTF-8 stand for the Latin-1 character of their value.
std::u32string CaseFolded(std::string_view utf8);

// Equal after case folding.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// Sorts names as a sorted list box does: by their case-folded forms, equal ones keeping their
// order.
void SortNamesIgnoringCase(std::vector<std::string>& names);

// Position of the name spelled exactly so, else of the first equal to it ignoring case; -1
// when there is none. A case-sensitive file system can hold names that differ only in case;
// the exact one is the entry meant.
int PositionOfName(const std::vector<std::string>& names, std::string_view name);

}  // namespace trend
