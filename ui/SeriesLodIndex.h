#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "TrendDataSet.h"

namespace trend {

// Smallest and largest drawn value of every block of kBlock points of one series, so that a
// view of a million points finds each pixel column's extent without reading every point.
// Null points are left out of the extents, as the drawing leaves them out.
class SeriesLodIndex {
public:
    static constexpr size_t kBlock = 256;

    void rebuild(const TrendSeries& series);
    bool matches(uint64_t revision) const { return revision_ == revision; }
    void setRevision(uint64_t revision) { revision_ = revision; }

    struct Extent {
        double low;
        double high;
        bool any;  // a drawn value was found
    };
    // Extent of the values of points [from, to), null points left out.
    Extent extent(const TrendSeries& series, size_t from, size_t to) const;

private:
    std::vector<double> low_;
    std::vector<double> high_;
    std::vector<uint8_t> hasNull_;
    uint64_t revision_ = ~uint64_t{0};
};

}  // namespace trend
