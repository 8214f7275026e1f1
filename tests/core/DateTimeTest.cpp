#include <gtest/gtest.h>

#include "Mydatetimeunit.h"
#include "TrendErrors.h"

using namespace trend;

namespace {

struct ParseCase {
    const char* name;
    const char* text;
    double expected;
};

TEST(ParseDateTimeText, ReadsFieldsAtFixedPositions) {
    const double day = 44270.0;  // 2021/03/15
    const ParseCase cases[] = {
        {"plain", "2021/03/15 08:15:00", day + 8.25 / 24},
        {"milliseconds", "2021/03/15 08:15:00.250", day + (8.25 * 3600000 + 250) / 86400000},
        {"oneDigitMillisecondIsFive", "2021/03/15 08:15:00.5",
         day + (8.25 * 3600000 + 5) / 86400000},
        {"separatorsNotExamined", "2021-03-15T08:15:00", day + 8.25 / 24},
        {"dateOnlyIsMidnight", "2021/03/15", day},
        {"emptyIsFirstOf1900", "", 2.0},
        {"noLeadingZerosShiftsFields", "2021/3/15 8:15:00",
         // month "3/" and day "5 " are not whole numbers; hour ":1", minute "00" (cut short)
         static_cast<double>(EncodeDate(2021, 1, 1)) + 0.0},
        {"lastTimeOfDay", "2021/03/15 23:59:59.999", day + 86399999.0 / 86400000},
        {"leapDay2000", "2000/02/29 00:00:00", static_cast<double>(EncodeDate(2000, 2, 29))},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ParseDateTimeText(c.text), c.expected) << c.name;
    }
}

TEST(ParseDateTimeText, RejectsFieldsOutOfRange) {
    const char* cases[] = {"2021/13/15 08:15:00", "2021/04/31 00:00:00", "1900/02/29 00:00:00",
                           "2021/03/15 24:00:00", "2021/03/15 08:60:00", "2021/03/15 08:15:60",
                           "0000/01/01 00:00:00", "2021/-1/15 00:00:00"};
    for (const char* text : cases) {
        EXPECT_THROW(ParseDateTimeText(text), ConversionError) << text;
    }
    try {
        ParseDateTimeText("2021/13/15 08:15:00");
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("2021/13/15 08:15:00"), std::string::npos);
    }
}

TEST(DateTimeArithmetic, AddsWholeSecondsExactly) {
    const double t = ParseDateTimeText("2021/03/15 08:15:00");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss.zzz", IncSecond(t, -60)),
              "2021/03/15 08:14:00.000");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss",
                             IncSecond(ParseDateTimeText("2021/03/15 23:59:59"), 1)),
              "2021/03/16 00:00:00");
    EXPECT_EQ(ToMilliseconds(IncSecond(t, 1)) - ToMilliseconds(t), 1000);
}

TEST(DateTimeArithmetic, SpanOfRowsAMinuteApartIsExactlySixtySeconds) {
    // Times whose double representations give 59.99999 or 60.00001 s when subtracted directly.
    double previous = ParseDateTimeText("2021/03/15 08:00:00");
    for (int minute = 1; minute < 600; ++minute) {
        const double current = IncSecond(ParseDateTimeText("2021/03/15 08:00:00"), minute * 60);
        ASSERT_EQ(SecondSpan(current, previous), 60.0) << minute;
        ASSERT_EQ(SecondSpan(previous, current), 60.0) << minute;
        previous = current;
    }
}

struct FormatCase {
    const char* pattern;
    const char* expected;
};

TEST(FormatDateTime, FollowsThePatternRules) {
    const double t = ParseDateTimeText("2021/03/05 08:05:09.007");
    const FormatCase cases[] = {
        {"yyyy'/'mm'/'dd HH':'MM':'SS", "2021/03/05 08:05:09"},
        {"hh:nn'm'", "08:05m"},
        {" yyyy'/'mm'/'dd hh':'nn':'ss'.'zzz", " 2021/03/05 08:05:09.007"},
        {"'SumTrend_'yyyymmdd'_'hhnnss-", "SumTrend_20210305_080509-"},
        {"yyyymmdd'.csv", "20210305.csv"},
        {"mm/dd hh:nn", "03/05 08:05"},
        {"hh:nn:ss", "08:05:09"},
        {"nn:ss", "05:09"},
        {"m/d h:n:s z", "3/5 8:5:9 7"},
        {"yy", "21"},
        {"yyyy", "2021"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDateTime(c.pattern, t), c.expected) << c.pattern;
    }
}

TEST(FormatDateTime, UsesRegionalSeparatorsOutsideQuotes) {
    RegionalSettings german;
    german.dateSeparator = ".";
    german.timeSeparator = "-";
    const double t = ParseDateTimeText("2021/03/05 08:05:09");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss", t, german), "05.03.2021 08-05-09");
    EXPECT_EQ(FormatDateTime("dd'/'mm hh':'nn", t, german), "05/03 08:05");
}

TEST(FormatDateTime, RoundsToTheNearestMillisecond) {
    const double t = ParseDateTimeText("2021/03/15 23:59:59.999") + 0.6 / 86400000;
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss.zzz", t), "2021/03/16 00:00:00.000");
}

TEST(DateTimeToStr, DropsMidnightAndTheDateBelowOne) {
    const RegionalSettings c = RegionalSettings::cLocale();
    EXPECT_EQ(DateTimeToStr(ParseDateTimeText("2021/03/15 08:15:00"), c), "2021/03/15 08:15:00");
    EXPECT_EQ(DateTimeToStr(ParseDateTimeText("2021/03/15 00:00:00"), c), "2021/03/15");
    EXPECT_EQ(DateTimeToStr(0.25, c), "06:00:00");
}

struct ZoneCase {
    long bias;
    const char* begins;
};

TEST(TimeZoneText, WritesHoursAndMinutesEastOfUtc) {
    const ZoneCase cases[] = {{-540, "UTC +9.0 "},  {0, "UTC +0.0 "},    {300, "UTC -5.0 "},
                              {-330, "UTC +5.30 "}, {210, "UTC -3.30 "}, {-345, "UTC +5.45 "}};
    for (const auto& c : cases) {
        EXPECT_EQ(TimeZoneTextFor(c.bias, "Zone"),
                  std::string(c.begins) + "Zone Ignore Day Light Saving")
            << c.bias;
    }
}

TEST(TimeZoneText, ReadsTheProcessZone) {
    ::setenv("TZ", "JST-9", 1);
    EXPECT_EQ(TimeZoneText(), "UTC +9.0 JST Ignore Day Light Saving");
    ::setenv("TZ", "EST5EDT", 1);
    EXPECT_EQ(TimeZoneText(), "UTC -5.0 EST Ignore Day Light Saving");
    ::setenv("TZ", "UTC", 1);
}

}  // namespace
