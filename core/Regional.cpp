#include "Regional.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>

namespace trend {
namespace {

// "C", "POSIX" and "C.UTF-8" give no regional texts of their own.
bool isCLocale(const char* name) {
    return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
           std::strncmp(name, "C.", 2) == 0;
}

// Turns a strftime format into a date-time pattern; the separator is the first non-letter.
std::string patternFromStrftime(const char* format, std::string& separator) {
    std::string pattern;
    separator.clear();
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            if (separator.empty() && *p != ' ') {
                separator = std::string(1, *p);
            }
            pattern +=
                *p == '/' || *p == ':' ? '\'' + std::string(1, *p) + '\'' : std::string(1, *p);
            continue;
        }
        ++p;
        if (*p == 'E' || *p == 'O') {
            ++p;
        }
        switch (*p) {
            case 'Y':
                pattern += "yyyy";
                break;
            case 'y':
                pattern += "yy";
                break;
            case 'm':
                pattern += "mm";
                break;
            case 'd':
                pattern += "dd";
                break;
            case 'e':
                pattern += "d";
                break;
            case 'H':
            case 'I':
                pattern += "hh";
                break;
            case 'k':
            case 'l':
                pattern += "h";
                break;
            case 'M':
                pattern += "nn";
                break;
            case 'S':
                pattern += "ss";
                break;
            case 'D':
                pattern += "mm'/'dd'/'yy";
                if (separator.empty())
                    separator = "/";
                break;
            case 'F':
                pattern += "yyyy-mm-dd";
                if (separator.empty())
                    separator = "-";
                break;
            case 'T':
                pattern += "hh':'nn':'ss";
                if (separator.empty())
                    separator = ":";
                break;
            case 'R':
                pattern += "hh':'nn";
                if (separator.empty())
                    separator = ":";
                break;
            case '\0':
                return pattern;
            default:
                break;  // names and am/pm markers have no place in these patterns
        }
    }
    while (!pattern.empty() && pattern.back() == ' ') {
        pattern.pop_back();
    }
    return pattern;
}

}  // namespace

RegionalSettings RegionalSettings::fromProcessLocale() {
    RegionalSettings settings;
    if (!isCLocale(setlocale(LC_NUMERIC, nullptr))) {
        const lconv* conv = localeconv();
        if (conv != nullptr && conv->decimal_point != nullptr && conv->decimal_point[0] != '\0' &&
            conv->decimal_point[1] == '\0') {
            settings.decimalSeparator = conv->decimal_point[0];
        }
    }
    if (!isCLocale(setlocale(LC_TIME, nullptr))) {
        std::string dateSeparator;
        std::string timeSeparator;
        std::string date = patternFromStrftime(nl_langinfo(D_FMT), dateSeparator);
        std::string time = patternFromStrftime(nl_langinfo(T_FMT), timeSeparator);
        if (!date.empty()) {
            settings.shortDateFormat = date;
        }
        if (!time.empty()) {
            settings.longTimeFormat = time;
        }
        if (!dateSeparator.empty()) {
            settings.dateSeparator = dateSeparator;
        }
        if (!timeSeparator.empty()) {
            settings.timeSeparator = timeSeparator;
        }
    }
    return settings;
}

}  // namespace trend
