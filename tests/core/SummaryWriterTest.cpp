#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Mydatetimeunit.h"
#include "PlatformPath.h"
#include "SummaryWriter.h"
#include "TrendErrors.h"
#include "TrendFileFixtures.h"

using namespace trend;
using namespace trendtest;

namespace {

const char* kZone = "UTC +9.0 JST Ignore Day Light Saving";

TrendDataSet twoSeries(const std::string& title, const char* first, const char* last) {
    TrendDataSet data;
    data.BottomAxisTitle = title;
    data.Series(0).Title = "PV";
    auto sv = std::make_shared<TrendSeries>();
    sv->Title = "[R]SV";
    sv->VertAxis = VertAxisSide::Right;
    data.AddSeries(sv);
    data.AddRow(ParseDateTimeText(first), std::vector<double>{12.5, 100},
                std::vector<uint8_t>{0, 0});
    data.AddRow(ParseDateTimeText(last), std::vector<double>{12.75, 1.5e6},
                std::vector<uint8_t>{0, 0});
    return data;
}

std::string writeToString(const TrendDataSet& data) {
    TempFolder folder;
    const std::string path = folder.path() + "/out.csv";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    WriteSummary(out, data, kZone);
    std::fclose(out);
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(SummaryWriter, WritesTheExactBytes) {
    TrendDataSet data;
    data.BottomAxisTitle = "TAG";
    data.Series(0).Title = "PV";
    auto sv = std::make_shared<TrendSeries>();
    sv->Title = "[R]SV";
    data.AddSeries(sv);
    const double t0 = ParseDateTimeText("2021/03/15 08:15:00");
    data.AddRow(t0, std::vector<double>{12.5, 100}, std::vector<uint8_t>{0, 0});
    data.AddRow(IncSecond(t0, 60), std::vector<double>{12.5, 7}, std::vector<uint8_t>{1, 0});
    data.AddRow(IncSecond(t0, 120), std::vector<double>{12.75, 1.5e6}, std::vector<uint8_t>{0, 1});
    EXPECT_EQ(writeToString(data),
              "Vantorix\r\n"
              "Trend 1.1 UTC +9.0 JST Ignore Day Light Saving\r\n"
              "TAG 2021/03/15 08:15:00.000\r\n"
              "date_time,PV,[R]SV\r\n"
              "2021/03/15 08:15:00.000,12.5,100\r\n"
              "2021/03/15 08:17:00.000,12.75,1.5e+06\r\n");
}

TEST(SummaryWriter, WritesValuesAsPercentG) {
    TrendDataSet data;
    data.BottomAxisTitle = "G";
    const double t0 = ParseDateTimeText("2021/03/15 08:15:00.250");
    for (double v : {0.000012345, 123456.0, 1234567.0}) {
        data.AddRow(t0, std::vector<double>{v}, std::vector<uint8_t>{0});
    }
    const std::string text = writeToString(data);
    EXPECT_NE(text.find("2021/03/15 08:15:00.250,1.2345e-05\r\n"
                        "2021/03/15 08:15:00.250,123456\r\n"
                        "2021/03/15 08:15:00.250,1.23457e+06\r\n"),
              std::string::npos)
        << text;
}

TEST(SummaryWriter, WritesTheDayBeforeTheEpochDay) {
    TrendDataSet data;
    data.BottomAxisTitle = "OLD";
    data.AddRow(-1.0 + 0.5, std::vector<double>{1}, std::vector<uint8_t>{0});  // 1899/12/29 12:00
    const std::string text = writeToString(data);
    EXPECT_NE(text.find("\r\n1899/12/29 12:00:00.000,1\r\n"), std::string::npos) << text;
}

TEST(SummaryWriter, WritesOneBytePerCharacter) {
    TrendDataSet data;
    data.BottomAxisTitle =
        "R\xC3\xA9"
        "acteur \xE6\xB8\xA9";  // "Réacteur 温"
    data.Series(0).Title = "T\xC3\xA9";
    data.AddRow(1000.0, std::vector<double>{1}, std::vector<uint8_t>{0});
    const std::string text = writeToString(data);
    EXPECT_NE(text.find("R\xE9"
                        "acteur ? "),
              std::string::npos);
    EXPECT_NE(text.find("date_time,T\xE9\r\n"), std::string::npos);
}

struct NamingCase {
    const char* title;
    const char* first;
    const char* last;
    const char* yearFolder;
    const char* fileName;
};

TEST(SummaryWriter, NamesFoldersAndFileAfterTitleAndRange) {
    const NamingCase cases[] = {
        {"TAG", "2021/03/15 08:15:00", "2021/03/22 17:00:00", "2021",
         "TAGSumTrend_20210315_081500-20210322.csv"},
        {"TAG 1", "2021/03/15 08:15:00", "2021/03/15 09:00:00", "2021",
         "TAG 1SumTrend_20210315_081500-20210315.csv"},
        {"NY", "2021/12/31 23:00:00", "2022/01/01 01:00:00", "2021",
         "NYSumTrend_20211231_230000-20220101.csv"},
    };
    for (const auto& c : cases) {
        const auto location = SummaryLocationFor(twoSeries(c.title, c.first, c.last));
        ASSERT_TRUE(location);
        const std::string device = JoinPath("RaDuvav", c.title);
        EXPECT_EQ(location->deviceFolder, device);
        EXPECT_EQ(location->yearFolder, JoinPath(device, c.yearFolder));
        EXPECT_EQ(location->fileName, c.fileName);
        EXPECT_EQ(location->fullPath, JoinPath(JoinPath(device, c.yearFolder), c.fileName));
    }
}

TEST(SummaryWriter, NothingLoadedGivesNoLocation) {
    TrendDataSet data;
    EXPECT_FALSE(SummaryLocationFor(data));
    data.RemoveAllSeries();
    EXPECT_FALSE(SummaryLocationFor(data));
}

TEST(SummaryWriter, RefusesTitlesThatLeaveTheSummaryFolder) {
    for (const char* title : {"", ".", "..", "../etc", "a/b", "a\\b"}) {
        EXPECT_THROW(SummaryLocationFor(twoSeries(title, "2021/03/15", "2021/03/16")), WriteError)
            << title;
    }
}

TEST(SummaryWriter, SavesThroughATemporaryFileAndReadsBackTheSame) {
    TempFolder folder;
    const TrendDataSet data = twoSeries("TAG", "2021/03/15 08:15:00", "2021/03/15 08:17:00");
    auto location = SummaryLocationFor(data, JoinPath(folder.path(), "RaDuvav"));
    ASSERT_TRUE(location);
    ASSERT_TRUE(CreateFolder(JoinPath(folder.path(), "RaDuvav")));
    SaveSummaryFile(data, *location, kZone);
    SaveSummaryFile(data, *location, kZone);  // the same path again is overwritten
    EXPECT_TRUE(std::filesystem::exists(location->fullPath));
    EXPECT_FALSE(std::filesystem::exists(location->fullPath + ".part"));

    ReaderHarness h;
    h.click(0, location->yearFolder, location->fileName);
    EXPECT_EQ(h.state.Chart1.BottomAxisTitle, "TAG");
    EXPECT_EQ(h.state.Chart1.Series(1).Title, "[R]SV");
    EXPECT_EQ(h.state.Chart1.Series(1).YValue(1), 1.5e6);
}

TEST(SummaryWriter, ReportsAFileThatCannotBeCreated) {
    TempFolder folder;
    const TrendDataSet data = twoSeries("TAG", "2021/03/15 08:15:00", "2021/03/15 08:17:00");
    // The summary folder is missing, so neither folder can be made.
    auto location = SummaryLocationFor(data, JoinPath(folder.path(), "missing"));
    EXPECT_THROW(SaveSummaryFile(data, *location, kZone), WriteError);
}

TEST(SummaryWriter, ReportsAWriteThatFails) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    std::FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    EXPECT_THROW(WriteSummary(full, twoSeries("T", "2021/03/15", "2021/03/16"), kZone), WriteError);
    std::fclose(full);
}

}  // namespace
