#pragma once

#include <array>
#include <string>

namespace trend {

// The decimation entry: the text of Edit2, the up-down beside it and the five preset buttons,
// kept in step with each other.
class DecimationControls {
public:
    static constexpr std::array<int, 5> kTags = {0, 10, 60, 600, 1200};
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 3600;

    const std::string& Edit2Text() const { return edit2Text_; }
    int Increment() const { return increment_; }
    int Position() const { return position_; }
    // Index of the selected preset button, -1 for none.
    int CheckedIndex() const { return checked_; }

    // A preset button with this tag was clicked.
    void RadioButton1Click(int tag);
    // The text of Edit2 changed, typed or written by the up-down.
    void setEdit2Text(const std::string& text);
    // An arrow of the up-down: the value moves by the step, within 0 to 3600.
    void arrowClick(bool up);

private:
    void Edit2Change();
    void setPosition(int position);

    std::string edit2Text_ = "0";
    int increment_ = 1;
    int position_ = 0;
    int checked_ = -1;
};

}  // namespace trend
