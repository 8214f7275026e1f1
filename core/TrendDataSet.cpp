#include "TrendDataSet.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <stdexcept>

#include "TrendErrors.h"

namespace trend {
namespace {

// A stretch of the merged tail taken from the data set's points or from the block.
struct MergeRun {
    bool fromBlock;
    size_t length;
};

// Grows a column by half its size at a time, to keep the slack of a large load small.
template <typename ColumnType>
void growFor(ColumnType& column, size_t extra) {
    const size_t needed = column.size() + extra;
    if (needed > column.capacity()) {
        column.reserve(std::max(needed, column.capacity() + column.capacity() / 2 + 64));
    }
}

template <typename ColumnType, typename T>
void applyRuns(ColumnType& column, const std::vector<T>& block, const std::vector<MergeRun>& runs) {
    const size_t oldSize = column.size();
    growFor(column, block.size());
    column.resize(oldSize + block.size());
    size_t write = column.size();
    size_t mainEnd = oldSize;
    size_t blockEnd = block.size();
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        write -= run->length;
        if (run->fromBlock) {
            blockEnd -= run->length;
            std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(blockEnd), run->length,
                        column.begin() + static_cast<std::ptrdiff_t>(write));
        } else {
            mainEnd -= run->length;
            if (write != mainEnd) {
                std::memmove(column.data() + write, column.data() + mainEnd,
                             run->length * sizeof(T));
            }
        }
    }
}

std::vector<uint32_t> mergeNulls(const std::vector<uint32_t>& mainNulls,
                                 const std::vector<uint32_t>& blockNulls, size_t tailStart,
                                 const std::vector<MergeRun>& runs) {
    std::vector<uint32_t> merged;
    merged.reserve(mainNulls.size() + blockNulls.size());
    auto mainIt = std::lower_bound(mainNulls.begin(), mainNulls.end(), tailStart);
    merged.insert(merged.end(), mainNulls.begin(), mainIt);
    auto blockIt = blockNulls.begin();
    size_t mainPos = tailStart;
    size_t blockPos = 0;
    size_t outPos = tailStart;
    for (const MergeRun& run : runs) {
        if (run.fromBlock) {
            for (; blockIt != blockNulls.end() && *blockIt < blockPos + run.length; ++blockIt) {
                merged.push_back(static_cast<uint32_t>(*blockIt - blockPos + outPos));
            }
            blockPos += run.length;
        } else {
            for (; mainIt != mainNulls.end() && *mainIt < mainPos + run.length; ++mainIt) {
                merged.push_back(static_cast<uint32_t>(*mainIt - mainPos + outPos));
            }
            mainPos += run.length;
        }
        outPos += run.length;
    }
    return merged;
}

}  // namespace

bool TrendSeries::IsNull(size_t j) const {
    if (j >= values_.size()) {
        throw ListIndexError("point index " + std::to_string(j) + " out of range (" +
                             std::to_string(values_.size()) + " points)");
    }
    return std::binary_search(nulls_.begin(), nulls_.end(), static_cast<uint32_t>(j));
}

void TrendSeries::clearPoints() {
    values_.clear();
    values_.shrink_to_fit();
    nulls_.clear();
    minY_ = std::numeric_limits<double>::infinity();
    maxY_ = -std::numeric_limits<double>::infinity();
}

void TrendSeries::noteValue(double value) {
    minY_ = std::min(minY_, value);
    maxY_ = std::max(maxY_, value);
}

void TrendSeries::append(double value, bool isNull) {
    if (isNull) {
        nulls_.push_back(static_cast<uint32_t>(values_.size()));
    }
    growFor(values_, 1);
    values_.push_back(value);
    noteValue(value);
}

void PointBlock::addRow(TDateTime x, std::span<const double> values,
                        std::span<const uint8_t> nulls) {
    // All room first, so that a failed allocation leaves the block as it was.
    growFor(times_, 1);
    for (size_t i = 0; i < values_.size(); ++i) {
        growFor(values_[i], 1);
        if (nulls[i]) {
            growFor(nulls_[i], 1);
        }
    }
    for (size_t i = 0; i < values_.size(); ++i) {
        if (nulls[i]) {
            nulls_[i].push_back(static_cast<uint32_t>(times_.size()));
        }
        values_[i].push_back(values[i]);
    }
    times_.push_back(x);
}

