#pragma once

#include <string>

namespace trend {

// The user's regional settings, as the number and date-time texts use them.
struct RegionalSettings {
    char decimalSeparator = '.';
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    std::string shortDateFormat = "yyyy/mm/dd";  // a date-time pattern
    std::string longTimeFormat = "hh:nn:ss";     // a date-time pattern

    static RegionalSettings cLocale() { return {}; }
    // Read from the process locale (setlocale must have run); the C values where it gives nothing.
    static RegionalSettings fromProcessLocale();
};

}  // namespace trend
