#include "TrendAnalysisModel.h"

#include <charconv>
#include <limits>
#include <span>

#include "IndicatorPass.h"
#include "NumberText.h"
#include "TrendErrors.h"

namespace trend {
namespace {

std::string withSeparator(std::string text, char separator) {
    for (char& c : text) {
        if (c == '.') {
            c = separator;
        }
    }
    return text;
}

// The record holds 32-bit counts, which a data set of 2^31 points would exceed.
int32_t toCount(int64_t count) {
    return count > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                       : static_cast<int32_t>(count);
}

double percent(int64_t part, int64_t whole) {
    return static_cast<double>(part) / static_cast<double>(whole) * 100.0;
}

std::string fixedTwo(double value) {
    char buffer[400];  // "%.2f" of the largest double needs 312 characters
    auto [last, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return ec == std::errc() ? std::string(buffer, last) : std::string();
}

}  // namespace

AnalysisParameterTexts AnalysisParameterTexts::atCreation(const RegionalSettings& regional) {
    const char separator = regional.decimalSeparator;
    return {withSeparator("0.5", separator), withSeparator("100.0", separator),
            withSeparator("0.5", separator), "5"};
}

void TrendAnalysisModel::ReadParameters(const AnalysisParameterTexts& texts) {
    parameters_.FThreshold = StrToFloat(texts.Edit1Text, regional_);
    parameters_.FUpperLimit = StrToFloat(texts.Edit2Text, regional_) - parameters_.FThreshold;
    parameters_.FLowerLimit = parameters_.FThreshold + StrToFloat(texts.Edit3Text, regional_);
    parameters_.FFilterSamples = StrToIntDef(texts.Edit4Text, 0);
}

void TrendAnalysisModel::ComputeIndicators(const TrendDataSet& data) {
    const std::span<const double> first = data.Series(0).values();
    const size_t n = first.size();
    if (n == 0) {
        return;
    }
    const std::span<const double> second = data.Series(1).values();
    if (second.size() < n) {
        throw ListIndexError("point index " + std::to_string(second.size()) +
                             " out of range (the second series holds " +
                             std::to_string(second.size()) + " points, the first " +
                             std::to_string(n) + ")");
    }

    const IndicatorTotals pass =
        RunIndicatorPass(first, second,
                         {parameters_.FThreshold, parameters_.FLowerLimit, parameters_.FUpperLimit,
                          parameters_.FFilterSamples});

    TrendIndicators& r = indicators_;
    r.TSample = toCount(pass.tSample);
    r.VSample = toCount(pass.vSample);
    if (pass.tSample == 0) {
        return;
    }
    r.VSTS = percent(pass.vSample, pass.tSample);
    r.SPDVI = toCount(pass.spdvi);
    r.DVI = toCount(pass.dvi);
    r.DVSP = toCount(pass.dvsp);
    r.DVSPI = toCount(pass.dvspi);
    r.DVSP5 = toCount(pass.dvsp5);
    r.DVSPI5 = toCount(pass.dvspi5);
    if (pass.vSample == 0) {
        return;
    }
    r.SPR = percent(pass.spdvi, pass.vSample);
    r.DVSPR = percent(pass.dvsp, pass.vSample);
    r.DVSP5R = percent(pass.dvsp5, pass.vSample);
    r.SPDVMAX = pass.spdvMax;
    r.DVMAX = pass.dvMax;
    r.DVSPMAX = pass.dvspMax;
    r.DVSPMAX5 = pass.dvspMax5;
}

std::array<std::string, kIndicatorCount> TrendAnalysisModel::ShowIndicators() const {
    const TrendIndicators& r = indicators_;
    auto count = [](int32_t value) { return std::to_string(value); };
    return {count(r.TSample),    count(r.VSample),  fixedTwo(r.VSTS),    count(r.SPDVI),
            count(r.DVI),        count(r.DVSP),     count(r.DVSPI),      count(r.DVSP5),
            count(r.DVSPI5),     fixedTwo(r.SPR),   fixedTwo(r.DVSPR),   fixedTwo(r.DVSP5R),
            fixedTwo(r.SPDVMAX), fixedTwo(r.DVMAX), fixedTwo(r.DVSPMAX), fixedTwo(r.DVSPMAX5)};
}

}  // namespace trend
