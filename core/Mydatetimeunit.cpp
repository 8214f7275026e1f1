#include "Mydatetimeunit.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "NumberText.h"
#include "TrendErrors.h"

namespace trend {
namespace {

constexpr int kDaysInMonth[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                     {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Days from 1 January of year 1 (day 1) to the date, proleptic Gregorian.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;  // days from 1970-01-01
}

void civilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

const long long kEpochOffset = daysFromCivil(1899, 12, 30);

// The fixed-position field from..to (1-based, inclusive) as a 16-bit unsigned number.
unsigned fieldValue(std::string_view text, size_t from, size_t to, unsigned fallback) {
    if (text.size() < from) {
        return fallback;
    }
    std::string_view field = text.substr(from - 1, to - from + 1);
    auto value = TryStrToInt64(field);
    if (!value) {
        return fallback;
    }
    return static_cast<uint16_t>(static_cast<unsigned long long>(*value));
}

std::string twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

}  // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

long long EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > kDaysInMonth[IsLeapYear(year) ? 1 : 0][month - 1]) {
        char buffer[96];
        std::snprintf(buffer, sizeof buffer, "invalid date: year %d, month %d, day %d", year, month,
                      day);
        throw ConversionError(buffer);
    }
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
           kEpochOffset;
}

TDateTime EncodeDateTime(const DateTimeParts& p) {
    const double date = static_cast<double>(EncodeDate(p.year, p.month, p.day));
    if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || p.second < 0 ||
        p.second > 59 || p.millisecond < 0 || p.millisecond > 999) {
        char buffer[112];
        std::snprintf(buffer, sizeof buffer,
                      "invalid time: hour %d, minute %d, second %d, millisecond %d", p.hour,
                      p.minute, p.second, p.millisecond);
        throw ConversionError(buffer);
    }
    const double time =
        static_cast<double>(p.hour * 3600000 + p.minute * 60000 + p.second * 1000 + p.millisecond) /
        kMSecsPerDay;
    return date + time;
}

long long ToMilliseconds(TDateTime value) {
    return std::llrint(value * kMSecsPerDay);
}

DateTimeParts DecodeDateTime(TDateTime value) {
    long long ms = ToMilliseconds(value);
    long long days = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
    long long msOfDay = ms - days * 86400000;
    DateTimeParts parts;
    civilFromDays(days + kEpochOffset, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(msOfDay / 3600000);
    parts.minute = static_cast<int>(msOfDay / 60000 % 60);
    parts.second = static_cast<int>(msOfDay / 1000 % 60);
    parts.millisecond = static_cast<int>(msOfDay % 1000);
    return parts;
}

TDateTime ParseDateTimeText(std::string_view text) {
    DateTimeParts parts;
    parts.year = static_cast<int>(fieldValue(text, 1, 4, 1900));
    parts.month = static_cast<int>(fieldValue(text, 6, 7, 1));
    parts.day = static_cast<int>(fieldValue(text, 9, 10, 1));
    parts.hour = static_cast<int>(fieldValue(text, 12, 13, 0));
    parts.minute = static_cast<int>(fieldValue(text, 15, 16, 0));
    parts.second = static_cast<int>(fieldValue(text, 18, 19, 0));
    parts.millisecond = static_cast<int>(fieldValue(text, 21, 23, 0));
    try {
        return EncodeDateTime(parts);
    } catch (const ConversionError& error) {
        throw ConversionError("'" + std::string(text) + "' is not a valid date and time (" +
                              error.what() + ")");
    }
}

TDateTime IncSecond(TDateTime value, long long seconds) {
    long long ms = ToMilliseconds(value) + seconds * 1000;
    long long days = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
    long long rest = ms - days * 86400000;
    return static_cast<double>(days) + static_cast<double>(rest) / kMSecsPerDay;
}

double SecondSpan(TDateTime a, TDateTime b) {
    long long difference = ToMilliseconds(a) - ToMilliseconds(b);
    if (difference < 0) {
        difference = -difference;
    }
    return static_cast<double>(difference) / 1000.0;
}

std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const RegionalSettings& regional) {
    const DateTimeParts p = DecodeDateTime(value);
    std::string out;
    char lastToken = 0;
    size_t i = 0;
    auto count = [&](char letter, size_t most) {
        size_t n = 0;
        while (i + n < pattern.size() && n < most && (pattern[i + n] | 0x20) == letter) {
            ++n;
        }
        i += n;
        return n;
    };
    while (i < pattern.size()) {
        const char c = pattern[i];
        const char lower = static_cast<char>(c | 0x20);
        if (c == '\'' || c == '"') {
            size_t close = pattern.find(c, i + 1);
            if (close == std::string_view::npos) {
                close = pattern.size();
            }
            out.append(pattern.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        if (c == '/') {
            out += regional.dateSeparator;
            ++i;
            continue;
        }
        if (c == ':') {
            out += regional.timeSeparator;
            ++i;
            continue;
        }
        switch (lower) {
            case 'y': {
                size_t n = count('y', 4);
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "%04d", p.year);
                out += n <= 2 ? twoDigits(p.year % 100) : std::string(buffer);
                lastToken = 'y';
                break;
            }
            case 'm': {
                size_t n = count('m', 2);
                int v = lastToken == 'h' ? p.minute : p.month;
                out += n == 1 ? std::to_string(v) : twoDigits(v);
                lastToken = 'm';
                break;
            }
            case 'd': {
                size_t n = count('d', 2);
                out += n == 1 ? std::to_string(p.day) : twoDigits(p.day);
                lastToken = 'd';
                break;
            }
            case 'h': {
                size_t n = count('h', 2);
                out += n == 1 ? std::to_string(p.hour) : twoDigits(p.hour);
                lastToken = 'h';
                break;
            }
            case 'n': {
                size_t n = count('n', 2);
                out += n == 1 ? std::to_string(p.minute) : twoDigits(p.minute);
                lastToken = 'n';
                break;
            }
            case 's': {
                size_t n = count('s', 2);
                out += n == 1 ? std::to_string(p.second) : twoDigits(p.second);
                lastToken = 's';
                break;
            }
            case 'z': {
                size_t n = count('z', 3);
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, n < 3 ? "%d" : "%03d", p.millisecond);
                out += buffer;
                lastToken = 'z';
                break;
            }
            default:
                out += c;
                ++i;
                break;
        }
    }
    return out;
}

std::string DateTimeToStr(TDateTime value, const RegionalSettings& regional) {
    const DateTimeParts p = DecodeDateTime(value);
    const bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0;
    if (value < 1.0) {
        return FormatDateTime(regional.longTimeFormat, value, regional);
    }
    std::string text = FormatDateTime(regional.shortDateFormat, value, regional);
    if (!midnight) {
        text += ' ';
        text += FormatDateTime(regional.longTimeFormat, value, regional);
    }
    return text;
}

std::string TimeZoneTextFor(long biasMinutes, const std::string& standardName) {
    const long hours = biasMinutes / -60;
    long minutes = biasMinutes + 60 * hours;
    if (minutes < 0) {
        minutes = -minutes;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "UTC %+ld.%ld ", hours, minutes);
    return buffer + standardName + " Ignore Day Light Saving";
}

std::string TimeZoneText() {
    tzset();
    return TimeZoneTextFor(timezone / 60, tzname[0] != nullptr ? tzname[0] : "");
}

}  // namespace trend
