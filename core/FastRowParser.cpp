#include "FastRowParser.h"

#include <charconv>
#include <cstring>

#include "Mydatetimeunit.h"

namespace trend {
namespace {

inline bool isDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}
inline bool isBlank(char c) {
    return static_cast<unsigned char>(c - 1) < 32;
}
inline int digits2(const char* s) {
    return (s[0] - '0') * 10 + (s[1] - '0');
}

// Loose fields of one line; bails out on what the general splitter must handle.
class LooseCursor {
public:
    LooseCursor(const char* begin, const char* end) : p_(begin), end_(end) {}

    bool start() { return skipBlanks(); }

    // 1: a field, 0: no more fields, -1: needs the general splitter.
    int next(const char*& fieldBegin, const char*& fieldEnd) {
        if (p_ >= end_) {
            if (emptyPending_) {
                emptyPending_ = false;
                fieldBegin = fieldEnd = end_;
                return 1;
            }
            return 0;
        }
        if (*p_ == '"') {
            return -1;
        }
        fieldBegin = p_;
        while (p_ < end_ && *p_ != ',' && static_cast<unsigned char>(*p_) > 32) {
            ++p_;
        }
        fieldEnd = p_;
        if (!skipBlanks()) {
            return -1;
        }
        if (p_ < end_ && *p_ == ',') {
            emptyPending_ = p_ + 1 == end_;
            ++p_;
            if (!skipBlanks()) {
                return -1;
            }
        }
        return 1;
    }

    // Reads the next field as a value: a plain decimal number, or a null mark (any "N").
    // False when the field is missing or needs the general road.
    template <typename Slow>
    bool nextValue(char separator, double& value, uint8_t& isNull, const Slow& slow) {
        if (p_ >= end_) {
            if (!emptyPending_) {
                return false;
            }
            emptyPending_ = false;
            return false;  // an empty field is not a number
        }
        const char* field = p_;
        if (*field == '"') {
            return false;
        }
        bool negative = false;
        if (*p_ == '-' || *p_ == '+') {
            negative = *p_ == '-';
            ++p_;
        }
        uint64_t mantissa = 0;
        int digits = 0;
        int fractionDigits = 0;
        bool exact = true;
        while (p_ < end_ && isDigit(*p_)) {
            if (digits < 19) {
                mantissa = mantissa * 10 + static_cast<unsigned>(*p_ - '0');
                digits += mantissa != 0;
            } else {
                exact = false;
            }
            ++p_;
        }
        const bool hasWhole = p_ != field + (field[0] == '-' || field[0] == '+');
        bool hasFraction = false;
        // A comma always ends a field, so with a comma separator a plain field has no fraction.
        if (p_ < end_ && *p_ == separator && separator != ',') {
            ++p_;
            while (p_ < end_ && isDigit(*p_)) {
                if (digits < 19) {
                    mantissa = mantissa * 10 + static_cast<unsigned>(*p_ - '0');
                    digits += mantissa != 0;
                    ++fractionDigits;
                } else {
                    exact = false;
                }
                hasFraction = true;
                ++p_;
            }
        }
        const bool terminated = p_ >= end_ || *p_ == ',' || static_cast<unsigned char>(*p_) <= 32;
        if (!terminated) {
            // Not a plain number: a null mark, or a number with an exponent, or no number.
            while (p_ < end_ && *p_ != ',' && static_cast<unsigned char>(*p_) > 32) {
                ++p_;
            }
            if (std::memchr(field, 'N', static_cast<size_t>(p_ - field)) != nullptr) {
                isNull = 1;
                value = 0.0;
            } else if (!slow.parseNumber(field, p_, value)) {
                return false;
            } else {
                isNull = 0;
            }
        } else {
            if (!hasWhole && !hasFraction) {
                return false;
            }
            isNull = 0;
            static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
            if (exact && mantissa <= (uint64_t{1} << 53) && fractionDigits <= 22) {
                // Both operands are exact doubles, so one division rounds correctly.
                value = static_cast<double>(mantissa) / kPowers[fractionDigits];
                if (negative) {
                    value = -value;
                }
            } else if (!slow.parseNumber(field, p_, value)) {
                return false;
            }
        }
        if (!skipBlanks()) {
            return false;
        }
        if (p_ < end_ && *p_ == ',') {
            emptyPending_ = p_ + 1 == end_;
            ++p_;
            if (!skipBlanks()) {
                return false;
            }
        }
        return true;
    }

private:
    bool skipBlanks() {
        while (p_ < end_ && isBlank(*p_)) {
            ++p_;
        }
        return p_ >= end_ || *p_ != '\0';
    }

