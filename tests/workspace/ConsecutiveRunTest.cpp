#include <gtest/gtest.h>

#include "FolderBrowser.h"
#include "Mydatetimeunit.h"
#include "RunControl.h"
#include "TrendErrors.h"
#include "TrendFileReader.h"
#include "WorkspaceFixtures.h"

namespace {

using Names = std::vector<std::string>;

// The browser, the reader and the run control of one window, over a generated data root.
class ConsecutiveRunTest : public ::testing::Test {
protected:
    // Opens the device, walks down the folders and selects the file.
    void open(const std::string& device, const Names& folders, const std::string& file) {
        browser.ComboBox1.Text = tree.root();
        browser.ComboBox1Change();
        browser.ListBox1.setItemIndex(browser.ListBox1.IndexOf(device));
        browser.ListBox1DblClick();
        for (const std::string& folder : folders) {
            browser.ListBox2.setItemIndex(browser.ListBox2.IndexOf(folder));
            browser.ListBox2DblClick();
        }
        browser.ListBox2.setItemIndex(browser.ListBox2.IndexOf(file));
        ASSERT_GE(browser.ListBox2.ItemIndex(), 0) << file;
    }

    // A click on "ReadFile"; the run control reads consecutive mode and Edit2 live.
    trend::RunProgress click() {
        trend::RunControlHooks hooks;
        hooks.CheckBox3 = [this] { return consecutive; };
        hooks.escapePressed = [this] { return ++escapeQueries == escapeAtQuery; };
        hooks.refreshWindow = [this] {
            ++refreshes;
            if (clearConsecutiveAtRefresh) {
                consecutive = false;
            }
        };
        hooks.Edit2 = [this] { return edit2; };
        trend::BrowserRunHooks run(browser, state, hooks);
        return reader.Button1Click({edit2, edit3, 0}, run);
    }

    std::string lastTime() const {
        return trend::FormatDateTime("yyyy'/'mm'/'dd hh':'nn", state.Chart1.MaxXValue());
    }
    std::string firstTime() const {
        return trend::FormatDateTime("yyyy'/'mm'/'dd hh':'nn", state.Chart1.MinXValue());
    }

