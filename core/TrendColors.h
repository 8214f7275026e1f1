#pragma once

#include <cstdint>
#include <vector>

namespace trend {

// Colours are 0x00BBGGRR.
using TColor = uint32_t;
constexpr TColor clDefault = 0x20000000;  // the series' own colour: a normal point
constexpr TColor clNone = 0x1FFFFFFF;     // a null point
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clDarkSlateGray = 0x4F4F2F;
constexpr TColor clDarkOrange = 0x008CFF;
constexpr TColor clBtnFace = 0xF0F0F0;

// The chart's series palette, in the order new series take it.
const std::vector<TColor>& DefaultSeriesPalette();

}  // namespace trend
