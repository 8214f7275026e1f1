#include "IndicatorPass.h"

#include <algorithm>
#include <bit>
#include <cmath>

// x86-64 has SSE2 everywhere; AVX is used where the processor has it (GCC and Clang can
// compile single functions for it).
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TREND_INDICATOR_SSE2 1
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define TREND_INDICATOR_AVX 1
#endif
#endif

namespace trend {
namespace {

// A first-series value of exactly this marks a sample that is not valid.
constexpr double kInvalidSample = 200.0;

// Everything a pass carries from one point to the next.
struct PassState {
    IndicatorTotals totals;
    double previous = 0.0;  // first-series value of the last valid sample
    int64_t countdown = 0;  // in steady samples; a negative one never comes back to 0
    int sign = 0;           // of the current run of excursions: -1, 0 or +1
};

void raise(double& maximum, double value) {
    if (value > maximum) {  // strict: NaN and equal values leave it
        maximum = value;
    }
}

// The points one at a time, exactly as described in the header. The state lives in locals
// while the loop runs, so that it stays in registers.
void scalarPoints(PassState& state, const double* first, const double* second, size_t count,
                  const IndicatorLimits& limits) {
    const double threshold = limits.threshold;
    const double lower = limits.lower;
    const double upper = limits.upper;
    const int64_t filter = limits.filterSamples;
    IndicatorTotals t = state.totals;
    double previous = state.previous;
    int64_t countdown = state.countdown;
    int sign = state.sign;
    for (size_t i = 0; i < count; ++i) {
        const double a = first[i];
        if (a == kInvalidSample) {
            continue;
        }
        if (lower < a && a < upper) {
            ++t.vSample;
            const double d = second[i] - a;
            const double deviation = std::fabs(d);
            raise(t.dvMax, deviation);
            const double step = std::fabs(a - previous);
            raise(t.spdvMax, step);
            if (step > threshold) {
                ++t.spdvi;
                sign = 0;
                countdown = filter;
            } else {
                const bool settled = countdown == 0;
                raise(t.dvspMax, deviation);
                if (settled) {
                    raise(t.dvspMax5, deviation);
                }
                if (deviation > threshold) {
                    const int excursion = d > 0 ? 1 : -1;
                    if (sign != excursion) {
                        ++t.dvsp;
                        t.dvsp5 += settled;
                    }
                    sign = excursion;
                    ++t.dvspi;
                    t.dvspi5 += settled;
                } else {
                    sign = 0;
                }
                if (!settled) {
                    --countdown;
                }
            }
            t.dvi += deviation > threshold;
        }
        ++t.tSample;
        previous = a;
    }
    state.totals = t;
    state.previous = previous;
    state.countdown = countdown;
    state.sign = sign;
}

#ifdef TREND_INDICATOR_SSE2

// The vector path takes blocks of 64 points, one bit each in the masks below (bit i = point i
// of the block), and works out the runs of excursions and the settling countdown on the masks.
constexpr size_t kBlock = 64;
// A block with points out of band is worked out steady sample by steady sample, up to this
// many of them; beyond, the scalar pass is quicker.
constexpr int kSparseSteady = 8;

// What the vectors find in a block of valid samples.
struct BlockScan {
    uint64_t inBand = 0;
    uint64_t steps = 0;                     // more than the threshold from the previous value
    uint64_t exceeding = 0;                 // absolute deviation above the threshold
    uint64_t positive = 0;                  // deviation above 0
    double dvMax = 0.0;                     // over the in-band samples
    double spdvMax = 0.0;                   // over the in-band samples
    double dvspMax = 0.0;                   // over the steady samples
    alignas(32) double deviations[kBlock];  // absolute deviations
};

uint64_t bit(int i) {
    return uint64_t{1} << i;
}

// Bits i + 1 ... i + n of every set bit i: the points that a step sample's countdown of n
// leaves unsettled.
uint64_t following(uint64_t bits, int64_t n) {
    if (n <= 0) {
        return 0;
    }
    if (n >= static_cast<int64_t>(kBlock)) {
        const uint64_t lowest = bits & (~bits + 1);
        return ~(lowest | (lowest - 1));  // everything above the first set bit
    }
    uint64_t covered = bits << 1;  // shifts 1 ... have
    int64_t have = 1;
    while (have < n) {
        const int64_t more = std::min(have, n - have);
        covered |= covered << more;
        have += more;
    }
    return covered;
}

// The countdown after `steady` steady samples, from c (which a step sample set or the block
// carried in). A negative countdown never comes back to 0.
int64_t countedDown(int64_t c, int64_t steady) {
    return c > 0 ? std::max<int64_t>(c - steady, 0) : c < 0 ? c - steady : 0;
}

double largest(__m128d v) {
    const double low = _mm_cvtsd_f64(v);
    const double high = _mm_cvtsd_f64(_mm_unpackhi_pd(v, v));
    return high > low ? high : low;
}

// The scan two points per vector; false as soon as a point is invalid (checked every 16
// points). The maxima follow the strict rule of raise(): max(x, m) gives m when x is NaN.
bool scanSse2(const double* first, const double* second, double previousValue,
              const IndicatorLimits& limits, BlockScan& scan) {
    const __m128d lower = _mm_set1_pd(limits.lower);
    const __m128d upper = _mm_set1_pd(limits.upper);
    const __m128d invalid = _mm_set1_pd(kInvalidSample);
    const __m128d threshold = _mm_set1_pd(limits.threshold);
    const __m128d zero = _mm_setzero_pd();
    const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffff));
    __m128d valid = _mm_cmpeq_pd(zero, zero);
    __m128d dvMax = zero, spdvMax = zero, dvspMax = zero;
    uint64_t inBand = 0, steps = 0, exceeding = 0, positive = 0;
    __m128d previous = _mm_set_pd(first[0], previousValue);  // low lane first
    for (size_t k = 0; k < kBlock; k += 2) {
        const __m128d a = _mm_loadu_pd(first + k);
        const __m128d b = _mm_loadu_pd(second + k);
        if (k != 0) {
            previous = _mm_loadu_pd(first + k - 1);
        }
        const __m128d notInvalid = _mm_cmpneq_pd(a, invalid);
        const __m128d inside =
            _mm_and_pd(_mm_and_pd(_mm_cmplt_pd(lower, a), _mm_cmplt_pd(a, upper)), notInvalid);
        valid = _mm_and_pd(valid, notInvalid);
        const __m128d d = _mm_sub_pd(b, a);
        const __m128d deviation = _mm_and_pd(d, magnitude);
        const __m128d step = _mm_and_pd(_mm_sub_pd(a, previous), magnitude);
        const __m128d isStep = _mm_cmpgt_pd(step, threshold);
        dvMax = _mm_max_pd(_mm_and_pd(deviation, inside), dvMax);
        spdvMax = _mm_max_pd(_mm_and_pd(step, inside), spdvMax);
        dvspMax = _mm_max_pd(_mm_and_pd(deviation, _mm_andnot_pd(isStep, inside)), dvspMax);
        _mm_store_pd(scan.deviations + k, deviation);
        inBand |= static_cast<uint64_t>(_mm_movemask_pd(inside)) << k;
        steps |= static_cast<uint64_t>(_mm_movemask_pd(isStep)) << k;
        exceeding |= static_cast<uint64_t>(_mm_movemask_pd(_mm_cmpgt_pd(deviation, threshold)))
                     << k;
        positive |= static_cast<uint64_t>(_mm_movemask_pd(_mm_cmpgt_pd(d, zero))) << k;
        if (k % 16 == 14 && _mm_movemask_pd(valid) != 3) {
            return false;
        }
    }
    scan.inBand = inBand;
    scan.steps = steps;
    scan.exceeding = exceeding;
    scan.positive = positive;
    scan.dvMax = largest(dvMax);
    scan.spdvMax = largest(spdvMax);
    scan.dvspMax = largest(dvspMax);
    return true;
}

