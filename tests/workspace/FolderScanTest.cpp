#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "FolderScan.h"
#include "FolderScanCache.h"
#include "ListBoxModel.h"
#include "TrendErrors.h"
#include "WorkspaceFixtures.h"

namespace {

using Names = std::vector<std::string>;

// A device folder with every kind of entry the scans tell apart.
class FolderScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"b", "A", "DiagData", ".hidden", "c.d", "_u", "a_", "ab"}) {
            tree.folder(folder);
        }
        for (const char* file : {"x_Trend_1.csv", "trend.csv", "XTrendY", "notes.txt", ".Trend"}) {
            tree.file(file);
        }
    }
    trendtest::FolderTree tree;
    trend::ListBoxModel list{"the list"};
};

TEST_F(FolderScanTest, SubFoldersLeaveOutFilesHiddenNamesAndDiagDataInUpperCaseNameOrder) {
    list.Assign({"stale"});
    std::string diagData;
    EXPECT_FALSE(trend::ListSubFolders(list, tree.root(), &diagData));
    // Upper case: "AB" < "A_" since 'B' < '_'.
    EXPECT_EQ(list.Items(), (Names{"A", "ab", "a_", "b", "c.d", "_u"}));
    EXPECT_EQ(diagData, "DiagData");
}

TEST_F(FolderScanTest, FolderEntriesAreMarkedNamesAndAllSubfolders) {
    struct Case {
        const char* name;
        const char* mark;
        Names expected;
    };
    const Case cases[] = {
        {"trend mark, exact case",
         "Trend",
         {"A", "ab", "a_", "b", "c.d", "DiagData", "XTrendY", "x_Trend_1.csv", "_u"}},
        {"empty mark lists subfolders only", "", {"A", "ab", "a_", "b", "c.d", "DiagData", "_u"}},
        {"lower-case mark", "trend", {"A", "ab", "a_", "b", "c.d", "DiagData", "trend.csv", "_u"}},
    };
    for (const Case& c : cases) {
        trend::ListFolderEntries(list, tree.root(), c.mark);
        EXPECT_EQ(list.Items(), c.expected) << c.name;
    }
}

TEST(FolderScan, FolderThatCannotBeReadGivesAnEmptyListAndCountsAsWithoutDiagData) {
    trendtest::FolderTree tree;
    const std::string file = tree.file("plain.txt", "x");
    for (const std::string& folder : {tree.path("missing"), file}) {
        trend::ListBoxModel list{"the list"};
        list.Assign({"stale"});
        EXPECT_TRUE(trend::ListSubFolders(list, folder)) << folder;
        EXPECT_EQ(list.Count(), 0) << folder;
        list.Assign({"stale"});
        trend::ListFolderEntries(list, folder, "Trend");
        EXPECT_EQ(list.Count(), 0) << folder;
    }
}

TEST(FolderScan, RootWhoseOnlySubfolderIsDiagDataListsNothing) {
    trendtest::FolderTree tree;
    tree.folder("DIAGDATA/2025");
    trend::ListBoxModel list{"the list"};
    EXPECT_FALSE(trend::ListSubFolders(list, tree.root()));
    EXPECT_EQ(list.Count(), 0);
}

TEST(FolderScan, NamesEqualInUpperCaseKeepTheirByteOrder) {
    trendtest::FolderTree tree;
    tree.folder("a");
    tree.folder("A");
    tree.folder("B");
    trend::ListBoxModel list{"the list"};
    trend::ListSubFolders(list, tree.root());
    EXPECT_EQ(list.Items(), (Names{"A", "a", "B"}));
}

TEST(FolderScan, EmptyFolderTextScansTheTopFolder) {
    trend::ListBoxModel top{"top"};
    trend::ListBoxModel slash{"slash"};
    trend::ListSubFolders(top, "");
    trend::ListSubFolders(slash, "/");
    EXPECT_GT(top.Count(), 0);
    EXPECT_EQ(top.Items(), slash.Items());
}

// A cache that keeps folders untouched for 50 ms, and a folder that has settled.
class FolderScanCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.folder("DEV/A");
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
    }
    Names names() {
        Names out;
        const trend::FolderScanCache::Entries entries = cache.entries(tree.path("DEV"));
        for (const trend::FolderEntry& entry : *entries) {
            out.push_back(entry.name);
        }
        return out;
    }
    trendtest::FolderTree tree;
    trend::FolderScanCache cache{std::chrono::milliseconds(50)};
};

TEST_F(FolderScanCacheTest, SettledFolderIsReadOnceAndAChangeIsSeenAtOnce) {
    const auto first = cache.entries(tree.path("DEV"));
    EXPECT_EQ(cache.entries(tree.path("DEV")), first);  // the same listing, not read again
    tree.file("DEV/B_Trend.csv");
    EXPECT_EQ(names(), (Names{"A", "B_Trend.csv"}));
    tree.folder("DEV/C");
    EXPECT_EQ(names(), (Names{"A", "B_Trend.csv", "C"}));
    std::filesystem::remove(tree.path("DEV/A"));
    EXPECT_EQ(names(), (Names{"B_Trend.csv", "C"}));
}

