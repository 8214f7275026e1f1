#pragma once

#include <utility>

namespace trend {

// A chart axis as the window's handlers see it. Automatic axes take the data range at the
// next draw and keep Minimum and Maximum at the values they last used.
struct AxisModel {
    // The width a zero-width range is widened to, in axis units.
    static constexpr double kMinimumRange = 1e-10;

    bool Automatic = true;
    double Minimum = 0.0;
    double Maximum = 0.0;

    // Sets both ends, switches Automatic off, swaps reversed ends, widens a zero width.
    void SetMinMax(double low, double high) {
        if (low > high) {
            std::swap(low, high);
        }
        if (high == low) {
            high = low + kMinimumRange;
        }
        Minimum = low;
        Maximum = high;
        Automatic = false;
    }
    // What a draw does to an automatic axis.
    void fitAutomatic(double low, double high) {
        if (!Automatic) {
            return;
        }
        if (low > high) {
            std::swap(low, high);
        }
        Minimum = low;
        Maximum = high == low ? low + kMinimumRange : high;
    }
    double width() const { return Maximum - Minimum; }
};

}  // namespace trend