    trendtest::FolderTree tree;
    trend::FolderBrowser browser;
    trend::TrendViewState state;
    trend::TrendFileReader reader{state};
    bool consecutive = true;
    bool clearConsecutiveAtRefresh = false;
    int escapeQueries = 0;
    int escapeAtQuery = 0;  // 0: never pressed
    int refreshes = 0;
    std::string edit2 = "0";
    std::string edit3 = "100000";
};

// Plug-in layout: day folders side by side, two of them empty in different ways.
class PlugInRunTest : public ConsecutiveRunTest {
protected:
    void SetUp() override {
        tree.trendFile("TIC/2026-01-10/T_Trend_a.csv", "2026/01/10 00:00:00", 3);
        tree.trendFile("TIC/2026-01-10/T_Trend_b.csv", "2026/01/10 12:00:00", 3);
        tree.folder("TIC/2026-01-11");                      // empty
        tree.file("TIC/2026-01-12/readme.txt", "no data");  // neither trend files nor folders
        tree.trendFile("TIC/2026-01-13/T_Trend_c.csv", "2026/01/13 00:00:00", 3);
        tree.trendFile("TIC/2026-01-13/T_Trend_d.csv", "2026/01/13 12:00:00", 3);
    }
};

TEST_F(PlugInRunTest, RunGoesAcrossFoldersPassingOverEmptyOnesAndStopsAtTheLastFile) {
    open("TIC", {"2026-01-10"}, "T_Trend_a.csv");
    const trend::RunProgress progress = click();
    EXPECT_EQ(progress.filesRead, 4u);
    EXPECT_EQ(progress.rowsAccepted, 12u);
    EXPECT_EQ(firstTime(), "2026/01/10 00:00");
    EXPECT_EQ(lastTime(), "2026/01/13 12:02");
    EXPECT_EQ(browser.FDataFolder, tree.path("TIC/2026-01-13"));
    EXPECT_EQ(browser.ListBox2.Selected(), "T_Trend_d.csv");
    EXPECT_EQ(browser.ListBox3.Count(), 2);  // the trail is left alone
    EXPECT_TRUE(browser.CheckBox1);
}

TEST_F(PlugInRunTest, WithoutConsecutiveModeOneFileIsReadAndTheNextSelected) {
    consecutive = false;
    open("TIC", {"2026-01-10"}, "T_Trend_b.csv");
    EXPECT_EQ(click().filesRead, 1u);
    EXPECT_EQ(browser.FDataFolder, tree.path("TIC/2026-01-13"));
    EXPECT_EQ(browser.ListBox2.Selected(), "T_Trend_c.csv");
    EXPECT_EQ(click().filesRead, 1u);
    EXPECT_EQ(browser.ListBox2.Selected(), "T_Trend_d.csv");
    EXPECT_EQ(lastTime(), "2026/01/13 00:02");
}

TEST_F(PlugInRunTest, RunEndsWhenTheRowLimitIsReachedAfterAFile) {
    edit3 = "5";
    open("TIC", {"2026-01-10"}, "T_Trend_a.csv");
    const trend::RunProgress progress = click();
    EXPECT_EQ(progress.filesRead, 2u);
    EXPECT_EQ(progress.rowsAccepted, 6u);
    EXPECT_EQ(state.FRowLimit, 5);
    EXPECT_EQ(browser.ListBox2.Selected(), "T_Trend_c.csv");
}

TEST_F(PlugInRunTest, EscapeEndsTheRunAfterTheFileAndItsPointsStay) {
    escapeAtQuery = 2;
    open("TIC", {"2026-01-10"}, "T_Trend_a.csv");
    EXPECT_EQ(click().filesRead, 2u);
    EXPECT_EQ(state.Chart1.Count(), 6u);
}

TEST_F(PlugInRunTest, ClearingConsecutiveModeWhileTheWindowRefreshesEndsAfterTheNextFile) {
    clearConsecutiveAtRefresh = true;
    open("TIC", {"2026-01-10"}, "T_Trend_a.csv");
    EXPECT_EQ(click().filesRead, 2u);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(ConsecutiveRunTest, FoldersWhoseNamesDifferOnlyInCaseAreEachReadOnce) {
    tree.trendFile("DEV/A/D_Trend_1.csv", "2026/01/01 00:00:00", 1);
    tree.trendFile("DEV/a/D_Trend_2.csv", "2026/01/02 00:00:00", 1);
    edit3 = "10";  // ends a run that went round in circles
    open("DEV", {"A"}, "D_Trend_1.csv");
    EXPECT_EQ(click().filesRead, 2u);
    EXPECT_EQ(browser.FDataFolder, tree.path("DEV/a"));
}

TEST(RunControl, WindowIsRefreshedAfterTheFirstFileThenEveryIntervalPlusOneFiles) {
    struct Case {
        const char* edit2;
        std::vector<int> refreshedAt;  // queries 1..12 after which the window was refreshed
    };
    const Case cases[] = {
        {"0", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"4", {1, 6, 11}},
        {"not a number", {1, 3, 5, 7, 9, 11}},
        {"-3", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    };
    for (const Case& c : cases) {
        trend::TrendViewState state;
        state.FRowLimit = 100000;
        int query = 0;
        std::vector<int> refreshedAt;
        trend::RunControl control(
            state, {[] { return true; }, nullptr, [&] { refreshedAt.push_back(query); },
                    [&] { return std::string(c.edit2); }});
        for (query = 1; query <= 12; ++query) {
            EXPECT_TRUE(control.continueRun({}));
        }
        EXPECT_EQ(refreshedAt, c.refreshedAt) << c.edit2;
    }
}

TEST(RunControl, RowLimitCountsRowsOverAllFilesOfTheClick) {
    trend::TrendViewState state;
    state.FRowLimit = 1000;
    trend::RunControl control(state, {[] { return true; }, nullptr, nullptr, nullptr});
    trend::RunProgress progress;
    progress.rowsAccepted = 600;
    EXPECT_TRUE(control.continueRun(progress));
    progress.rowsAccepted = 1200;
    EXPECT_FALSE(control.continueRun(progress));
}

// DIAGDATA layout: month folders in year folders.
class DiagDataRunTest : public ConsecutiveRunTest {
protected:
    void day(const std::string& month, int dayOfMonth, int rows = 2) {
        const std::string date =
            month + "/" + (dayOfMonth < 10 ? "0" : "") + std::to_string(dayOfMonth);
        std::string name = date;
        std::erase(name, '/');
        tree.trendFile("FT/DIAGDATA/" + month + "/FT_Trend_" + name + ".csv", date + " 00:00:00",
                       rows);
    }
};

TEST_F(DiagDataRunTest, RunGoesAcrossMonthsAndYearsAndEndsWithTheTrailCut) {
    day("2020/11", 29);
    day("2020/11", 30);
    day("2020/12", 1);
    tree.folder("FT/DIAGDATA/2021/01");  // an empty month
    day("2021/02", 1);
    day("2021/02", 2);
    open("FT", {"2020", "11"}, "FT_Trend_20201129.csv");
    EXPECT_EQ(browser.ListBox3.Count(), 3);

    const trend::RunProgress progress = click();
    EXPECT_EQ(progress.filesRead, 5u);
    EXPECT_EQ(firstTime(), "2020/11/29 00:00");
    EXPECT_EQ(lastTime(), "2021/02/02 00:01");
    // The end of the device: the trail lost its last two entries, the years are listed.
    EXPECT_EQ(browser.ListBox3.Items(), (Names{tree.path("FT/DIAGDATA")}));
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"2020", "2021"}));
    EXPECT_EQ(browser.ListBox2.ItemIndex(), -1);
    EXPECT_EQ(browser.FDataFolder, tree.path("FT/DIAGDATA"));
    EXPECT_FALSE(browser.CheckBox1);
}

