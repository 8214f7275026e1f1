#pragma once

#include <qcustomplot.h>

#include <string>

#include "Regional.h"

namespace trend {

// Ticks of the time axis, in days, labelled with a date-time pattern of the program's own.
class TrendTimeTicker : public QCPAxisTicker {
public:
    void setPattern(const std::string& pattern) { pattern_ = pattern; }
    const std::string& pattern() const { return pattern_; }
    void setRegional(const RegionalSettings& regional) { regional_ = regional; }

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                         int precision) override;

private:
    std::string pattern_ = "nn:ss";
    RegionalSettings regional_;
};

}  // namespace trend
