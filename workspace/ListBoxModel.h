#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trend {

// The entries and the selection of a list box. A sorted list keeps its entries in alphabetical
// order ignoring case (stable: equal names stay in the order they were added).
// An index outside the list raises ListIndexError naming the list.
class ListBoxModel {
public:
    explicit ListBoxModel(std::string name, bool sorted = false);

    const std::vector<std::string>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Item(int index) const;
    // The last entry; ListIndexError when the list is empty.
    const std::string& Last() const;

    bool Sorted() const { return sorted_; }
    // Switching sorting on sorts the entries at once; the selection is cleared.
    void setSorted(bool sorted);

    // -1 when nothing is selected.
    int ItemIndex() const { return itemIndex_; }
    // -1 clears the selection; any other index outside the list is an error.
    void setItemIndex(int index);
    std::optional<std::string> Selected() const;

    void Clear();
    // Appends, or in a sorted list inserts after the names that do not sort after it. Returns
    // the position of the new entry.
    int Add(std::string name);
    // Clears the list, then adds every name (sorted once when the list is sorted).
    void Assign(std::vector<std::string> names);
    // Deleting the selected entry clears the selection.
    void Delete(int index);
    // Replaces entry index; a sorted list moves it to its place.
    void setItem(int index, std::string name);
    // Position of the first entry equal to name ignoring case; -1 when there is none.
    int IndexOf(std::string_view name) const;
    // Position of the entry spelled exactly as name, else as IndexOf (PositionOfName).
    int PositionOf(std::string_view name) const;

private:
    void checkIndex(int index, const char* operation) const;
    std::string name_;
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    bool sorted_ = false;
};

}  // namespace trend
