#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "TrendErrors.h"

namespace trend {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the shape and writes the text with a point separator into buffer; false if not a number.
bool normaliseNumber(std::string_view text, char separator, std::string& buffer) {
    buffer.clear();
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            buffer += '-';
        }
        ++i;
    }
    size_t mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        buffer += text[i++];
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == separator) {
        buffer += '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            buffer += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        buffer += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            buffer += text[i++];
        }
        size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            buffer += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == text.size();
}

}  // namespace

std::optional<double> TryStrToFloat(std::string_view text, const RegionalSettings& regional) {
    thread_local std::string buffer;
    if (!normaliseNumber(text, regional.decimalSeparator, buffer)) {
        return std::nullopt;
    }
    double value = 0;
    const char* first = buffer.data();
    const char* last = first + buffer.size();
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is not a number this program can hold.
        double probe = std::strtod(buffer.c_str(), nullptr);
        if (probe == 0.0 || (probe > -1.0 && probe < 1.0)) {
            return buffer[0] == '-' ? -0.0 : 0.0;
        }
        return std::nullopt;
    }
    if (ec != std::errc() || end != last) {
        return std::nullopt;
    }
    return value;
}

double StrToFloat(std::string_view text, const RegionalSettings& regional) {
    if (auto value = TryStrToFloat(text, regional)) {
        return *value;
    }
    throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

std::optional<long long> TryStrToInt64(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) {
            return std::nullopt;
        }
        if (value > (std::numeric_limits<long long>::max() - 9) / 10) {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

int StrToIntDef(std::string_view text, int fallback) {
    auto value = TryStrToInt64(text);
    if (!value || *value < std::numeric_limits<int>::min() ||
        *value > std::numeric_limits<int>::max()) {
        return fallback;
    }
    return static_cast<int>(*value);
}

namespace {
int clampToInt32(double x) {
    if (!(x == x)) {
        return 0;
    }
    if (x >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (x <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(x);
}
}  // namespace

int TruncToInt32(double x) {
    return clampToInt32(std::trunc(x));
}
int RoundToInt32(double x) {
    return clampToInt32(std::round(x));
}

std::string FloatToStr(double value, const RegionalSettings& regional) {
    if (value == 0.0) {
        return "0";
    }
    char buffer[40];
    auto [last, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string text(buffer, ec == std::errc() ? last : buffer);
    size_t ePos = text.find('e');
    int exponent = std::atoi(text.c_str() + ePos + 1);
    bool negative = text[0] == '-';
    std::string digits;
    for (size_t i = negative ? 1 : 0; i < ePos; ++i) {
        if (isDigit(text[i])) {
            digits += text[i];
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    std::string out = negative ? "-" : "";
    if (exponent >= -5 && exponent <= 14) {
        if (exponent < 0) {
            out += '0';
            out += regional.decimalSeparator;
            out.append(static_cast<size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            size_t whole = static_cast<size_t>(exponent) + 1;
            if (digits.size() <= whole) {
                out += digits;
                out.append(whole - digits.size(), '0');
            } else {
                out += digits.substr(0, whole);
                out += regional.decimalSeparator;
                out += digits.substr(whole);
            }
        }
        return out;
    }
    out += digits[0];
    if (digits.size() > 1) {
        out += regional.decimalSeparator;
        out += digits.substr(1);
    }
    out += 'E';
    if (exponent < 0) {
        out += '-';
    }
    out += std::to_string(exponent < 0 ? -exponent : exponent);
    return out;
}

void AppendG(std::string& out, double value) {
    char buffer[32];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    if (ec != std::errc()) {
        int n = std::snprintf(buffer, sizeof buffer, "%g", value);
        out.append(buffer, static_cast<size_t>(n));
        return;
    }
    out.append(buffer, end);
}

std::string FormatG(double value) {
    std::string out;
    AppendG(out, value);
    return out;
}

}  // namespace trend
