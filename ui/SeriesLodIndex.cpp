#include "SeriesLodIndex.h"

#include <algorithm>
#include <limits>

namespace trend {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

void scan(const TrendSeries& series, size_t from, size_t to, SeriesLodIndex::Extent& e) {
    const auto values = series.values();
    const auto nulls = series.nullIndices();
    auto nextNull = std::lower_bound(nulls.begin(), nulls.end(), static_cast<uint32_t>(from));
    for (size_t j = from; j < to; ++j) {
        if (nextNull != nulls.end() && *nextNull == j) {
            ++nextNull;
            continue;
        }
        e.low = std::min(e.low, values[j]);
        e.high = std::max(e.high, values[j]);
        e.any = true;
    }
}

}  // namespace

void SeriesLodIndex::rebuild(const TrendSeries& series) {
    const size_t n = series.Count();
    const size_t blocks = (n + kBlock - 1) / kBlock;
    low_.assign(blocks, kInf);
    high_.assign(blocks, -kInf);
    hasNull_.assign(blocks, 0);
    for (uint32_t j : series.nullIndices()) {
        hasNull_[j / kBlock] = 1;
    }
    const auto values = series.values();
    for (size_t b = 0; b < blocks; ++b) {
        const size_t from = b * kBlock;
        const size_t to = std::min(n, from + kBlock);
        if (hasNull_[b]) {
            Extent e{kInf, -kInf, false};
            scan(series, from, to, e);
            low_[b] = e.low;
            high_[b] = e.high;
            continue;
        }
        auto [lo, hi] = std::minmax_element(values.begin() + static_cast<std::ptrdiff_t>(from),
                                            values.begin() + static_cast<std::ptrdiff_t>(to));
        low_[b] = *lo;
        high_[b] = *hi;
    }
}

SeriesLodIndex::Extent SeriesLodIndex::extent(const TrendSeries& series, size_t from,
                                              size_t to) const {
    Extent e{kInf, -kInf, false};
    if (from >= to) {
        return e;
    }
    const size_t firstFull = (from + kBlock - 1) / kBlock;
    const size_t lastFull = to / kBlock;  // blocks [firstFull, lastFull) lie wholly inside
    if (firstFull >= lastFull || lastFull > low_.size()) {
        scan(series, from, to, e);
        return e;
    }
    scan(series, from, firstFull * kBlock, e);
    for (size_t b = firstFull; b < lastFull; ++b) {
        if (low_[b] <= high_[b]) {
            e.low = std::min(e.low, low_[b]);
            e.high = std::max(e.high, high_[b]);
            e.any = true;
        }
    }
    scan(series, lastFull * kBlock, to, e);
    return e;
}

}  // namespace trend