TEST_F(DiagDataRunTest, YearFolderWithoutMonthsIsPassedOver) {
    day("2020/12", 31);
    tree.file("FT/DIAGDATA/2021/notes.txt", "no months this year");
    tree.folder("FT/DIAGDATA/2022");
    day("2023/01", 1);
    open("FT", {"2020", "12"}, "FT_Trend_20201231.csv");
    EXPECT_EQ(click().filesRead, 2u);
    EXPECT_EQ(lastTime(), "2023/01/01 00:01");
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"2020", "2021", "2022", "2023"}));
    EXPECT_EQ(browser.ListBox3.Count(), 1);
}

TEST_F(DiagDataRunTest, LastYearFolderWithoutMonthsEndsTheRunAsAtTheEndOfTheDevice) {
    day("2020/12", 30);
    day("2020/12", 31);
    tree.folder("FT/DIAGDATA/2021");
    consecutive = false;
    open("FT", {"2020", "12"}, "FT_Trend_20201231.csv");
    EXPECT_EQ(click().filesRead, 1u);
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"2020", "2021"}));
    EXPECT_EQ(browser.ListBox2.ItemIndex(), -1);
    EXPECT_EQ(browser.ListBox3.Count(), 1);
    EXPECT_EQ(browser.FDataFolder, tree.path("FT/DIAGDATA"));
}

TEST_F(DiagDataRunTest, WhenTheEndOfTheDeviceEmptiesTheTrailAFolderDoubleClickIsAnIndexError) {
    // Trend files right in a year folder: the trail holds two entries, both deleted at the end.
    tree.trendFile("FT/DIAGDATA/2020/FT_Trend_2020.csv", "2020/01/01 00:00:00", 2);
    open("FT", {"2020"}, "FT_Trend_2020.csv");
    EXPECT_EQ(click().filesRead, 1u);
    EXPECT_EQ(browser.ListBox3.Count(), 0);
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"DIAGDATA"}));
    browser.ListBox2.setItemIndex(0);
    EXPECT_THROW(browser.ListBox2DblClick(), trend::ListIndexError);
}

}  // namespace