#ifdef TREND_INDICATOR_AVX
[[gnu::target("avx")]] double largest(__m256d v) {
    return largest(_mm_max_pd(_mm256_castpd256_pd128(v), _mm256_extractf128_pd(v, 1)));
}

// The same scan four points per vector, on processors with AVX.
[[gnu::target("avx")]] bool scanAvx(const double* first, const double* second, double previousValue,
                                    const IndicatorLimits& limits, BlockScan& scan) {
    const __m256d lower = _mm256_set1_pd(limits.lower);
    const __m256d upper = _mm256_set1_pd(limits.upper);
    const __m256d invalid = _mm256_set1_pd(kInvalidSample);
    const __m256d threshold = _mm256_set1_pd(limits.threshold);
    const __m256d zero = _mm256_setzero_pd();
    const __m256d magnitude = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff));
    __m256d valid = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
    __m256d dvMax = zero, spdvMax = zero, dvspMax = zero;
    uint64_t inBand = 0, steps = 0, exceeding = 0, positive = 0;
    __m256d previous = _mm256_set_pd(first[2], first[1], first[0], previousValue);
    for (size_t k = 0; k < kBlock; k += 4) {
        const __m256d a = _mm256_loadu_pd(first + k);
        const __m256d b = _mm256_loadu_pd(second + k);
        if (k != 0) {
            previous = _mm256_loadu_pd(first + k - 1);
        }
        const __m256d notInvalid = _mm256_cmp_pd(a, invalid, _CMP_NEQ_UQ);
        const __m256d inside = _mm256_and_pd(
            _mm256_and_pd(_mm256_cmp_pd(lower, a, _CMP_LT_OQ), _mm256_cmp_pd(a, upper, _CMP_LT_OQ)),
            notInvalid);
        valid = _mm256_and_pd(valid, notInvalid);
        const __m256d d = _mm256_sub_pd(b, a);
        const __m256d deviation = _mm256_and_pd(d, magnitude);
        const __m256d step = _mm256_and_pd(_mm256_sub_pd(a, previous), magnitude);
        const __m256d isStep = _mm256_cmp_pd(step, threshold, _CMP_GT_OQ);
        dvMax = _mm256_max_pd(_mm256_and_pd(deviation, inside), dvMax);
        spdvMax = _mm256_max_pd(_mm256_and_pd(step, inside), spdvMax);
        dvspMax =
            _mm256_max_pd(_mm256_and_pd(deviation, _mm256_andnot_pd(isStep, inside)), dvspMax);
        _mm256_store_pd(scan.deviations + k, deviation);
        inBand |= static_cast<uint64_t>(_mm256_movemask_pd(inside)) << k;
        steps |= static_cast<uint64_t>(_mm256_movemask_pd(isStep)) << k;
        exceeding |= static_cast<uint64_t>(
                         _mm256_movemask_pd(_mm256_cmp_pd(deviation, threshold, _CMP_GT_OQ)))
                     << k;
        positive |= static_cast<uint64_t>(_mm256_movemask_pd(_mm256_cmp_pd(d, zero, _CMP_GT_OQ)))
                    << k;
        if (k % 16 == 12 && _mm256_movemask_pd(valid) != 15) {
            return false;
        }
    }
    scan.inBand = inBand;
    scan.steps = steps;
    scan.exceeding = exceeding;
    scan.positive = positive;
    scan.dvMax = largest(dvMax);
    scan.spdvMax = largest(spdvMax);
    scan.dvspMax = largest(dvspMax);
    return true;
}
#endif

