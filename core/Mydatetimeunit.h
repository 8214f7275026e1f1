#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Regional.h"

namespace trend {

// A date-time value: days since 30 December 1899, the fraction being the time of day.
using TDateTime = double;

constexpr double kMSecsPerDay = 86400000.0;
constexpr double kSecsPerDay = 86400.0;

struct DateTimeParts {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Days from 30 December 1899 to the given date; ConversionError when the date is not valid.
long long EncodeDate(int year, int month, int day);
// Date value plus time value, each checked against its valid range.
TDateTime EncodeDateTime(const DateTimeParts& parts);
// The parts of value rounded to the nearest millisecond.
DateTimeParts DecodeDateTime(TDateTime value);
bool IsLeapYear(int year);

// Reads the fixed-position text "yyyy/mm/dd hh:nn:ss.zzz"; a field that is empty or not a
// whole number takes its default, a field out of range raises ConversionError.
TDateTime ParseDateTimeText(std::string_view text);

// value plus whole seconds, computed exactly on whole milliseconds.
TDateTime IncSecond(TDateTime value, long long seconds);
// The span between two values in seconds; both are first rounded to whole milliseconds, so
// the span is exact (two rows a minute apart are 60 s apart).
double SecondSpan(TDateTime a, TDateTime b);
// Whole milliseconds of a value, rounded half to even.
long long ToMilliseconds(TDateTime value);

// Formats with a date-time pattern (yyyy yy m mm d dd h hh n nn s ss z zzz, quoted text,
// "/" and ":" as the regional separators).
std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const RegionalSettings& regional = RegionalSettings::cLocale());
// The regional date-time text: short date, blank, long time; date alone at midnight, time
// alone below 1.0.
std::string DateTimeToStr(TDateTime value, const RegionalSettings& regional);

// "UTC +9.0 <standard name> Ignore Day Light Saving" for the process's time zone.
std::string TimeZoneText();
// The same text for a bias in minutes (UTC = local standard time + bias) and a zone name.
std::string TimeZoneTextFor(long biasMinutes, const std::string& standardName);

}  // namespace trend
