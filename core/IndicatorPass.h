#pragma once

#include <cstdint>
#include <span>

namespace trend {

// What the pass compares against: the band is lower < value < upper.
struct IndicatorLimits {
    double threshold = 0.0;
    double lower = 0.0;
    double upper = 0.0;
    int64_t filterSamples = 0;  // settling countdown set by a step sample
};

// The counts and maxima of one pass. 64-bit, so that no count and no countdown can overflow.
struct IndicatorTotals {
    int64_t tSample = 0;
    int64_t vSample = 0;
    int64_t spdvi = 0;
    int64_t dvi = 0;
    int64_t dvsp = 0;
    int64_t dvspi = 0;
    int64_t dvsp5 = 0;
    int64_t dvspi5 = 0;
    double spdvMax = 0.0;
    double dvMax = 0.0;
    double dvspMax = 0.0;
    double dvspMax5 = 0.0;
};

// One pass over the points (first[i], second[i]), read in place with constant working
// storage. first must not be empty and second must hold at least as many points.
//
// Per point: a first-series value of exactly 200.0 is skipped. Every other point is a valid
// sample and becomes the previous value; an in-band one is a step sample when it lies more than
// the threshold from the previous value, otherwise steady. A step sample ends the current run
// of excursions and sets the settling countdown; each steady sample lowers a countdown that is
// not 0 after its own evaluation. A steady sample deviating by more than the threshold begins
// an episode when the run had the other sign or none. All comparisons are strict.
//
// Blocks of valid samples go through vector code; vectors chooses it (every choice gives the
// same totals): Best the widest the processor has, Sse2 two points per vector, None every point
// on its own.
enum class PassVectors { Best, Sse2, None };
IndicatorTotals RunIndicatorPass(std::span<const double> first, std::span<const double> second,
                                 const IndicatorLimits& limits,
                                 PassVectors vectors = PassVectors::Best);

}  // namespace trend