bool scanBlock(const double* first, const double* second, double previous,
               const IndicatorLimits& limits, PassVectors vectors, BlockScan& scan) {
#ifdef TREND_INDICATOR_AVX
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (vectors == PassVectors::Best && hasAvx) {
        return scanAvx(first, second, previous, limits, scan);
    }
#else
    (void)vectors;
#endif
    return scanSse2(first, second, previous, limits, scan);
}

// The totals that are counts of bits or maxima of the scan.
void addScan(IndicatorTotals& t, const BlockScan& scan, uint64_t steps, uint64_t exceeding,
             uint64_t excursions) {
    t.tSample += kBlock;
    t.vSample += std::popcount(scan.inBand);
    t.spdvi += std::popcount(steps);
    t.dvi += std::popcount(exceeding);
    t.dvspi += std::popcount(excursions);
    raise(t.dvMax, scan.dvMax);
    raise(t.spdvMax, scan.spdvMax);
    raise(t.dvspMax, scan.dvspMax);
}

// A block whose points are all in band. Before the first step sample the countdown c0
// carried in runs down one per point; after a step sample the next filterSamples points are
// unsettled, and all of them when the filter is negative. A steady exceeding sample begins an
// episode unless the point before it was one of the same sign.
void bandBlock(PassState& s, const BlockScan& scan, const IndicatorLimits& limits) {
    const uint64_t steps = scan.steps;
    const uint64_t positive = scan.positive;
    const uint64_t steady = ~steps;
    const uint64_t excursions = scan.exceeding & steady;
    const uint64_t before = (excursions << 1) | (s.sign != 0 ? 1u : 0u);
    const uint64_t beforePositive = (positive << 1) | (s.sign > 0 ? 1u : 0u);
    const uint64_t episodes = excursions & ~(before & ~(positive ^ beforePositive));

    const int64_t c0 = s.countdown;
    const uint64_t firstStep = steps & (~steps + 1);
    const uint64_t leading = firstStep != 0 ? firstStep - 1 : ~uint64_t{0};
    const uint64_t settledLeading = c0 == 0 ? ~uint64_t{0}
                                    : c0 > 0 && c0 < static_cast<int64_t>(kBlock)
                                        ? ~uint64_t{0} << c0
                                        : 0;
    const int64_t filter = limits.filterSamples;
    const uint64_t settledAfter = filter < 0 ? 0 : ~following(steps, filter);
    const uint64_t settled = (settledLeading & leading) | (settledAfter & ~leading);

    IndicatorTotals& t = s.totals;
    addScan(t, scan, steps, scan.exceeding, excursions);
    t.dvsp += std::popcount(episodes);
    t.dvsp5 += std::popcount(episodes & settled);
    t.dvspi5 += std::popcount(excursions & settled);
    const uint64_t counted = steady & settled;
    if (counted == ~uint64_t{0}) {
        raise(t.dvspMax5, scan.dvspMax);
    } else if (counted != 0) {
        const __m128d zero = _mm_setzero_pd();
        const __m128d lanes[4] = {zero, _mm_castsi128_pd(_mm_set_epi64x(0, -1)),
                                  _mm_castsi128_pd(_mm_set_epi64x(-1, 0)),
                                  _mm_castsi128_pd(_mm_set_epi64x(-1, -1))};
        __m128d max5 = zero;
        for (size_t k = 0; k < kBlock; k += 2) {
            max5 = _mm_max_pd(
                _mm_and_pd(_mm_load_pd(scan.deviations + k), lanes[(counted >> k) & 3]), max5);
        }
        raise(t.dvspMax5, largest(max5));
    }

    if (steps == 0) {
        s.countdown = countedDown(c0, kBlock);
    } else {
        // steady points after the last step
        s.countdown = countedDown(filter, std::countl_zero(steps));
    }
    const uint64_t last = bit(kBlock - 1);
    s.sign = (excursions & last) == 0 ? 0 : (positive & last) != 0 ? 1 : -1;
}

