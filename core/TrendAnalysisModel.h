#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "Regional.h"
#include "TrendDataSet.h"

namespace trend {

// The sixteen indicators of the first two series, in the order of the analysis grid's rows
// 1 to 16. All zero until the first computation; kept between computations.
struct TrendIndicators {
    int32_t TSample = 0;    // valid samples (first-series value not 200.0)
    int32_t VSample = 0;    // in-band samples
    double VSTS = 0.0;      // VSample / TSample, percent
    int32_t SPDVI = 0;      // step samples
    int32_t DVI = 0;        // in-band samples whose absolute deviation exceeds the threshold
    int32_t DVSP = 0;       // deviation episodes
    int32_t DVSPI = 0;      // steady samples whose absolute deviation exceeds the threshold
    int32_t DVSP5 = 0;      // episodes that begin with the settling countdown at 0
    int32_t DVSPI5 = 0;     // DVSPI counted with the settling countdown at 0
    double SPR = 0.0;       // SPDVI / VSample, percent
    double DVSPR = 0.0;     // DVSP / VSample, percent
    double DVSP5R = 0.0;    // DVSP5 / VSample, percent
    double SPDVMAX = 0.0;   // largest step of an in-band sample
    double DVMAX = 0.0;     // largest absolute deviation of an in-band sample
    double DVSPMAX = 0.0;   // largest absolute deviation of a steady sample
    double DVSPMAX5 = 0.0;  // the same, with the settling countdown at 0
};

inline constexpr size_t kIndicatorCount = 16;

// Column 0 of the analysis grid, rows 0 to 16.
inline constexpr std::array<const char*, kIndicatorCount + 1> kAnalysisGridTitles = {
    "Tag",    "TSample", "VSample",  "VS/TS(%)",  "SPDVI",   "DVI",   "DVSP",    "DVSPI",   "DVSP5",
    "DVSPI5", "SPR(%)",  "DVSPR(%)", "DVSP5R(%)", "SPDVMAX", "DVMAX", "DVSPMAX", "DVSPMAX5"};

// The texts of the analysis window's four edit fields.
struct AnalysisParameterTexts {
    std::string Edit1Text;  // Threshold
    std::string Edit2Text;  // Upper
    std::string Edit3Text;  // Lower
    std::string Edit4Text;  // Filter(s), a number of samples

    // "0.5", "100.0", "0.5" and "5", written with the regional decimal separator so that the
    // window opens under every regional setting.
    static AnalysisParameterTexts atCreation(const RegionalSettings& regional);
};

// The parameters as the computation uses them. The working band is
// FLowerLimit < value < FUpperLimit.
struct AnalysisParameters {
    double FThreshold = 0.0;
    double FUpperLimit = 0.0;  // Upper - Threshold
    double FLowerLimit = 0.0;  // Lower + Threshold
    int32_t FFilterSamples = 0;
};

// The analysis behind the trend analysis window: reads its parameter texts, computes the
// indicators of the data set's series 0 and 1 and gives the texts of grid column 1.
class TrendAnalysisModel {
public:
    explicit TrendAnalysisModel(RegionalSettings regional = RegionalSettings::cLocale())
        : regional_(std::move(regional)) {}

    // Reads Threshold, Upper, Lower and Filter(s) in this order. A Threshold, Upper or Lower
    // text that is not a number raises ConversionError; the parameters read before it keep
    // their new values. Filter(s) text that is no 32-bit whole number counts as 0.
    void ReadParameters(const AnalysisParameterTexts& texts);

    // One pass over the points of series 0 and 1, read in place. Nothing changes when series 0
    // has no points. A missing series 1 (while series 0 has points), or one with fewer points
    // than series 0, raises ListIndexError before anything changes. The rates and maxima keep
    // their values when no sample lies in the band, and everything but the two counts keeps
    // its value when no sample is valid.
    void ComputeIndicators(const TrendDataSet& data);

    // Grid column 1, rows 1 to 16: integers as "%d", doubles as "%.2f" with a point.
    std::array<std::string, kIndicatorCount> ShowIndicators() const;

    const AnalysisParameters& parameters() const { return parameters_; }
    const TrendIndicators& indicators() const { return indicators_; }

private:
    RegionalSettings regional_;
    AnalysisParameters parameters_;
    TrendIndicators indicators_;
};

}  // namespace trend
