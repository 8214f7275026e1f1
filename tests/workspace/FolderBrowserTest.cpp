#include <gtest/gtest.h>

#include "FolderBrowser.h"
#include "TrendErrors.h"
#include "WorkspaceFixtures.h"

namespace {

using Names = std::vector<std::string>;

// A data root with a device of each layout; the browser shows the root.
class FolderBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Plug-in device: folders side by side, B empty, "XTrendY" a file without a dot.
        tree.trendFile("PLUG/A/P_Trend_1.csv", "2026/01/10 00:00:00", 2);
        tree.folder("PLUG/B");
        tree.trendFile("PLUG/C/P_Trend_3.csv", "2026/01/12 00:00:00", 2);
        tree.file("PLUG/D/XTrendY", "x");
        tree.file("PLUG/D/XTrendZ", "x");
        tree.folder("PLUG/2021.05");
        tree.folder("PLUG/a_");
        tree.folder("PLUG/ab");
        // DIAGDATA device, the folder spelled in lower case.
        tree.trendFile("DIAG/diagdata/2025/11/D_Trend_1.csv", "2025/11/28 00:00:00", 2);
        tree.folder("DIAG/diagdata/a_");
        tree.folder("DIAG/diagdata/ab");
        browser.ComboBox1.Text = tree.root();
        browser.ComboBox1Change();
    }

    void openDevice(const std::string& name) {
        browser.ListBox1.setItemIndex(browser.ListBox1.IndexOf(name));
        browser.ListBox1DblClick();
    }
    void openFolder(const std::string& name) {
        browser.ListBox2.setItemIndex(browser.ListBox2.PositionOf(name));
        browser.ListBox2DblClick();
    }

    trendtest::FolderTree tree;
    trend::FolderBrowser browser;
};

TEST_F(FolderBrowserTest, OpeningAPlugInDeviceListsItsFoldersUnsorted) {
    openDevice("PLUG");
    EXPECT_TRUE(browser.CheckBox1);
    EXPECT_EQ(browser.ListBox3.Items(), (Names{tree.path("PLUG")}));
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"2021.05", "A", "ab", "a_", "B", "C", "D"}));
    EXPECT_FALSE(browser.ListBox2.Sorted());
}

TEST_F(FolderBrowserTest, OpeningADiagDataDeviceEntersDiagDataAndSortsTheListForGood) {
    openDevice("DIAG");
    EXPECT_FALSE(browser.CheckBox1);
    EXPECT_EQ(browser.ListBox3.Items(), (Names{tree.path("DIAG/diagdata")}));
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"2025", "a_", "ab"}));
    openDevice("PLUG");
    EXPECT_TRUE(browser.CheckBox1);
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"2021.05", "A", "a_", "ab", "B", "C", "D"}));
}

TEST_F(FolderBrowserTest, PlugInDeviceWithOnlyTrendFilesShowsNothing) {
    tree.trendFile("FLAT/F_Trend_1.csv", "2026/01/10 00:00:00", 2);
    browser.ComboBox1Change();
    openDevice("FLAT");
    EXPECT_EQ(browser.ListBox2.Count(), 0);
    EXPECT_EQ(browser.ListBox3.Count(), 1);
}

TEST_F(FolderBrowserTest, OpeningAnEmptyFolderOpensTheNextSiblingInstead) {
    openDevice("PLUG");
    openFolder("B");
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"P_Trend_3.csv"}));
    EXPECT_EQ(browser.Label7, tree.path("PLUG"));
    EXPECT_EQ(browser.Label8, "PLUG");
    EXPECT_EQ(browser.Label10, "C");
    EXPECT_EQ(browser.ListBox3.Items(), (Names{tree.path("PLUG"), tree.path("PLUG/C")}));
    EXPECT_EQ(browser.FDataFolder, tree.path("PLUG/C"));
}

TEST_F(FolderBrowserTest, MarkedNameWithoutADotIsOpenedAsAFolderAndTheSiblingsAfterItTried) {
    openDevice("PLUG");
    openFolder("D");
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"XTrendY", "XTrendZ"}));
    EXPECT_EQ(browser.FDataFolder, tree.path("PLUG/D"));
    openFolder("XTrendY");
    // Neither file holds anything: the list ends empty, the trail with the last one tried.
    EXPECT_EQ(browser.ListBox2.Count(), 0);
    EXPECT_EQ(browser.Label10, "XTrendZ");
    EXPECT_EQ(browser.ListBox3.Last(), tree.path("PLUG/D/XTrendZ"));
    EXPECT_EQ(browser.FDataFolder, tree.path("PLUG/D"));
}

TEST_F(FolderBrowserTest, FolderWithSubfoldersAndTrendFilesShowsTheSubfoldersOnly) {
    tree.folder("PLUG/A/inner");
    openDevice("PLUG");
    openFolder("A");
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"inner"}));
    EXPECT_EQ(browser.FDataFolder, "");
}

TEST_F(FolderBrowserTest, DoubleClickOnANameWithADotDoesNothing) {
    openDevice("PLUG");
    const Names before = browser.ListBox2.Items();
    openFolder("2021.05");
    EXPECT_EQ(browser.ListBox2.Items(), before);
    EXPECT_EQ(browser.ListBox3.Count(), 1);
}

