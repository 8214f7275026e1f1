#include "ChartViewRules.h"

#include <cmath>

#include "Mydatetimeunit.h"
#include "NumberText.h"

namespace trend {

double HScaleWidthDays(int index) {
    constexpr double kSecond = 1.0 / 86400.0;
    static const double widths[] = {1 * kSecond * 10 * 60,
                                    2 * kSecond * 10 * 60,
                                    3 * kSecond * 10 * 60,
                                    4 * kSecond * 10 * 60,
                                    5 * kSecond * 10 * 60,
                                    6 * kSecond * 10 * 60,
                                    1.0 / 6.0,
                                    1.0 / 3.0,
                                    0.5,
                                    1.0,
                                    1.5,
                                    2.0,
                                    7.0,
                                    14.0,
                                    28.0,
                                    35.0,
                                    62.0};
    if (index < 0 || index >= kHScaleAuto) {
        return 0.0;
    }
    return widths[index];
}

void RadioGroup1Click(TrendViewState& state) {
    const int index = state.RadioGroup1ItemIndex;
    AxisModel& axis = state.BottomAxis;
    if (index == kHScaleAuto) {
        axis.Automatic = true;
        return;
    }
    if (index < 0 || index > kHScaleAuto) {
        return;
    }
    const double w = HScaleWidthDays(index);
    axis.Automatic = false;
    const double d = axis.Maximum - axis.Minimum;
    if (d > w) {
        const double h = (d - w) / 2;
        axis.Maximum = axis.Maximum - h;
        axis.Minimum = axis.Minimum + h;
    } else {
        const double h = (w - d) / 2;
        axis.Maximum = axis.Maximum + h;
        axis.Minimum = axis.Minimum - h;
    }
}

std::string BottomAxisLabelPattern(const AxisModel& axis) {
    const double k = std::trunc((axis.Maximum - axis.Minimum) * 1440.0 + 1.0);
    if (k > 60) {
        return k >= 2880 ? "mm/dd hh:nn" : "hh:nn'm'";
    }
    return "hh:nn:ss";
}

std::pair<std::string, std::string> WindowEndTexts(const AxisModel& axis,
                                                   const RegionalSettings& regional) {
    const char* pattern = "mm'/'dd hh':'nn':'ss";
    return {FormatDateTime(pattern, axis.Minimum, regional),
            FormatDateTime(pattern, axis.Maximum, regional)};
}

double TimeScrollUnit(const TrendViewState& state) {
    return state.FDaysPerStep > 0.0 ? state.FDaysPerStep : 1.0 / 1440.0;
}

void ResyncScrollBars(TrendViewState& state) {
    const TrendDataSet& chart = state.Chart1;
    if (!state.FTimeScrolling && chart.SeriesCount() > 0) {
        const double unit = TimeScrollUnit(state);
        const AxisModel& axis = state.BottomAxis;
        state.ScrollBar1.setPageSize(RoundToInt32((axis.Maximum - axis.Minimum) / unit));
        state.ScrollBar1.setPosition(RoundToInt32((axis.Minimum - chart.MinXValue()) / unit));
    }
    const double perStep = state.FValuePerStep;
    if (!state.FValueScrolling && perStep != 0.0 && std::isfinite(perStep) &&
        std::isfinite(state.FValueTop)) {
        const AxisModel& left = state.LeftAxis;
        state.ScrollBar2.setPageSize(TruncToInt32((left.Maximum - left.Minimum) / perStep));
        state.ScrollBar2.setPosition(TruncToInt32((state.FValueTop - left.Maximum) / perStep));
    }
    state.FValueScrolling = false;
    state.FTimeScrolling = false;
}

void ScrollBar1Scroll(TrendViewState& state) {
    if (state.Chart1.SeriesCount() == 0 || state.FDaysPerStep <= 0.0) {
        return;  // no time range to scroll over
    }
    const double p = state.ScrollBar1.Position();
    const double s = state.ScrollBar1.PageSize();
    const double start = state.Chart1.MinXValue() + state.FDaysPerStep * p;
    const double end = start + state.FDaysPerStep * s;
    state.FTimeScrolling = true;
    state.BottomAxis.SetMinMax(start, end);
}

void Chart1Zoom(TrendViewState& state) {
    state.RadioGroup1ItemIndex = -1;
    state.RadioGroup2ItemIndex = -1;
}

}  // namespace trend