void PointBlock::clear() {
    times_.clear();
    for (auto& column : values_) {
        column.clear();
    }
    for (auto& column : nulls_) {
        column.clear();
    }
}

TrendDataSet::TrendDataSet(std::vector<TColor> palette, TColor chartColor, TColor backWallColor)
    : palette_(std::move(palette)), chartColor_(chartColor), backWallColor_(backWallColor) {
    design_ = std::make_shared<TrendSeries>();
    design_->Format.Pointer = SeriesPointer{true, psCircle, 3, 3};
    design_->Format.SmallDots = false;
    design_->Format.TreatNulls = NullTreatment::DontPaint;
    AddSeries(design_);
}

TrendSeries& TrendDataSet::Series(size_t i) {
    return *SeriesHandle(i);
}
const TrendSeries& TrendDataSet::Series(size_t i) const {
    return *SeriesHandle(i);
}

const TrendDataSet::SeriesPtr& TrendDataSet::SeriesHandle(size_t i) const {
    if (i >= list_.size()) {
        throw ListIndexError("series index " + std::to_string(i) + " out of range (" +
                             std::to_string(list_.size()) + " series)");
    }
    return list_[i];
}

TColor TrendDataSet::nextPaletteColor() const {
    for (TColor color : palette_) {
        if (color == chartColor_ || color == backWallColor_) {
            continue;
        }
        bool used = std::any_of(list_.begin(), list_.end(),
                                [&](const SeriesPtr& s) { return s->SeriesColor == color; });
        if (!used) {
            return color;
        }
    }
    return palette_.empty() ? 0 : palette_[list_.size() % palette_.size()];
}

void TrendDataSet::AddSeries(SeriesPtr s) {
    ++revision_;
    if (list_.empty()) {
        times_.clear();
        pending_ = PointBlock();
    }
    if (!times_.empty() || !pending_.empty()) {
        throw std::logic_error("a series can only join a data set without points");
    }
    s->clearPoints();
    if (s->SeriesColor == clDefault) {
        s->SeriesColor = nextPaletteColor();
    }
    list_.push_back(std::move(s));
    pending_ = PointBlock(list_.size());
}

void TrendDataSet::RemoveAllSeries() {
    ++revision_;
    list_.clear();
    times_.clear();
    pending_ = PointBlock();
}

void TrendDataSet::ClearPoints() {
    ++revision_;
    times_.clear();
    times_.shrink_to_fit();
    for (auto& s : list_) {
        s->clearPoints();
    }
    pending_.clear();
}

void TrendDataSet::reserveRows(size_t extra) {
    // Grows by half at least, so that file after file of a run is not copied again each time.
    growFor(times_, extra);
    for (auto& s : list_) {
        growFor(s->values_, extra);
    }
}

void TrendDataSet::AddRow(TDateTime x, std::span<const double> values,
                          std::span<const uint8_t> nulls) {
    if (values.size() < list_.size() || nulls.size() < list_.size()) {
        throw std::logic_error("a row needs one value per series");
    }
    if (!times_.empty() && x < times_.back()) {
        pending_.addRow(x, values, nulls);
        return;
    }
    // All room first, so that a failed allocation leaves every column as it was.
    growFor(times_, 1);
    for (size_t i = 0; i < list_.size(); ++i) {
        growFor(list_[i]->values_, 1);
        if (nulls[i] != 0) {
            growFor(list_[i]->nulls_, 1);
        }
    }
    ++revision_;
    times_.push_back(x);
    for (size_t i = 0; i < list_.size(); ++i) {
        list_[i]->append(values[i], nulls[i] != 0);
    }
}

