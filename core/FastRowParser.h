#pragma once

#include <cstddef>
#include <cstdint>

namespace trend {

// The fast road through a data row split loosely: a date "yyyy?mm?dd", a time "hh?nn?ss" or
// "hh?nn?ss?zzz", and plain numbers or null marks. Anything else (quotes, odd widths, a value
// that is not a number, too few fields, an invalid date) returns false and the row takes the
// exact general road, which gives the same result or the error.
class FastRowParser {
public:
    explicit FastRowParser(char decimalSeparator) : separator_(decimalSeparator) {}

    bool parse(const char* begin, const char* end, size_t seriesCount, double& time, double* values,
               uint8_t* nulls);

    // The shape check and exact conversion of one number.
    bool parseNumber(const char* begin, const char* end, double& value) const;

private:
    char separator_;
    char cachedDate_[10] = {};
    long long cachedDays_ = -1;
};

}  // namespace trend
