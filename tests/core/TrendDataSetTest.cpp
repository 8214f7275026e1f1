#include <gtest/gtest.h>

#include "TrendDataSet.h"
#include "TrendErrors.h"

using namespace trend;

namespace {

void addRow(TrendDataSet& data, double x, std::vector<double> values,
            std::vector<uint8_t> nulls = {}) {
    nulls.resize(values.size(), 0);
    data.AddRow(x, values, nulls);
}

std::vector<double> valuesOf(const TrendSeries& s) {
    return std::vector<double>(s.values().begin(), s.values().end());
}

TEST(TrendDataSet, StartsWithTheEmptyDesignSeries) {
    TrendDataSet data;
    EXPECT_EQ(data.SeriesCount(), 1u);
    EXPECT_EQ(data.SeriesHandle(0), data.Series1());
    EXPECT_EQ(data.Series(0).Count(), 0u);
    EXPECT_EQ(data.MinXValue(), 0.0);
    EXPECT_EQ(data.MaxXValue(), 0.0);
    EXPECT_EQ(data.Series(0).MinYValue(), 0.0);
    EXPECT_EQ(data.Series(0).Format.Pointer.Style, psCircle);
    EXPECT_EQ(data.TitleText, std::vector<std::string>{"TChart"});
    EXPECT_THROW(data.Series(1), ListIndexError);
}

TEST(TrendDataSet, NewSeriesTakeTheFirstFreePaletteColour) {
    TrendDataSet data({0x01, 0x02, 0x03, 0x04}, 0x02, 0x05);
    data.AddSeries(std::make_shared<TrendSeries>());
    data.AddSeries(std::make_shared<TrendSeries>());
    EXPECT_EQ(data.Series(0).SeriesColor, 0x01u);
    EXPECT_EQ(data.Series(1).SeriesColor, 0x03u) << "the chart's own colour is passed over";
    EXPECT_EQ(data.Series(2).SeriesColor, 0x04u);
}

TEST(TrendDataSet, EarlierPointsGoAfterEveryPointOfTheSameTime) {
    TrendDataSet data;
    data.AddSeries(std::make_shared<TrendSeries>());
    addRow(data, 10, {1, 10});
    addRow(data, 20, {2, 20});
    addRow(data, 30, {3, 30}, {0, 1});
    addRow(data, 20, {4, 40}, {1, 0});  // before the last point: pending until committed
    addRow(data, 5, {5, 50});
    addRow(data, 40, {6, 60});
    addRow(data, 20, {7, 70});
    data.commitPending();
    EXPECT_EQ(std::vector<double>(data.times().begin(), data.times().end()),
              (std::vector<double>{5, 10, 20, 20, 20, 30, 40}));
    EXPECT_EQ(valuesOf(data.Series(0)), (std::vector<double>{5, 1, 2, 4, 7, 3, 6}));
    EXPECT_EQ(valuesOf(data.Series(1)), (std::vector<double>{50, 10, 20, 40, 70, 30, 60}));
    EXPECT_TRUE(data.Series(0).IsNull(3));
    EXPECT_TRUE(data.Series(1).IsNull(5));
    EXPECT_EQ(data.Series(0).nullIndices().size(), 1u);
    EXPECT_EQ(data.Series(1).nullIndices().size(), 1u);
    EXPECT_EQ(data.Series(0).MinYValue(), 1.0);
    EXPECT_EQ(data.Series(1).MaxYValue(), 70.0);
    EXPECT_EQ(data.Series(0).ValueColor(3), clNone);
    EXPECT_EQ(data.Series(0).ValueColor(2), clDefault);
}

TEST(TrendDataSet, AnEarlierBlockMergesInFrontOfAMillionPoints) {
    TrendDataSet data;
    for (int j = 0; j < 1000000; ++j) {
        addRow(data, 1000.0 + j, {static_cast<double>(j)}, {static_cast<uint8_t>(j % 1000 == 0)});
    }
    for (int j = 0; j < 1000; ++j) {
        addRow(data, j, {-1.0 - j}, {static_cast<uint8_t>(j == 10)});
    }
    data.commitPending();
    ASSERT_EQ(data.Count(), 1001000u);
    EXPECT_TRUE(std::is_sorted(data.times().begin(), data.times().end()));
    EXPECT_EQ(data.Series(0).YValue(0), -1.0);
    EXPECT_EQ(data.Series(0).YValue(1000), 0.0);
    EXPECT_TRUE(data.Series(0).IsNull(10));
    EXPECT_TRUE(data.Series(0).IsNull(1000));
    EXPECT_TRUE(data.Series(0).IsNull(2000));
    EXPECT_EQ(data.Series(0).nullIndices().size(), 1001u);
}

TEST(TrendDataSet, RemovingAllSeriesKeepsTheDesignSeriesAsTemplate) {
    TrendDataSet data;
    addRow(data, 1, {1});
    data.RemoveAllSeries();
    EXPECT_EQ(data.SeriesCount(), 0u);
    EXPECT_EQ(data.Count(), 0u);
    ASSERT_TRUE(data.Series1());
    auto created = std::make_shared<TrendSeries>();
    created->AssignFormat(*data.Series1());
    EXPECT_EQ(created->Format.Pointer.HorizSize, 3);
    data.AddSeries(created);
    EXPECT_EQ(data.Series(0).Count(), 0u);
}

}  // namespace
