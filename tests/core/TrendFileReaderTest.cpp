#include <gtest/gtest.h>

#include <filesystem>

#include "Mydatetimeunit.h"
#include "PlatformPath.h"
#include "TrendErrors.h"
#include "TrendFileFixtures.h"

using namespace trend;
using namespace trendtest;

namespace {

double at(const char* text) {
    return ParseDateTimeText(text);
}

std::vector<double> valuesOf(const TrendSeries& s) {
    return std::vector<double>(s.values().begin(), s.values().end());
}

std::vector<std::string> timesOf(const TrendDataSet& data) {
    std::vector<std::string> out;
    for (double t : data.times()) {
        out.push_back(FormatDateTime("hh:nn:ss", t));
    }
    return out;
}

TEST(TrendFileReader, FirstLoadFitsTheSeriesToTheColumns) {
    ReaderHarness h;
    const auto progress = h.read("three_columns.csv");
    const TrendDataSet& chart = h.state.Chart1;

    EXPECT_EQ(progress.filesRead, 1u);
    EXPECT_EQ(progress.rowsAccepted, 3u);
    ASSERT_EQ(chart.SeriesCount(), 3u);
    EXPECT_EQ(chart.SeriesHandle(0), chart.Series1()) << "column 1 goes to the design series";
    EXPECT_EQ(chart.Series(0).Format.Pointer.Style, psCircle);
    EXPECT_EQ(chart.Series(0).Format.Pointer.HorizSize, 3);
    EXPECT_FALSE(chart.Series(0).Format.SmallDots);
    for (size_t i : {1u, 2u}) {
        const TrendSeries& s = chart.Series(i);
        EXPECT_EQ(s.Format.Pointer.Style, static_cast<int>(i));
        EXPECT_EQ(s.Format.Pointer.HorizSize, 2);
        EXPECT_EQ(s.Format.Pointer.VertSize, 2);
        EXPECT_TRUE(s.Format.SmallDots);
        EXPECT_EQ(s.Format.TreatNulls, NullTreatment::DontPaint);
    }
    EXPECT_EQ(chart.Series(0).Title, "PV");
    EXPECT_EQ(chart.Series(2).Title, "MV");
    EXPECT_EQ(chart.Series(0).SeriesColor, 0x0000FFu);
    EXPECT_EQ(chart.Series(1).SeriesColor, 0x008000u);
    EXPECT_EQ(chart.Series(2).SeriesColor, clDarkOrange) << "yellow is replaced";

    EXPECT_EQ(chart.TitleText,
              std::vector<std::string>{"TAG-101 2021/03/15 08:15:00 - 2021/03/15 08:17:00"});
    EXPECT_EQ(chart.BottomAxisTitle, "TAG-101");
    EXPECT_EQ(h.state.StringGrid1.Cells,
              (std::vector<std::string>{"PV", "  12.9", "SV", "  51", "MV", "  33.6"}));
    EXPECT_EQ(h.state.StringGrid1.ColWidth0, h.state.StringGrid1.Width - 1);
    EXPECT_EQ(h.state.Label4, "3");
    EXPECT_EQ(h.state.Label9, " 2021/03/15 08:17:00.000");
    EXPECT_EQ(h.state.Label13, "60");
    EXPECT_EQ(h.state.Edit4, "12.9");
    EXPECT_EQ(h.state.Edit5, "12.5");
    EXPECT_TRUE(h.state.Button7Enabled);

    EXPECT_TRUE(chart.Series(1).IsNull(1));
    EXPECT_EQ(chart.Series(1).YValue(1), 50.0) << "a null point keeps the last value";
    // Two minutes are a little less than 2/1440 days as doubles: trunc(2.99999... ) is 2.
    EXPECT_EQ(h.state.FTimeSteps, 2);
    EXPECT_DOUBLE_EQ(h.state.FDaysPerStep,
                     (at("2021/03/15 08:17:00") - at("2021/03/15 08:15:00")) / 2);
    EXPECT_EQ(h.state.ScrollBar1.Max(), 2);
    EXPECT_EQ(h.state.ScrollBar1.PageSize(), 2);
    EXPECT_EQ(h.state.ScrollBar1.Position(), 2);
    EXPECT_EQ(h.state.FValueTop, 51.0);
    EXPECT_EQ(h.state.FValueBottom, 12.5);
    EXPECT_DOUBLE_EQ(h.state.FValuePerStep, (51.0 - 12.5) / 100);
    EXPECT_EQ(h.state.ScrollBar2.Max(), 100);
    EXPECT_EQ(h.state.ScrollBar2.PageSize(), 100);
    EXPECT_EQ(h.state.LastReadFile, UpperCase(JoinPath(fixtureFolder(), "three_columns.csv")));
}

TEST(TrendFileReader, NothingSelectedRefreshesTheDisplaysOnly) {
    ReaderHarness h;
    SingleFileHooks none(std::nullopt);
    const auto progress = h.reader.Button1Click({"0", "100000", 0}, none);
    EXPECT_EQ(progress.filesRead, 0u);
    EXPECT_TRUE(h.state.Button7Enabled);
    EXPECT_EQ(h.state.Edit4, "0");
    EXPECT_EQ(h.state.Label4, "0");
    EXPECT_EQ(h.state.Chart1.TitleText, std::vector<std::string>{"TChart"});
}

TEST(TrendFileReader, GapOfFiveMinutesBreaksTheLineButNinetySecondsDoNot) {
    ReaderHarness h;
    h.read("minute_rows_with_holes.csv");
    const TrendDataSet& chart = h.state.Chart1;
    EXPECT_EQ(timesOf(chart),
              (std::vector<std::string>{"08:00:00", "08:01:00", "08:02:00", "08:03:00", "08:03:01",
                                        "08:08:00", "08:09:00", "08:10:00", "08:11:30"}));
    EXPECT_EQ(chart.Series(0).nullIndices().size(), 1u);
    EXPECT_TRUE(chart.Series(0).IsNull(4));
    EXPECT_EQ(chart.Series(0).YValue(4), 4.0);
    EXPECT_EQ(h.state.Label13, "60");
}

TEST(TrendFileReader, DecimationKeepsOneRowPerIntervalAndWidensTheGap) {
    ReaderHarness h;
    h.edit2 = "60";
    h.read("ten_second_rows.csv");
    const TrendDataSet& chart = h.state.Chart1;
    EXPECT_EQ(h.state.FDecimationSeconds, 60);
    EXPECT_EQ(h.state.Label13, "60") << "the first row is compared with a time 60 s earlier";
    EXPECT_EQ(timesOf(chart),
              (std::vector<std::string>{"08:15:00", "08:16:00", "08:17:00", "08:18:00", "08:19:00",
                                        "08:20:00", "08:20:01", "08:22:10"}));
    EXPECT_TRUE(chart.Series(0).IsNull(6)) << "130 s reach 2 x 60 + 10";
}

TEST(TrendFileReader, FifteenSecondHoleInSecondDataIsAGap) {
    ReaderHarness h;
    h.read("second_rows_with_hole.csv");
    EXPECT_EQ(h.state.Label13, "1");
    EXPECT_EQ(timesOf(h.state.Chart1),
              (std::vector<std::string>{"08:00:00", "08:00:01", "08:00:02", "08:00:03", "08:00:04",
                                        "08:00:05", "08:00:20"}));
    EXPECT_TRUE(h.state.Chart1.Series(0).IsNull(5));
}

TEST(TrendFileReader, NullMarksKeepTheColumnsLastValue) {
    ReaderHarness h;
    h.read("null_marks.csv");
    const TrendDataSet& chart = h.state.Chart1;
    EXPECT_EQ(valuesOf(chart.Series(0)), (std::vector<double>{0, 12.7, 12.9, 13.1}));
    EXPECT_EQ(valuesOf(chart.Series(1)), (std::vector<double>{50, 50, 50, 52}));
    EXPECT_EQ(valuesOf(chart.Series(2)), (std::vector<double>{33, 33.4, 33.4, 34}));
    EXPECT_TRUE(chart.Series(0).IsNull(0));
    EXPECT_TRUE(chart.Series(1).IsNull(1));
    EXPECT_TRUE(chart.Series(1).IsNull(2));
    EXPECT_TRUE(chart.Series(2).IsNull(2));
    EXPECT_EQ(chart.Series(0).MinYValue(), 0.0) << "a null point's stored value counts";
}

struct FailureCase {
    const char* file;
    long line;
    const char* mentions;
    size_t pointsLeft;
};

TEST(TrendFileReader, AFailingRowStopsTheClickAndAddsNoPoints) {
    const FailureCase cases[] = {
        {"lower_case_n.csv", 6, "'n' is not a number", 1},
        {"value_not_a_number.csv", 7, "'5x' is not a number", 2},
        {"too_few_fields.csv", 6, "fields", 1},
        {"empty_title_line.csv", 3, "title", 0},
        {"empty_data_line.csv", 6, "0 fields", 1},
        {"invalid_date.csv", 6, "2021/02/30 08:16:00", 1},
    };
    for (const auto& c : cases) {
        ReaderHarness h;
        h.read("three_columns.csv");
        const auto displays = std::make_tuple(h.state.Label9, h.state.Edit4, h.state.LastReadFile,
                                              h.state.FTimeSteps);
        const std::string path = JoinPath(fixtureFolder(), c.file);
        try {
            h.read(c.file);
            ADD_FAILURE() << c.file << " was read without an error";
        } catch (const TrendReadError& error) {
            EXPECT_EQ(error.file(), path);
            EXPECT_EQ(error.line(), c.line) << c.file;
            EXPECT_NE(std::string(error.what()).find(path + " line " + std::to_string(c.line)),
                      std::string::npos)
                << error.what();
            EXPECT_NE(std::string(error.what()).find(c.mentions), std::string::npos)
                << error.what();
        }
        const TrendDataSet& chart = h.state.Chart1;
        for (size_t i = 0; i < chart.SeriesCount(); ++i) {
            EXPECT_EQ(chart.Series(i).Count(), c.pointsLeft) << c.file << " series " << i;
        }
        EXPECT_EQ(std::make_tuple(h.state.Label9, h.state.Edit4, h.state.LastReadFile,
                                  h.state.FTimeSteps),
                  displays)
            << c.file << ": the displays keep their state";
    }
}

TEST(TrendFileReader, ExtraValueFieldsAreIgnored) {
    ReaderHarness h;
    h.read("extra_fields.csv");
    EXPECT_EQ(valuesOf(h.state.Chart1.Series(0)), (std::vector<double>{1, 2}));
}

TEST(TrendFileReader, LastLineWithoutLineBreakKeepsItsLastCharacter) {
    for (const char* file : {"last_line_without_line_break.csv", "lf_line_ends.csv"}) {
        ReaderHarness h;
        h.read(file);
        EXPECT_EQ(valuesOf(h.state.Chart1.Series(0)), (std::vector<double>{11, 12.5})) << file;
    }
}

TEST(TrendFileReader, FewerColumnsRebuildAllSeriesMoreColumnsKeepThem) {
    ReaderHarness h;
    h.read("three_columns.csv");
    h.state.Chart1.Series(1).VertAxis = VertAxisSide::Right;
    const auto kept = h.state.Chart1.SeriesHandle(1);
    h.read("four_columns.csv");
    const TrendDataSet& chart = h.state.Chart1;
    ASSERT_EQ(chart.SeriesCount(), 4u);
    EXPECT_EQ(chart.SeriesHandle(1), kept);
    EXPECT_EQ(chart.Series(1).Title, "[R]B");
    EXPECT_EQ(h.state.StringGrid1.Cells[2], "B");
    EXPECT_EQ(chart.Series(3).Format.Pointer.Style, 1) << "the style counter starts per file";

    h.read("two_columns.csv");
    ASSERT_EQ(chart.SeriesCount(), 2u);
    EXPECT_NE(chart.SeriesHandle(0), chart.Series1()) << "the design series left the chart";
    EXPECT_EQ(chart.Series(0).Format.Pointer.Style, 1);
    EXPECT_EQ(chart.Series(1).Format.Pointer.Style, 2);
    EXPECT_EQ(chart.Series(0).VertAxis, VertAxisSide::Left);
    EXPECT_EQ(h.state.StringGrid1.RowCount(), 4);
}

TEST(TrendFileReader, RightAxisPrefixIsTitleTextOnly) {
    ReaderHarness h;
    h.read("summary_titles.csv");
    EXPECT_EQ(h.state.Chart1.Series(1).Title, "[R]SV");
    EXPECT_EQ(h.state.Chart1.Series(1).VertAxis, VertAxisSide::Left);
    h.state.Chart1.Series(1).VertAxis = VertAxisSide::Right;
    h.read("summary_titles.csv");
    EXPECT_EQ(h.state.Chart1.Series(1).Title, "[R][R]SV");
    EXPECT_EQ(h.state.StringGrid1.Cells[2], "[R]SV");
    EXPECT_EQ(valuesOf(h.state.Chart1.Series(1)), (std::vector<double>{100, 1.5e6}));
}

TEST(TrendFileReader, AddFileOfAnEarlierDayPlacesItsPointsFirst) {
    ReaderHarness h;
    h.read("three_columns.csv");
    h.state.RadioGroup1ItemIndex = 9;
    h.add("earlier_day.csv");
    const TrendDataSet& chart = h.state.Chart1;
    EXPECT_EQ(valuesOf(chart.Series(0)), (std::vector<double>{1, 4, 12.5, 12.7, 12.9}));
    EXPECT_EQ(valuesOf(chart.Series(2)), (std::vector<double>{3, 6, 33.1, 33.4, 33.6}));
    EXPECT_TRUE(chart.Series(1).IsNull(3));
    EXPECT_EQ(chart.Series(1).nullIndices().size(), 1u);
    EXPECT_EQ(chart.TitleText[0], "TAG-101 2021/03/14 08:15:00 - 2021/03/15 08:17:00");
    EXPECT_EQ(chart.Series(0).Title, "PV") << "add mode leaves the series alone";
    EXPECT_EQ(h.state.RadioGroup1ItemIndex, -1) << "AddFile clears the H Scale selection";
    EXPECT_EQ(h.state.StringGrid1.Cells[1], "  12.9");
}

TEST(TrendFileReader, RowsOutOfOrderAreSortedKeepingEqualTimesInReadingOrder) {
    ReaderHarness h;
    h.read("out_of_order_rows.csv");
    // The step back sets the sample interval to 300 s, so the 900 s to 08:20 is a gap, marked
    // 1 s after the row before it (08:05, the second of the two).
    EXPECT_EQ(valuesOf(h.state.Chart1.Series(0)), (std::vector<double>{2, 4, 4, 1, 3, 5}));
    EXPECT_EQ(timesOf(h.state.Chart1),
              (std::vector<std::string>{"08:05:00", "08:05:00", "08:05:01", "08:10:00", "08:12:00",
                                        "08:20:00"}));
    EXPECT_TRUE(h.state.Chart1.Series(0).IsNull(2));
}

TEST(TrendFileReader, TimeWindowFollowsTheEndOfTheData) {
    const double last = at("2021/03/15 08:17:00");
    {
        ReaderHarness h;  // the same file again: the width stays, the end moves to the data
        h.read("three_columns.csv");
        h.state.BottomAxis.SetMinMax(at("2021/03/15 08:00:00"), at("2021/03/15 08:10:00"));
        h.state.RadioGroup1ItemIndex = 3;
        h.read("three_columns.csv");
        EXPECT_DOUBLE_EQ(h.state.BottomAxis.Maximum, last);
        EXPECT_NEAR(h.state.BottomAxis.width(), 10.0 / 1440, 1e-9);
        EXPECT_EQ(h.state.RadioGroup1ItemIndex, 3);
    }
    {
        ReaderHarness h;  // another file with no H Scale selection: the window stays
        h.read("two_columns.csv");
        h.state.BottomAxis.SetMinMax(at("2021/03/15 08:00:00"), at("2021/03/15 08:10:00"));
        h.read("three_columns.csv");
        EXPECT_DOUBLE_EQ(h.state.BottomAxis.Maximum, at("2021/03/15 08:10:00"));
    }
    {
        ReaderHarness h;  // another file with a preset selected: the window moves to the end
        h.read("two_columns.csv");
        h.state.BottomAxis.SetMinMax(at("2021/03/15 08:00:00"), at("2021/03/15 08:30:00"));
        h.state.RadioGroup1ItemIndex = 2;
        h.read("three_columns.csv");
        EXPECT_DOUBLE_EQ(h.state.BottomAxis.Maximum, last);
        EXPECT_NEAR(h.state.BottomAxis.width(), 30.0 / 1440, 1e-9);
    }
    {
        ReaderHarness h;  // "Auto" makes the axis automatic at the end
        h.state.BottomAxis.SetMinMax(1, 2);
        h.state.RadioGroup1ItemIndex = 17;
        h.read("three_columns.csv");
        EXPECT_TRUE(h.state.BottomAxis.Automatic);
    }
}

TEST(TrendFileReader, FileOfThreeLinesEmptiesTheSeriesAndKeepsTheirNumber) {
    ReaderHarness h;
    h.read("three_columns.csv");
    h.read("three_lines_only.csv");
    const TrendDataSet& chart = h.state.Chart1;
    EXPECT_EQ(chart.SeriesCount(), 3u);
    EXPECT_EQ(chart.Series(0).Count(), 0u);
    EXPECT_EQ(chart.TitleText[0], "SHORT 1899/12/30 00:00:00 - 1899/12/30 00:00:00");
    EXPECT_EQ(h.state.FTimeSteps, 1);
    EXPECT_EQ(h.state.FDaysPerStep, 0.0);
}

TEST(TrendFileReader, QuotedFieldsTakeTheGeneralRoad) {
    ReaderHarness h;
    h.read("quoted_fields.csv");
    const TrendDataSet& chart = h.state.Chart1;
    EXPECT_EQ(chart.BottomAxisTitle, "TAG, quoted");
    EXPECT_EQ(chart.Series(0).Title, "Flow, total");
    EXPECT_EQ(chart.Series(1).Title, " T ");
    EXPECT_EQ(valuesOf(chart.Series(0)), (std::vector<double>{12.5}));
    EXPECT_EQ(valuesOf(chart.Series(1)), (std::vector<double>{3}));
}

TEST(TrendFileReader, FileWithoutValueColumnsLeavesNoSeries) {
    ReaderHarness h;
    const auto progress = h.read("no_value_columns.csv");
    EXPECT_EQ(h.state.Chart1.SeriesCount(), 0u);
    EXPECT_EQ(h.state.StringGrid1.RowCount(), 0);
    EXPECT_EQ(progress.rowsAccepted, 1u);
}

TEST(TrendFileReader, AddFileRightAfterStartUpFillsTheGridRowsThatExist) {
    ReaderHarness h;
    h.add("two_columns.csv");
    EXPECT_EQ(h.state.Chart1.SeriesCount(), 1u);
    EXPECT_EQ(h.state.StringGrid1.Cells[1], "  3");
    EXPECT_EQ(h.state.Chart1.TitleText[0], "TWO 2021/03/16 08:15:00 - 2021/03/16 08:16:00");
}

TEST(TrendFileReader, LineLongerThanTheOldBufferIsReadWhole) {
    TempFolder folder;
    std::string row = "2021/03/15 08:15:00,1.5";
    while (row.size() < 30000) {
        row += ",9999.999";
    }
    folder.write("long.csv",
                 crlfLines({"a", "b", "LONG", "Date Time,PV", row, "2021/03/15 08:16:00,2.5"}));
    ReaderHarness h;
    h.click(0, folder.path(), "long.csv");
    EXPECT_EQ(valuesOf(h.state.Chart1.Series(0)), (std::vector<double>{1.5, 2.5}));
}

TEST(TrendFileReader, SplitterModePersistsIntoTheNextFileOfARun) {
    // A read-mode file that ends after its title line leaves the splitter strict, so the next
    // file of the run splits "date time" as one field and takes the third field as column 1.
    ReaderHarness h;
    ListHooks hooks({JoinPath(fixtureFolder(), "three_lines_only.csv"),
                     JoinPath(fixtureFolder(), "three_columns.csv")},
                    true);
    const auto progress = h.reader.Button1Click({"0", "100000", 0}, hooks);
    EXPECT_EQ(progress.filesRead, 2u);
    const TrendSeries& s = h.state.Chart1.Series(0);
    EXPECT_EQ(valuesOf(s), (std::vector<double>{50, 50, 51}));
    EXPECT_TRUE(s.IsNull(1));
}

TEST(TrendFileReader, ConsecutiveRunAddsFilesAndFixesTheSampleIntervalOnce) {
    ReaderHarness h;
    ListHooks hooks({JoinPath(fixtureFolder(), "second_rows_with_hole.csv"),
                     JoinPath(fixtureFolder(), "three_columns.csv")},
                    true);
    const auto progress = h.reader.Button1Click({"0", "100000", 0}, hooks);
    EXPECT_EQ(progress.filesRead, 2u);
    EXPECT_EQ(progress.rowsAccepted, 9u);
    EXPECT_EQ(h.state.Label13, "1");
    EXPECT_EQ(h.state.Chart1.SeriesCount(), 1u) << "later files are read in add mode";
    EXPECT_EQ(h.state.Chart1.TitleText[0], "TAG-101 2021/03/15 08:00:00 - 2021/03/15 08:17:00");
}

TEST(TrendFileReader, SubfolderSelectedAsAFileEndsTheRunSilently) {
    TempFolder folder;
    folder.write("sub/placeholder.txt", "x");
    ReaderHarness h;
    const auto progress = h.click(0, folder.path(), "sub");
    EXPECT_EQ(progress.filesRead, 0u);
}

// Values written plainly take the fast road; the same values quoted take the general one.
TEST(TrendFileReader, FastAndGeneralRoadsGiveTheSameDataSet) {
    TempFolder folder;
    std::string plain = crlfLines({"a", "b", "SAME 2021/03/15", "Date Time,A,B,C"});
    std::string quoted = plain;
    long long ms = ToMilliseconds(at("2021/03/15 00:00:00"));
    for (int r = 0; r < 40000; ++r, ms += (r % 997 == 0 ? 45000 : 1000)) {
        const double t =
            static_cast<double>(ms / 86400000) + static_cast<double>(ms % 86400000) / kMSecsPerDay;
        const std::string stamp = FormatDateTime("yyyy'/'mm'/'dd hh':'nn':'ss'.'zzz", t);
        const std::string a = std::to_string(r * 0.001);
        const std::string b = r % 301 == 0 ? "N" : std::to_string(-r * 1.5e-7);
        const std::string c = r % 7 == 0 ? "1.5E+06" : "+12";
        plain += stamp + "," + a + "," + b + "," + c + "\r\n";
        quoted += stamp.substr(0, 10) + " \"" + stamp.substr(11) + "\",\"" + a + "\"," + b + "," +
                  c + "\r\n";
    }
    folder.write("plain.csv", plain);
    folder.write("quoted.csv", quoted);
    ReaderHarness fast;
    ReaderHarness general;
    fast.click(0, folder.path(), "plain.csv");
    general.click(0, folder.path(), "quoted.csv");
    ASSERT_EQ(fast.state.Chart1.Count(), general.state.Chart1.Count());
    EXPECT_GT(fast.state.Chart1.Count(), 40000u) << "gap points included";
    EXPECT_TRUE(std::equal(fast.state.Chart1.times().begin(), fast.state.Chart1.times().end(),
                           general.state.Chart1.times().begin()));
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(valuesOf(fast.state.Chart1.Series(i)), valuesOf(general.state.Chart1.Series(i)));
        const auto a = fast.state.Chart1.Series(i).nullIndices();
        const auto b = general.state.Chart1.Series(i).nullIndices();
        EXPECT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end()));
    }
}

}  // namespace