    const char* p_;
    const char* end_;
    bool emptyPending_ = false;
};

}  // namespace

bool FastRowParser::parseNumber(const char* begin, const char* end, double& value) const {
    const char* s = begin;
    // from_chars takes a minus sign but no plus sign.
    const char* digitsStart = begin;
    if (s < end && (*s == '+' || *s == '-')) {
        digitsStart = *s == '+' ? begin + 1 : begin;
        ++s;
    }
    size_t mantissa = 0;
    while (s < end && isDigit(*s)) {
        ++s, ++mantissa;
    }
    const char* separatorAt = nullptr;
    if (s < end && *s == separator_) {
        separatorAt = s++;
        while (s < end && isDigit(*s)) {
            ++s, ++mantissa;
        }
    }
    if (mantissa == 0) {
        return false;
    }
    if (s < end && (*s == 'e' || *s == 'E')) {
        ++s;
        if (s < end && (*s == '+' || *s == '-')) {
            ++s;
        }
        size_t exponent = 0;
        while (s < end && isDigit(*s)) {
            ++s, ++exponent;
        }
        if (exponent == 0) {
            return false;
        }
    }
    if (s != end) {
        return false;
    }
    const char* from = digitsStart;
    char buffer[128];
    if (separatorAt != nullptr && separator_ != '.') {
        const size_t length = static_cast<size_t>(end - from);
        if (length >= sizeof buffer) {
            return false;
        }
        std::memcpy(buffer, from, length);
        buffer[separatorAt - from] = '.';
        from = buffer;
        end = buffer + length;
    }
    auto [ptr, ec] = std::from_chars(from, end, value);
    return ec == std::errc() && ptr == end;
}

bool FastRowParser::parse(const char* begin, const char* end, size_t seriesCount, double& time,
                          double* values, uint8_t* nulls) {
    LooseCursor cursor(begin, end);
    if (!cursor.start()) {
        return false;
    }
    const char* dateBegin;
    const char* dateEnd;
    const char* timeBegin;
    const char* timeEnd;
    if (cursor.next(dateBegin, dateEnd) != 1 || cursor.next(timeBegin, timeEnd) != 1) {
        return false;
    }
    const size_t timeLength = static_cast<size_t>(timeEnd - timeBegin);
    if (dateEnd - dateBegin != 10 || (timeLength != 8 && timeLength != 12)) {
        return false;
    }
    const char* d = dateBegin;
    const char* t = timeBegin;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!isDigit(d[i])) {
            return false;
        }
    }
    for (int i : {0, 1, 3, 4, 6, 7}) {
        if (!isDigit(t[i])) {
            return false;
        }
    }
    int millisecond = 0;
    if (timeLength == 12) {
        if (!isDigit(t[9]) || !isDigit(t[10]) || !isDigit(t[11])) {
            return false;
        }
        millisecond = (t[9] - '0') * 100 + digits2(t + 10);
    }
    if (cachedDays_ < 0 || std::memcmp(cachedDate_, d, 10) != 0) {
        const int year = digits2(d) * 100 + digits2(d + 2);
        const int month = digits2(d + 5);
        const int day = digits2(d + 8);
        if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31) {
            return false;
        }
        if (day > 28) {
            static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            if (day > kDays[month - 1] || (month == 2 && day == 29 && !IsLeapYear(year))) {
                return false;
            }
        }
        cachedDays_ = EncodeDate(year, month, day);
        std::memcpy(cachedDate_, d, 10);
    }
    const int hour = digits2(t);
    const int minute = digits2(t + 3);
    const int second = digits2(t + 6);
    if (hour > 23 || minute > 59 || second > 59) {
        return false;
    }
    time = static_cast<double>(cachedDays_) +
           static_cast<double>(hour * 3600000 + minute * 60000 + second * 1000 + millisecond) /
               kMSecsPerDay;

    for (size_t i = 0; i < seriesCount; ++i) {
        if (!cursor.nextValue(separator_, values[i], nulls[i], *this)) {
            return false;
        }
    }
    return true;
}

}  // namespace trend
