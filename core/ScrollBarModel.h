#pragma once

#include <stdexcept>

namespace trend {

// A scroll bar's range as the window's handlers rely on it: a position outside the range is
// clamped, a page size above the maximum is ignored, a maximum below the page size is refused.
class ScrollBarModel {
public:
    ScrollBarModel(int min = 0, int max = 100, int pageSize = 0, int position = 0)
        : min_(min), max_(max), pageSize_(pageSize), position_(position) {}

    int Min() const { return min_; }
    int Max() const { return max_; }
    int PageSize() const { return pageSize_; }
    int Position() const { return position_; }

    void setMin(int value) {
        if (value > max_) {
            throw std::range_error("Scrollbar property out of range");
        }
        min_ = value;
        clampPosition();
    }
    void setMax(int value) {
        if (value < min_ || value < pageSize_) {
            throw std::range_error("Scrollbar property out of range");
        }
        max_ = value;
        clampPosition();
    }
    void setPageSize(int value) {
        if (value > max_ || value < 0) {
            return;
        }
        pageSize_ = value;
    }
    void setPosition(int value) {
        position_ = value;
        clampPosition();
    }

private:
    void clampPosition() {
        if (position_ < min_) {
            position_ = min_;
        }
        if (position_ > max_) {
            position_ = max_;
        }
    }

    int min_;
    int max_;
    int pageSize_;
    int position_;
};

}  // namespace trend
