#pragma once

#include <string>
#include <utility>

#include "Regional.h"
#include "TrendViewState.h"

namespace trend {

// What the chart's handlers do to the window state, without a display. Times are in days.

// Width of H Scale item index in days; the last item, "Auto", has none (0).
double HScaleWidthDays(int index);
inline constexpr int kHScaleAuto = 17;

// The H Scale group's click: "Auto" makes the bottom axis automatic, any other item re-centres
// the time window on its middle with the item's width.
void RadioGroup1Click(TrendViewState& state);

// Label pattern of the time axis for the window on view.
std::string BottomAxisLabelPattern(const AxisModel& bottomAxis);

// Texts of Label2 and Label3: the ends of the time window.
std::pair<std::string, std::string> WindowEndTexts(const AxisModel& bottomAxis,
                                                   const RegionalSettings& regional);

// The after-draw resync: brings both scroll bars in step with the axes (leaving alone the one
// the user has just moved), then clears both scrolling flags. The time bar counts in the same
// unit the scroll handler moves by, rounded to the nearest unit, so scrolling keeps the width.
void ResyncScrollBars(TrendViewState& state);

// ScrollBar1's notification: the time window from the bar's position and page.
void ScrollBar1Scroll(TrendViewState& state);

// After a rubber-band zoom: no H Scale and no V Scale/Left selection.
void Chart1Zoom(TrendViewState& state);

// Days per unit of ScrollBar1: the reader's step, or a minute before there is one.
double TimeScrollUnit(const TrendViewState& state);

}  // namespace trend