// A block with points out of band and few steady samples. Out-of-band points leave the
// countdown and the run of excursions alone, so each steady sample looks back to the last
// in-band point and the last step sample before it. False, with nothing changed, when there
// are too many steady samples.
bool sparseBlock(PassState& s, const BlockScan& scan, const IndicatorLimits& limits) {
    const uint64_t inBand = scan.inBand;
    const uint64_t steps = scan.steps & inBand;
    const uint64_t exceeding = scan.exceeding & inBand;
    const uint64_t steady = inBand & ~steps;
    if (std::popcount(steady) > kSparseSteady) {
        return false;
    }
    const uint64_t excursions = exceeding & steady;
    // The countdown and the sign of the run after the points `earlier`.
    auto countdownAfter = [&](uint64_t earlier) {
        const uint64_t earlierSteps = steps & earlier;
        if (earlierSteps == 0) {
            return countedDown(s.countdown, std::popcount(steady & earlier));
        }
        const uint64_t lastStep = bit(63 - std::countl_zero(earlierSteps));
        return countedDown(limits.filterSamples,
                           std::popcount(steady & earlier & ~(lastStep | (lastStep - 1))));
    };
    auto signAfter = [&](uint64_t earlier) {
        const uint64_t earlierInBand = inBand & earlier;
        if (earlierInBand == 0) {
            return s.sign;
        }
        const uint64_t last = bit(63 - std::countl_zero(earlierInBand));
        return (excursions & last) == 0 ? 0 : (scan.positive & last) != 0 ? 1 : -1;
    };

    IndicatorTotals t = s.totals;
    addScan(t, scan, steps, exceeding, excursions);
    for (uint64_t rest = steady; rest != 0; rest &= rest - 1) {
        const int i = std::countr_zero(rest);
        const uint64_t earlier = bit(i) - 1;
        const bool settled = countdownAfter(earlier) == 0;
        if (settled) {
            raise(t.dvspMax5, scan.deviations[i]);
        }
        if ((excursions & bit(i)) != 0) {
            const int sign = (scan.positive & bit(i)) != 0 ? 1 : -1;
            if (signAfter(earlier) != sign) {
                ++t.dvsp;
                t.dvsp5 += settled;
            }
            t.dvspi5 += settled;
        }
    }
    s.totals = t;
    s.countdown = countdownAfter(~uint64_t{0});
    s.sign = signAfter(~uint64_t{0});
    return true;
}