void TrendDataSet::AppendRows(std::span<const TDateTime> times, std::span<const uint32_t> rows,
                              const double* values, const uint8_t* nulls, size_t stride) {
    if (list_.empty() || rows.empty()) {
        return;
    }
    if (stride < list_.size() || times.size() != rows.size() || !canAppendAt(times.front())) {
        throw std::logic_error("rows to append need one value per series, in time order");
    }
    // All room first, so that a failed allocation leaves every column as it was.
    growFor(times_, rows.size());
    for (size_t i = 0; i < list_.size(); ++i) {
        size_t nullCount = 0;
        for (uint32_t row : rows) {
            nullCount += nulls[static_cast<size_t>(row) * stride + i] != 0;
        }
        growFor(list_[i]->values_, rows.size());
        growFor(list_[i]->nulls_, nullCount);
    }
    ++revision_;
    const size_t first = times_.size();
    times_.insert(times_.end(), times.begin(), times.end());
    for (size_t i = 0; i < list_.size(); ++i) {
        TrendSeries& series = *list_[i];
        double low = series.minY_;
        double high = series.maxY_;
        for (size_t k = 0; k < rows.size(); ++k) {
            const size_t at = static_cast<size_t>(rows[k]) * stride + i;
            const double v = values[at];
            series.values_.push_back(v);
            low = v < low ? v : low;
            high = v > high ? v : high;
            if (nulls[at] != 0) {
                series.nulls_.push_back(static_cast<uint32_t>(first + k));
            }
        }
        series.minY_ = low;
        series.maxY_ = high;
    }
}

size_t TrendDataSet::memoryBytes() const {
    size_t bytes = times_.capacity() * sizeof(TDateTime);
    for (const auto& s : list_) {
        bytes += s->values_.capacity() * sizeof(double) + s->nulls_.capacity() * sizeof(uint32_t);
    }
    return bytes;
}

void TrendDataSet::commitPending() {
    if (!pending_.empty()) {
        mergeBlock(pending_);
        pending_.clear();
    }
}

void TrendDataSet::mergeBlock(PointBlock& block) {
    ++revision_;
    const size_t k = block.rowCount();
    // Points of equal time keep the order they were added in.
    if (!std::is_sorted(block.times_.begin(), block.times_.end())) {
        std::vector<size_t> order(k);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return block.times_[a] < block.times_[b]; });
        std::vector<size_t> rank(k);
        for (size_t r = 0; r < k; ++r) {
            rank[order[r]] = r;
        }
        auto permute = [&](auto& column) {
            auto copy = column;
            for (size_t r = 0; r < k; ++r) {
                column[r] = copy[order[r]];
            }
        };
        permute(block.times_);
        for (size_t i = 0; i < block.values_.size(); ++i) {
            permute(block.values_[i]);
            for (auto& index : block.nulls_[i]) {
                index = static_cast<uint32_t>(rank[index]);
            }
            std::sort(block.nulls_[i].begin(), block.nulls_[i].end());
        }
    }

    const size_t n = times_.size();
    const size_t tailStart = static_cast<size_t>(
        std::upper_bound(times_.begin(), times_.end(), block.times_.front()) - times_.begin());
    std::vector<MergeRun> runs;
    auto addRun = [&](bool fromBlock, size_t length) {
        if (length == 0) {
            return;
        }
        if (!runs.empty() && runs.back().fromBlock == fromBlock) {
            runs.back().length += length;
        } else {
            runs.push_back({fromBlock, length});
        }
    };
    size_t i = tailStart;
    size_t j = 0;
    while (i < n && j < k) {
        if (times_[i] <= block.times_[j]) {
            const size_t end = static_cast<size_t>(
                std::upper_bound(times_.begin() + static_cast<std::ptrdiff_t>(i), times_.end(),
                                 block.times_[j]) -
                times_.begin());
            addRun(false, end - i);
            i = end;
        } else {
            const size_t end = static_cast<size_t>(
                std::lower_bound(block.times_.begin() + static_cast<std::ptrdiff_t>(j),
                                 block.times_.end(), times_[i]) -
                block.times_.begin());
            addRun(true, end - j);
            j = end;
        }
    }
    addRun(false, n - i);
    addRun(true, k - j);

    // Everything that allocates comes first; the columns change only when nothing can fail.
    growFor(times_, k);
    std::vector<std::vector<uint32_t>> mergedNulls(list_.size());
    for (size_t s = 0; s < list_.size(); ++s) {
        growFor(list_[s]->values_, k);
        mergedNulls[s] = mergeNulls(list_[s]->nulls_, block.nulls_[s], tailStart, runs);
    }
    applyRuns(times_, block.times_, runs);
    for (size_t s = 0; s < list_.size(); ++s) {
        TrendSeries& series = *list_[s];
        applyRuns(series.values_, block.values_[s], runs);
        series.nulls_.swap(mergedNulls[s]);
        for (double value : block.values_[s]) {
            series.noteValue(value);
        }
    }
}

}  // namespace trend
