#include "RootFolderBox.h"

#include "NameOrder.h"
#include "TrendErrors.h"

namespace trend {

int RootFolderBox::IndexOf(std::string_view text) const {
    for (size_t i = 0; i < Items.size(); ++i) {
        if (SameNameIgnoringCase(Items[i], text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool RootFolderBox::AddIfAbsent(std::string_view text) {
    if (IndexOf(text) >= 0) {
        return false;
    }
    Items.emplace_back(text);
    return true;
}

void RootFolderBox::SeedFolderHistory(std::string_view label1) {
    for (std::string_view seed :
         {label1, kPluginRoot, kFirstDefaultRoot, kSecondDefaultRoot, kSummaryFolderName}) {
        AddIfAbsent(seed);
    }
}

void RootFolderBox::ComboBox1Exit() {
    AddIfAbsent(Text);
}

void RootFolderBox::Button11Click() {
    if (ItemIndex < 0) {
        return;
    }
    if (ItemIndex >= static_cast<int>(Items.size())) {
        throw ListIndexError("delete: index " + std::to_string(ItemIndex) +
                             " is outside the root folder history, which holds " +
                             std::to_string(Items.size()) + " entries");
    }
    Items.erase(Items.begin() + ItemIndex);
    ItemIndex = -1;
}

}  // namespace trend