namespace {

TEST(TrendFileReader, CommaSeparatorLocaleSplitsFieldsAsTheGeneralRoadDoes) {
    TempFolder folder;
    folder.write("comma.csv",
                 crlfLines({"a", "b", "COMMA", "Date Time,PV,SV", "2026/02/02 00:00:00,61,50,47,12",
                            "2026/02/02 00:01:00,N,\"1,5\""}));
    RegionalSettings comma;
    comma.decimalSeparator = ',';
    TrendViewState state;
    TrendFileReader reader(state, comma);
    SingleFileHooks hooks(JoinPath(folder.path(), "comma.csv"));
    reader.Button1Click({"0", "100000", 0}, hooks);
    EXPECT_EQ(valuesOf(state.Chart1.Series(0)), (std::vector<double>{61, 61}));
    EXPECT_EQ(valuesOf(state.Chart1.Series(1)), (std::vector<double>{50, 1.5}));
}

TEST(TrendFileReader, ReadErrorIsReportedNotTakenForTheEndOfTheFile) {
    // Reading this process's memory file from its start fails with an input/output error.
    if (!std::filesystem::exists("/proc/self/mem")) {
        GTEST_SKIP() << "no /proc/self/mem here";
    }
    ReaderHarness h;
    try {
        h.click(0, "/proc/self", "mem");
        ADD_FAILURE() << "the failed read passed as a file";
    } catch (const TrendReadError& error) {
        EXPECT_NE(std::string(error.what()).find("reading stopped"), std::string::npos)
            << error.what();
    }
}

}  // namespace