// A block of valid samples through the vectors; false, with nothing changed, when the block
// needs the scalar pass.
bool vectorBlock(PassState& s, const double* first, const double* second,
                 const IndicatorLimits& limits, PassVectors vectors, BlockScan& scan) {
    if (!scanBlock(first, second, s.previous, limits, vectors, scan)) {
        return false;
    }
    if (scan.inBand == ~uint64_t{0}) {
        bandBlock(s, scan, limits);
    } else if (!sparseBlock(s, scan, limits)) {
        return false;
    }
    s.previous = first[kBlock - 1];
    return true;
}

#endif

}  // namespace

IndicatorTotals RunIndicatorPass(std::span<const double> first, std::span<const double> second,
                                 const IndicatorLimits& limits, PassVectors vectors) {
    PassState s;
    s.previous = first[0];
    const size_t n = first.size();
    size_t i = 0;
#ifdef TREND_INDICATOR_SSE2
    if (vectors != PassVectors::None) {
        BlockScan scan;
        for (; n - i >= kBlock; i += kBlock) {
            if (!vectorBlock(s, first.data() + i, second.data() + i, limits, vectors, scan)) {
                scalarPoints(s, first.data() + i, second.data() + i, kBlock, limits);
            }
        }
    }
#else
    (void)vectors;
#endif
    scalarPoints(s, first.data() + i, second.data() + i, n - i, limits);
    return s.totals;
}

}  // namespace trend