TEST_F(FolderBrowserTest, FolderDoubleClickWithAnEmptyTrailIsAnIndexErrorThatChangesNothing) {
    openDevice("PLUG");
    browser.ListBox3.Clear();
    browser.ListBox2.setItemIndex(browser.ListBox2.IndexOf("C"));
    const Names before = browser.ListBox2.Items();
    try {
        browser.ListBox2DblClick();
        FAIL() << "no error";
    } catch (const trend::ListIndexError& error) {
        EXPECT_NE(std::string(error.what()).find("the folder trail is empty"), std::string::npos);
    }
    EXPECT_EQ(browser.ListBox2.Items(), before);
    EXPECT_EQ(browser.ListBox3.Count(), 0);
    EXPECT_EQ(browser.Label10, "");
}

TEST_F(FolderBrowserTest, UpTheTrailFromTheLastEntryShowsTheParentWithTheFolderLeftSelected) {
    openDevice("PLUG");
    openFolder("C");
    browser.ListBox3.setItemIndex(1);
    browser.ListBox3DblClick();
    EXPECT_EQ(browser.ListBox3.Items(), (Names{tree.path("PLUG")}));
    EXPECT_EQ(browser.ListBox2.Selected(), "C");
    EXPECT_EQ(browser.Label10, "PLUG");
    EXPECT_EQ(browser.FDataFolder, tree.path("PLUG/C"));  // still the folder of trend files
    EXPECT_EQ(browser.SelectedFilePath(), tree.path("PLUG/C/C"));
}

TEST_F(FolderBrowserTest, UpTheTrailToTheFirstEntryOnlyCutsTheTrail) {
    openDevice("DIAG");
    openFolder("2025");
    openFolder("11");
    browser.ListBox3.setItemIndex(0);
    browser.ListBox3DblClick();
    EXPECT_EQ(browser.ListBox3.Items(), (Names{tree.path("DIAG/diagdata")}));
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"D_Trend_1.csv"}));
}

TEST_F(FolderBrowserTest, UpTheTrailToADiagDataFolderScansItAsAPlugInFolder) {
    openDevice("DIAG");
    openFolder("2025");
    browser.ListBox3.setItemIndex(1);
    browser.ListBox3DblClick();
    EXPECT_TRUE(browser.CheckBox1);
    EXPECT_EQ(browser.ListBox2.Items(), (Names{"2025", "a_", "ab"}));
    EXPECT_EQ(browser.ListBox2.Selected(), "2025");
}

TEST_F(FolderBrowserTest, ContextMenuFollowsTheDotRule) {
    openDevice("PLUG");
    struct Case {
        const char* selected;  // nullptr: nothing selected
        bool openFolder;
        bool edit;
    };
    for (const Case& c :
         {Case{nullptr, false, false}, Case{"2021.05", false, true}, Case{"C", true, false}}) {
        browser.ListBox2.setItemIndex(c.selected ? browser.ListBox2.IndexOf(c.selected) : -1);
        const trend::PopupMenuState menu = browser.PopupMenu1Popup();
        EXPECT_EQ(menu.OpenFolder1Enabled, c.openFolder) << (c.selected ? c.selected : "none");
        EXPECT_EQ(menu.Edit1Enabled, c.edit) << (c.selected ? c.selected : "none");
    }
}

TEST_F(FolderBrowserTest, SelectFolderAddsToTheHistoryOnlyWhenAbsentAndRescansTheDevices) {
    tree.folder("plug/inside");
    browser.ComboBox1.Items = {"/OTHER", tree.path("PLUG")};
    browser.ComboBox1.Text = "typed";
    browser.Button3Click(std::nullopt);  // cancelled
    EXPECT_EQ(browser.Label1, tree.root());
    EXPECT_EQ(browser.ComboBox1.Items.size(), 2u);

    browser.Button3Click(tree.path("plug"));  // in the history in another case
    EXPECT_EQ(browser.ComboBox1.Items.size(), 2u);
    EXPECT_EQ(browser.Label1, tree.path("plug"));
    EXPECT_EQ(browser.ListBox1.Items(), (Names{"inside"}));
    EXPECT_EQ(browser.ComboBox1.Text, "typed");

    browser.Button3Click(tree.path("DIAG"));
    EXPECT_EQ(browser.ComboBox1.Items.back(), tree.path("DIAG"));
    EXPECT_EQ(browser.ListBox1.Count(), 0);  // its only subfolder is the DIAGDATA folder
}

TEST(FolderBrowser, DefaultRootIsTheFirstWithDeviceFoldersElseTheSecond) {
    trendtest::FolderTree tree;
    const std::string empty = tree.folder("empty");
    const std::string full = tree.folder("full");
    tree.folder("full/DEV");
    struct Case {
        std::string first, second, expected;
    };
    for (const Case& c : {Case{full, empty, full}, Case{empty, full, full},
                          Case{empty, tree.path("missing"), tree.path("missing")}}) {
        trend::FolderBrowser browser;
        browser.ChooseDefaultRoot(c.first, c.second);
        EXPECT_EQ(browser.Label1, c.expected);
        EXPECT_EQ(browser.ComboBox1.Text, c.expected);
        EXPECT_EQ(browser.ListBox1.Count(), c.expected == full ? 1 : 0);
    }
}

}  // namespace
