#include <gtest/gtest.h>

#include "ChartViewRules.h"
#include "Mydatetimeunit.h"
#include "TrendFileFixtures.h"

using namespace trend;
using namespace trendtest;

namespace {

TEST(HScalePresets, ReCentreTheWindowWithTheItemsWidth) {
    TrendViewState state;
    const double middle = ParseDateTimeText("2021/03/15 12:00:00");
    for (int index = 0; index < kHScaleAuto; ++index) {
        state.BottomAxis.SetMinMax(middle - 0.25, middle + 0.25);
        state.RadioGroup1ItemIndex = index;
        RadioGroup1Click(state);
        EXPECT_FALSE(state.BottomAxis.Automatic);
        EXPECT_NEAR(state.BottomAxis.width(), HScaleWidthDays(index), 1e-9) << index;
        EXPECT_NEAR((state.BottomAxis.Minimum + state.BottomAxis.Maximum) / 2, middle, 1e-9)
            << index;
    }
    EXPECT_DOUBLE_EQ(HScaleWidthDays(0), 600.0 / 86400);
    EXPECT_DOUBLE_EQ(HScaleWidthDays(6), 1.0 / 6);
    EXPECT_DOUBLE_EQ(HScaleWidthDays(16), 62.0);
}

TEST(HScalePresets, AutoMakesTheAxisAutomaticAndKeepsItsLastRange) {
    TrendViewState state;
    state.BottomAxis.SetMinMax(100, 101);
    state.RadioGroup1ItemIndex = kHScaleAuto;
    RadioGroup1Click(state);
    EXPECT_TRUE(state.BottomAxis.Automatic);
    state.BottomAxis.fitAutomatic(100, 110);  // what the next draw shows
    state.RadioGroup1ItemIndex = 9;
    RadioGroup1Click(state);
    EXPECT_DOUBLE_EQ(state.BottomAxis.Minimum, 104.5);
    EXPECT_DOUBLE_EQ(state.BottomAxis.Maximum, 105.5);
}

TEST(BottomAxisLabels, PatternFollowsTheWindowWidth) {
    const std::pair<int, const char*> cases[] = {
        {11, "mm/dd hh:nn"}, {10, "hh:nn'm'"}, {9, "hh:nn'm'"},
        {6, "hh:nn'm'"},     {4, "hh:nn:ss"},  {0, "hh:nn:ss"},
    };
    TrendViewState state;
    const double middle = ParseDateTimeText("2021/03/15 12:00:00");
    for (auto [index, pattern] : cases) {
        state.BottomAxis.SetMinMax(middle - 0.1, middle + 0.1);
        state.RadioGroup1ItemIndex = index;
        RadioGroup1Click(state);
        EXPECT_EQ(BottomAxisLabelPattern(state.BottomAxis), pattern) << index;
    }
    AxisModel axis;
    axis.SetMinMax(0, 2879.0 / 1440);
    EXPECT_EQ(BottomAxisLabelPattern(axis), "mm/dd hh:nn") << "k = 2880";
    axis.SetMinMax(0, 59.5 / 1440);
    EXPECT_EQ(BottomAxisLabelPattern(axis), "hh:nn:ss");
}

TEST(WindowEndLabels, ShowMonthDayAndTime) {
    AxisModel axis;
    axis.SetMinMax(ParseDateTimeText("2021/12/09 13:45:30"),
                   ParseDateTimeText("2021/12/10 01:02:03"));
    const auto [left, right] = WindowEndTexts(axis, RegionalSettings::cLocale());
    EXPECT_EQ(left, "12/09 13:45:30");
    EXPECT_EQ(right, "12/10 01:02:03");
}

TEST(TimeScrolling, ScrollingBackAndForthKeepsTheWindowWidth) {
    ReaderHarness h;
    h.read("ten_second_rows.csv");  // 08:15:00 to 08:22:10
    TrendViewState& state = h.state;
    state.BottomAxis.SetMinMax(ParseDateTimeText("2021/03/15 08:16:00"),
                               ParseDateTimeText("2021/03/15 08:18:00"));
    ResyncScrollBars(state);
    const double width = state.BottomAxis.width();
    const int page = state.ScrollBar1.PageSize();
    for (int step = 0; step < 100; ++step) {
        const int delta = step % 20 < 10 ? 1 : -1;
        state.ScrollBar1.setPosition(state.ScrollBar1.Position() + delta);
        ScrollBar1Scroll(state);
        ResyncScrollBars(state);  // the draw after the scroll skips the time bar
        ResyncScrollBars(state);  // and an ordinary draw after that
        ASSERT_EQ(state.ScrollBar1.PageSize(), page) << step;
    }
    EXPECT_NEAR(state.BottomAxis.width(), width, state.FDaysPerStep / 2);
}

TEST(TimeScrolling, ScrollHandlerUsesTheBarAsItStands) {
    ReaderHarness h;
    h.read("ten_second_rows.csv");
    TrendViewState& state = h.state;
    state.ScrollBar1.setPageSize(2);
    state.ScrollBar1.setPosition(3);
    ScrollBar1Scroll(state);
    EXPECT_TRUE(state.FTimeScrolling);
    EXPECT_DOUBLE_EQ(state.BottomAxis.Minimum, state.Chart1.MinXValue() + 3 * state.FDaysPerStep);
    EXPECT_NEAR(state.BottomAxis.width(), 2 * state.FDaysPerStep, 1e-9);
    ResyncScrollBars(state);
    EXPECT_FALSE(state.FTimeScrolling);
    EXPECT_EQ(state.ScrollBar1.Position(), 3) << "the moved bar is left as the user put it";
}

TEST(TimeScrolling, NothingHappensWithoutATimeRange) {
    TrendViewState state;  // right after start-up: one empty series, no step
    state.BottomAxis.SetMinMax(1, 2);
    ScrollBar1Scroll(state);
    EXPECT_DOUBLE_EQ(state.BottomAxis.Minimum, 1);
    state.Chart1.RemoveAllSeries();
    ResyncScrollBars(state);
    EXPECT_EQ(state.ScrollBar1.PageSize(), 1000);
}

TEST(ScrollBars, PresetWiderThanTheDataKeepsThePreviousPage) {
    ReaderHarness h;
    h.read("ten_second_rows.csv");
    TrendViewState& state = h.state;
    state.BottomAxis.SetMinMax(state.Chart1.MinXValue(), state.Chart1.MaxXValue());
    ResyncScrollBars(state);
    const int page = state.ScrollBar1.PageSize();
    state.RadioGroup1ItemIndex = 16;  // 62 days
    RadioGroup1Click(state);
    ResyncScrollBars(state);
    EXPECT_EQ(state.ScrollBar1.PageSize(), page) << "a page above the maximum is ignored";
}

TEST(ValueScrollBar, FollowsTheLeftAxis) {
    ReaderHarness h;
    h.read("three_columns.csv");  // values 12.5 .. 51
    TrendViewState& state = h.state;
    state.LeftAxis.SetMinMax(state.FValueBottom, state.FValueTop);
    ResyncScrollBars(state);
    EXPECT_EQ(state.ScrollBar2.PageSize(), 100);
    EXPECT_EQ(state.ScrollBar2.Position(), 0);
    state.FValueScrolling = true;
    state.LeftAxis.SetMinMax(0, 1);
    ResyncScrollBars(state);
    EXPECT_EQ(state.ScrollBar2.PageSize(), 100) << "left alone after a value scroll";
    EXPECT_FALSE(state.FValueScrolling);
}

TEST(RubberBandZoom, ClearsHScaleAndLeftVScaleOnly) {
    TrendViewState state;
    state.RadioGroup1ItemIndex = 3;
    state.RadioGroup2ItemIndex = 2;
    state.RadioGroup3ItemIndex = 4;
    Chart1Zoom(state);
    EXPECT_EQ(state.RadioGroup1ItemIndex, -1);
    EXPECT_EQ(state.RadioGroup2ItemIndex, -1);
    EXPECT_EQ(state.RadioGroup3ItemIndex, 4);
}

}  // namespace