namespace {

// Several chunks of the reader's buffer, each parsed on both cores: every row must come out
// in its place, including the lines cut by a chunk boundary.
TEST(TrendFileReader, FileOfManyChunksKeepsEveryRowInPlace) {
    TempFolder folder;
    constexpr int kRows = 250000;
    std::string text = crlfLines({"a", "b", "BIG 2021/03/15", "Date Time,A,B"});
    text.reserve(static_cast<size_t>(kRows) * 64);
    long long ms = ToMilliseconds(ParseDateTimeText("2021/03/15 00:00:00"));
    for (int r = 0; r < kRows; ++r, ms += 1000) {
        const double t =
            static_cast<double>(ms / 86400000) + static_cast<double>(ms % 86400000) / kMSecsPerDay;
        text += FormatDateTime("yyyy'/'mm'/'dd hh':'nn':'ss", t) + "," + std::to_string(r) +
                (r % 5000 == 17 ? ",N" : "," + std::to_string(r % 977) + ".5") + "\r\n";
    }
    folder.write("big.csv", text);
    ReaderHarness h;
    const auto progress = h.click(0, folder.path(), "big.csv");
    const TrendDataSet& chart = h.state.Chart1;
    ASSERT_EQ(progress.rowsAccepted, static_cast<size_t>(kRows));
    ASSERT_EQ(chart.Count(), static_cast<size_t>(kRows));
    const long long first = ToMilliseconds(ParseDateTimeText("2021/03/15 00:00:00"));
    for (int r = 0; r < kRows; ++r) {
        ASSERT_EQ(ToMilliseconds(chart.XValue(static_cast<size_t>(r))), first + 1000LL * r) << r;
        ASSERT_EQ(chart.Series(0).YValue(static_cast<size_t>(r)), r) << r;
        const bool null = r % 5000 == 17;
        ASSERT_EQ(chart.Series(1).IsNull(static_cast<size_t>(r)), null) << r;
        const double expected = null ? (r - 1) % 977 + 0.5 : r % 977 + 0.5;
        ASSERT_EQ(chart.Series(1).YValue(static_cast<size_t>(r)), expected) << r;
    }
}

}  // namespace
