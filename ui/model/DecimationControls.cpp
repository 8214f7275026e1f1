#include "DecimationControls.h"

#include <algorithm>

#include "NumberText.h"

namespace trend {

void DecimationControls::RadioButton1Click(int tag) {
    const auto found = std::find(kTags.begin(), kTags.end(), tag);
    checked_ = found == kTags.end() ? -1 : static_cast<int>(found - kTags.begin());
    increment_ = tag == 0 ? 1 : tag;
    setPosition(tag);
}

void DecimationControls::setPosition(int position) {
    position_ = position;
    const std::string text = std::to_string(position);
    if (text != edit2Text_) {
        setEdit2Text(text);
    }
}

void DecimationControls::setEdit2Text(const std::string& text) {
    edit2Text_ = text;
    Edit2Change();
}

void DecimationControls::Edit2Change() {
    const int value = StrToIntDef(edit2Text_, 0);
    const auto found = std::find(kTags.begin(), kTags.end(), value);
    if (found == kTags.end()) {
        checked_ = -1;
        return;
    }
    const int index = static_cast<int>(found - kTags.begin());
    if (index != checked_) {
        checked_ = index;  // selecting a button raises its click
        RadioButton1Click(*found);
    }
}

void DecimationControls::arrowClick(bool up) {
    const int current = std::clamp(StrToIntDef(edit2Text_, position_), kMinimum, kMaximum);
    const long long moved = static_cast<long long>(current) + (up ? increment_ : -increment_);
    position_ = static_cast<int>(std::clamp<long long>(moved, kMinimum, kMaximum));
    const std::string text = std::to_string(position_);
    if (text != edit2Text_) {
        setEdit2Text(text);
    }
}

}  // namespace trend
