#include "TrendTimeTicker.h"

#include "Mydatetimeunit.h"
#include "QtText.h"

namespace trend {

double TrendTimeTicker::getTickStep(const QCPRange& range) {
    // Steps a reader of a time axis expects: seconds, minutes, hours, days.
    static const double kSteps[] = {1,       2,       5,       10,      15,      30,     60,
                                    120,     300,     600,     900,     1800,    3600,   7200,
                                    10800,   21600,   43200,   86400,   172800,  345600, 604800,
                                    1209600, 2419200, 4838400, 9676800, 31536000};
    const double target = range.size() * 86400.0 / std::max(1, tickCount());
    for (double step : kSteps) {
        if (step >= target) {
            return step / 86400.0;
        }
    }
    return cleanMantissa(target) / 86400.0;
}

int TrendTimeTicker::getSubTickCount(double) {
    return 0;
}

QString TrendTimeTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
    return toQ(FormatDateTime(pattern_, tick, regional_));
}

}  // namespace trend
