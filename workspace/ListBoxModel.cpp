#include "ListBoxModel.h"

#include <algorithm>

#include "NameOrder.h"
#include "TrendErrors.h"

namespace trend {

ListBoxModel::ListBoxModel(std::string name, bool sorted) : name_(std::move(name)) {
    setSorted(sorted);
}

void ListBoxModel::checkIndex(int index, const char* operation) const {
    if (index < 0 || index >= Count()) {
        throw ListIndexError(std::string(operation) + ": index " + std::to_string(index) +
                             " is outside " + name_ + ", which holds " + std::to_string(Count()) +
                             (Count() == 1 ? " entry" : " entries"));
    }
}

const std::string& ListBoxModel::Item(int index) const {
    checkIndex(index, "entry");
    return items_[static_cast<size_t>(index)];
}

const std::string& ListBoxModel::Last() const {
    checkIndex(Count() - 1, "last entry");
    return items_.back();
}

void ListBoxModel::setSorted(bool sorted) {
    if (sorted && !sorted_) {
        std::vector<std::string> names = std::move(items_);
        sorted_ = true;
        Assign(std::move(names));
        return;
    }
    sorted_ = sorted;
}

void ListBoxModel::setItemIndex(int index) {
    if (index != -1) {
        checkIndex(index, "selection");
    }
    itemIndex_ = index;
}

std::optional<std::string> ListBoxModel::Selected() const {
    if (itemIndex_ < 0 || itemIndex_ >= Count()) {
        return std::nullopt;
    }
    return items_[static_cast<size_t>(itemIndex_)];
}

void ListBoxModel::Clear() {
    items_.clear();
    itemIndex_ = -1;
}

int ListBoxModel::Add(std::string name) {
    if (!sorted_) {
        items_.push_back(std::move(name));
        return Count() - 1;
    }
    const std::u32string key = CaseFolded(name);
    auto at = std::upper_bound(
        items_.begin(), items_.end(), key,
        [](const std::u32string& k, const std::string& item) { return k < CaseFolded(item); });
    const int position = static_cast<int>(at - items_.begin());
    items_.insert(at, std::move(name));
    if (itemIndex_ >= position) {
        ++itemIndex_;
    }
    return position;
}

void ListBoxModel::Assign(std::vector<std::string> names) {
    Clear();
    if (sorted_) {
        SortNamesIgnoringCase(names);
    }
    items_ = std::move(names);
}

void ListBoxModel::Delete(int index) {
    checkIndex(index, "delete");
    items_.erase(items_.begin() + index);
    if (itemIndex_ == index) {
        itemIndex_ = -1;
    } else if (itemIndex_ > index) {
        --itemIndex_;
    }
}

void ListBoxModel::setItem(int index, std::string name) {
    checkIndex(index, "replace");
    if (!sorted_) {
        items_[static_cast<size_t>(index)] = std::move(name);
        return;
    }
    const bool selected = itemIndex_ == index;
    Delete(index);
    const int position = Add(std::move(name));
    if (selected) {
        itemIndex_ = position;
    }
}

int ListBoxModel::IndexOf(std::string_view name) const {
    const std::u32string key = CaseFolded(name);
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] == name || CaseFolded(items_[i]) == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ListBoxModel::PositionOf(std::string_view name) const {
    return PositionOfName(items_, name);
}

}  // namespace trend