TEST_F(FolderScanCacheTest, FolderChangedJustBeforeItsScanOrHoldingALinkIsReadEveryTime) {
    tree.folder("DEV/B");  // changed now: not settled
    const auto unsettled = cache.entries(tree.path("DEV"));
    EXPECT_NE(cache.entries(tree.path("DEV")), unsettled);

    tree.folder("LINKED/A");
    ::symlink(tree.path("DEV").c_str(), tree.path("LINKED/L").c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    const auto linked = cache.entries(tree.path("LINKED"));
    EXPECT_NE(cache.entries(tree.path("LINKED")), linked);
}

TEST_F(FolderScanCacheTest, DuringARunAFolderIsLookedAtOnceAndAfterItAgain) {
    const auto before = cache.entries(tree.path("DEV"));
    {
        trend::FolderScanCache::RunHold run(cache);
        EXPECT_EQ(cache.entries(tree.path("DEV")), before);  // checked against the folder once
        tree.file("DEV/B_Trend.csv");
        EXPECT_EQ(names(), (Names{"A"})) << "within the run the checked listing stands";
        tree.folder("NEW/X");
        const auto fresh = cache.entries(tree.path("NEW"));
        EXPECT_NE(cache.entries(tree.path("NEW")), fresh) << "met first in the run: not kept";
    }
    EXPECT_EQ(names(), (Names{"A", "B_Trend.csv"})) << "after the run the change is seen";
}

TEST_F(FolderScanCacheTest, NamesFollowTheMarkAndTheSortingOfTheList) {
    tree.file("DEV/a_Trend.csv");
    tree.file("DEV/AB_Trend.csv");
    tree.file("DEV/notes.txt");
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    EXPECT_EQ(cache.names(tree.path("DEV"), "Trend", false)->names(),
              (Names{"A", "AB_Trend.csv", "a_Trend.csv"}));
    const auto sorted = cache.names(tree.path("DEV"), "Trend", true);
    EXPECT_EQ(sorted->names(), (Names{"A", "a_Trend.csv", "AB_Trend.csv"}));
    EXPECT_EQ(sorted->positionOf("AB_Trend.csv"), 2);
    EXPECT_EQ(sorted->positionOf("ab_trend.CSV"), 2);
    EXPECT_EQ(sorted->positionOf("b"), -1);
    EXPECT_EQ(cache.names(tree.path("DEV"), "", true)->names(), (Names{"A"}));
}

TEST(ListBoxModel, SortedListIgnoresCaseAndKeepsEqualNamesInTheOrderAdded) {
    trend::ListBoxModel list{"the list"};
    list.Assign({"ab", "B", "a_", "b", "Émile", "eve", "AB"});
    list.setSorted(true);
    // Folded: "a_" < "ab" == "ab" < "b" == "b" < "eve" < "émile".
    EXPECT_EQ(list.Items(), (Names{"a_", "ab", "AB", "B", "b", "eve", "Émile"}));
    EXPECT_EQ(list.Add("Ab"), 3);
    EXPECT_EQ(list.Add("0"), 0);
    list.Assign({"z", "Y", "x"});
    EXPECT_EQ(list.Items(), (Names{"x", "Y", "z"}));
}

TEST(ListBoxModel, LookUpIgnoresCaseAndPrefersTheExactSpelling) {
    trend::ListBoxModel list{"the list"};
    list.Assign({"Month", "month", "ÄRA"});
    EXPECT_EQ(list.IndexOf("MONTH"), 0);
    EXPECT_EQ(list.IndexOf("month"), 0);
    EXPECT_EQ(list.PositionOf("month"), 1);
    EXPECT_EQ(list.IndexOf("ära"), 2);
    EXPECT_EQ(list.IndexOf("year"), -1);
}

TEST(ListBoxModel, DeletingKeepsTheSelectionOnItsEntry) {
    trend::ListBoxModel list{"the list"};
    list.Assign({"a", "b", "c"});
    list.setItemIndex(2);
    list.Delete(0);
    EXPECT_EQ(list.Selected(), "c");
    list.Delete(1);
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(ListBoxModel, IndexOutsideTheListIsAnErrorNamingTheList) {
    trend::ListBoxModel trail{"the folder trail"};
    try {
        (void)trail.Last();
        FAIL() << "no error";
    } catch (const trend::ListIndexError& error) {
        EXPECT_NE(std::string(error.what()).find("the folder trail"), std::string::npos)
            << error.what();
    }
    trail.Add("x");
    EXPECT_THROW(trail.setItemIndex(1), trend::ListIndexError);
    EXPECT_THROW(trail.Delete(-1), trend::ListIndexError);
}

}  // namespace
