#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "LargeBlockAllocator.h"
#include "Mydatetimeunit.h"
#include "TrendColors.h"

namespace trend {

enum class VertAxisSide { Left, Right };
enum class NullTreatment { DontPaint, Skip, Ignore };

// Pointer styles 0..15; a style number beyond 15 is drawn without a pointer.
enum PointerStyle : int {
    psRectangle = 0,
    psCircle,
    psTriangle,
    psDownTriangle,
    psCross,
    psDiagCross,
    psStar,
    psDiamond,
    psSmallDot,
    psNothing,
    psLeftTriangle,
    psRightTriangle,
    psHexagon,
    psVisual,
    psDonut,
    psArrow
};

struct SeriesPointer {
    bool Visible = true;
    int Style = psCircle;
    int HorizSize = 3;
    int VertSize = 3;
};

// What AssignFormat copies from the template series.
struct SeriesFormat {
    SeriesPointer Pointer;
    bool SmallDots = false;
    NullTreatment TreatNulls = NullTreatment::DontPaint;
};

class TrendDataSet;

// One column of the data set.
template <typename T>
using Column = std::vector<T, LargeBlockAllocator<T>>;

// One value column: attributes and the values of its points. The times are the data set's.
class TrendSeries {
public:
    std::string Title;
    VertAxisSide VertAxis = VertAxisSide::Left;
    TColor SeriesColor = clDefault;
    SeriesFormat Format;
    bool Active = true;

    void AssignFormat(const TrendSeries& source) { Format = source.Format; }

    size_t Count() const { return values_.size(); }
    double YValue(size_t j) const { return values_.at(j); }
    bool IsNull(size_t j) const;
    TColor ValueColor(size_t j) const { return IsNull(j) ? clNone : clDefault; }
    // Over all points, null points included; 0 without points.
    double MinYValue() const { return values_.empty() ? 0.0 : minY_; }
    double MaxYValue() const { return values_.empty() ? 0.0 : maxY_; }

    std::span<const double> values() const { return values_; }
    // Indices of the null points, ascending.
    std::span<const uint32_t> nullIndices() const { return nulls_; }

private:
    friend class TrendDataSet;

    // One column of the data set.
    template <typename T>
    using Column = std::vector<T, LargeBlockAllocator<T>>;
    void clearPoints();
    void append(double value, bool isNull);
    void noteValue(double value);

    Column<double> values_;
    std::vector<uint32_t> nulls_;
    double minY_ = std::numeric_limits<double>::infinity();
    double maxY_ = -std::numeric_limits<double>::infinity();
};

// Rows added out of time order, kept aside and merged into the data set in one step.
class PointBlock {
public:
    explicit PointBlock(size_t seriesCount = 0) : values_(seriesCount), nulls_(seriesCount) {}
    size_t seriesCount() const { return values_.size(); }
    size_t rowCount() const { return times_.size(); }
    bool empty() const { return times_.empty(); }
    void addRow(TDateTime x, std::span<const double> values, std::span<const uint8_t> nulls);
    void clear();

private:
    friend class TrendDataSet;

    // One column of the data set.
    template <typename T>
    using Column = std::vector<T, LargeBlockAllocator<T>>;
    std::vector<TDateTime> times_;
    std::vector<std::vector<double>> values_;
    std::vector<std::vector<uint32_t>> nulls_;
};

// The loaded trend: the chart's series list, its title and the bottom axis's title.
// Invariant: every series in the list has one point per entry of the shared time vector, and
// the times ascend.
class TrendDataSet {
public:
    using SeriesPtr = std::shared_ptr<TrendSeries>;

    explicit TrendDataSet(std::vector<TColor> palette = DefaultSeriesPalette(),
                          TColor chartColor = clBtnFace, TColor backWallColor = clBtnFace);

    // The design series, template of every series the reader creates.
    const SeriesPtr& Series1() const { return design_; }

    size_t SeriesCount() const { return list_.size(); }
    TrendSeries& Series(size_t i);
    const TrendSeries& Series(size_t i) const;
    const SeriesPtr& SeriesHandle(size_t i) const;

    // Appends s to the list; a series of colour clDefault takes the first free palette colour.
    void AddSeries(SeriesPtr s);
    void RemoveAllSeries();
    // Removes all points of every series.
    void ClearPoints();

    size_t Count() const { return times_.size(); }
    TDateTime XValue(size_t j) const { return times_.at(j); }
    std::span<const TDateTime> times() const { return times_; }
    TDateTime MinXValue() const { return times_.empty() ? 0.0 : times_.front(); }
    TDateTime MaxXValue() const { return times_.empty() ? 0.0 : times_.back(); }

    // Adds one point to every series at time x; a point whose time lies before the last one
    // goes into the pending block and takes its place at the next commitPending().
    // values and nulls hold one entry per series.
    void AddRow(TDateTime x, std::span<const double> values, std::span<const uint8_t> nulls);
    // Adds many rows at once: row k has time times[k], its values at values + rows[k] * stride
    // and its null marks at nulls + rows[k] * stride. The times ascend and none lies before
    // the last point (canAppendInOrder), so no point needs to be placed among earlier ones.
    void AppendRows(std::span<const TDateTime> times, std::span<const uint32_t> rows,
                    const double* values, const uint8_t* nulls, size_t stride);
    bool canAppendAt(TDateTime x) const { return times_.empty() || x >= times_.back(); }
    // Places the pending earlier points among the others: after every point of the same time.
    void commitPending();
    bool hasPending() const { return !pending_.empty(); }
    // Counts every change of the points or of the series list, for views that cache.
    uint64_t revision() const { return revision_; }
    // Bytes the columns hold on to, capacity included.
    size_t memoryBytes() const;
    void reserveRows(size_t extra);

    std::vector<std::string> TitleText{"TChart"};
    std::string BottomAxisTitle;

private:
    void mergeBlock(PointBlock& block);
    TColor nextPaletteColor() const;

    std::vector<TColor> palette_;
    TColor chartColor_;
    TColor backWallColor_;
    SeriesPtr design_;
    std::vector<SeriesPtr> list_;
    Column<TDateTime> times_;
    PointBlock pending_;
    uint64_t revision_ = 0;
};

}  // namespace trend
