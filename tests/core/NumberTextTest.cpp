#include <gtest/gtest.h>

#include <cmath>

#include "NumberText.h"
#include "TrendErrors.h"

using namespace trend;

namespace {

TEST(StrToFloat, ReadsDecimalNumbersOnly) {
    const RegionalSettings c = RegionalSettings::cLocale();
    const std::pair<const char*, double> valid[] = {
        {"12.5", 12.5}, {"-3", -3.0}, {"+4.25", 4.25}, {"1.5E+06", 1.5e6}, {"2e-3", 0.002},
        {".5", 0.5},    {"5.", 5.0},  {"007", 7.0},    {"1e-400", 0.0},
    };
    for (auto [text, expected] : valid) {
        EXPECT_DOUBLE_EQ(StrToFloat(text, c), expected) << text;
    }
    const char* invalid[] = {"",    "n",  "inf", "nan", "0x1F", "1,5",   "12,5x", " 12",
                             "12 ", "1e", "e5",  ".",   "+-1",  "1e999", "1_000"};
    for (const char* text : invalid) {
        EXPECT_THROW(StrToFloat(text, c), ConversionError) << text;
    }
}

TEST(StrToFloat, UsesTheRegionalDecimalSeparator) {
    RegionalSettings comma;
    comma.decimalSeparator = ',';
    EXPECT_DOUBLE_EQ(StrToFloat("12,5", comma), 12.5);
    EXPECT_THROW(StrToFloat("12.5", comma), ConversionError);
}

TEST(StrToIntDef, FallsBackOnTextThatIsNoWholeNumber) {
    EXPECT_EQ(StrToIntDef("60", 0), 60);
    EXPECT_EQ(StrToIntDef(" 10", 0), 10);
    EXPECT_EQ(StrToIntDef("-5", 0), -5);
    EXPECT_EQ(StrToIntDef("", 7), 7);
    EXPECT_EQ(StrToIntDef("1.5", 7), 7);
    EXPECT_EQ(StrToIntDef("abc", 100000), 100000);
    EXPECT_EQ(StrToIntDef("99999999999", 3), 3);
}

TEST(FloatToStr, WritesFifteenSignificantDigits) {
    const RegionalSettings c = RegionalSettings::cLocale();
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},           {42.125, "42.125"},        {60.0, "60"},
        {-0.5, "-0.5"},       {0.1 + 0.2, "0.3"},        {1.0 / 3.0, "0.333333333333333"},
        {0.00001, "0.00001"}, {0.000001234, "1.234E-6"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},       {1.5e20, "1.5E20"},
    };
    for (auto [value, expected] : cases) {
        EXPECT_EQ(FloatToStr(value, c), expected) << expected;
    }
    RegionalSettings comma;
    comma.decimalSeparator = ',';
    EXPECT_EQ(FloatToStr(12.5, comma), "12,5");
}

TEST(FormatG, MatchesPrintfG) {
    const std::pair<double, const char*> cases[] = {
        {0.000012345, "1.2345e-05"},
        {123456, "123456"},
        {1234567, "1.23457e+06"},
        {12.5, "12.5"},
        {100, "100"},
        {0.0001, "0.0001"},
        {-0.0, "-0"},
        {1.5e6, "1.5e+06"},
        {12.75, "12.75"},
    };
    for (auto [value, expected] : cases) {
        EXPECT_EQ(FormatG(value), expected) << expected;
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%g", value);
        EXPECT_EQ(FormatG(value), buffer);
    }
}

}  // namespace
