#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Regional.h"

namespace trend {

// Decimal number with optional sign, digits, the regional separator and an optional exponent.
// Anything else, the empty text included, raises ConversionError naming the text.
double StrToFloat(std::string_view text, const RegionalSettings& regional);
std::optional<double> TryStrToFloat(std::string_view text, const RegionalSettings& regional);

// Whole number: optional leading blanks, optional sign, decimal digits; nullopt otherwise.
std::optional<long long> TryStrToInt64(std::string_view text);
// A 32-bit whole number, or fallback when the text is not one.
int StrToIntDef(std::string_view text, int fallback);

// trunc(x) and round(x) as 32-bit numbers, held to the range instead of overflowing; 0 for NaN.
int TruncToInt32(double x);
int RoundToInt32(double x);

// General number text: up to 15 significant digits, trailing zeros dropped, regional separator,
// exponent form below 1E-5 and from 1E15 on.
std::string FloatToStr(double value, const RegionalSettings& regional);

// The C "%g" conversion in the C locale (six significant digits).
std::string FormatG(double value);
// Appends the "%g" text of value to out; the writer's hot path.
void AppendG(std::string& out, double value);

}  // namespace trend
