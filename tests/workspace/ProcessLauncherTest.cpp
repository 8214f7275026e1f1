#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "ExternalViewer.h"
#include "Mycreateprocess.h"
#include "TrendErrors.h"
#include "WorkspaceFixtures.h"

namespace {

using Names = std::vector<std::string>;

std::string traceOf(int pid, int exitCode, const char* hex) {
    return "child processId=" + std::to_string(pid) +
           "\nwait result=WAIT_OBJECT_0\nexitCode=" + std::to_string(exitCode) + "/" + hex + "\n";
}

TEST(RunAndWait, ReturnsTheChildsExitCodeAndTracesStartWaitAndExit) {
    struct Case {
        const char* commandLine;
        int exitCode;
        const char* hex;
    };
    const Case cases[] = {
        {"/bin/sh -c \"exit 255\"", 255, "ff"},
        {"/bin/sh -c \"exit 0\"", 0, "0"},
        {"sh -c \"exit 3\"", 3, "3"},  // found on PATH
        {"/bin/sh -c \"kill -KILL $$\"", 137, "89"},
    };
    for (const Case& c : cases) {
        trendtest::CapturedOutput output;
        const int result = trend::RunAndWait(c.commandLine);
        const std::string out = output.out();
        EXPECT_EQ(result, c.exitCode) << c.commandLine;
        ASSERT_TRUE(trend::childProcess) << c.commandLine;
        EXPECT_EQ(out, traceOf(*trend::childProcess, c.exitCode, c.hex)) << c.commandLine;
        EXPECT_EQ(output.err(), "") << c.commandLine;
        trend::CloseChildProcess();
    }
}

TEST(RunAndWait, ProgramThatCannotBeStartedReportsTheSystemErrorAndReturnsMinusOne) {
    trend::childProcess.reset();
    trendtest::CapturedOutput output;
    EXPECT_EQ(trend::RunAndWait("no-such-program-of-trendviewer --flag"), -1);
    EXPECT_EQ(output.out(), "");
    EXPECT_EQ(output.err(), "CreateProcess: No such file or directory\n");
    EXPECT_FALSE(trend::childProcess);
}

TEST(RunAndWait, ReturnsOnlyAfterTheChildHasEnded) {
    trendtest::TempFolder folder;
    const std::string marker = folder.path() + "/done";
    trendtest::CapturedOutput output;
    trend::RunAndWait("/bin/sh -c \"sleep 0.2; echo > '" + marker + "'\"");
    EXPECT_TRUE(std::filesystem::exists(marker));
    trend::CloseChildProcess();
}

TEST(ReportLastError, WritesTheLabelAndTheTextOfErrno) {
    trendtest::CapturedOutput output;
    errno = EACCES;
    trend::ReportLastError("CloseHandle(childProcess)");
    EXPECT_EQ(output.err(), "CloseHandle(childProcess): Permission denied\n");
}

TEST(SplitCommandLine, BlanksSeparateWordsAndDoubleQuotesGroupThem) {
    struct Case {
        const char* line;
        Names words;
    };
    const Case cases[] = {
        {"explorer.exe \"/a b/c\"", {"explorer.exe", "/a b/c"}},
        {"  a   b\tc ", {"a", "b", "c"}},
        {"a\"b c\"d e", {"ab cd", "e"}},
        {"a \"\" b", {"a", "", "b"}},
        {"a \"unclosed b", {"a", "unclosed b"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(trend::SplitCommandLine(c.line), c.words) << c.line;
    }
}

// A PATH holding only fake programs that note their arguments, one a line, in a file.
class FakeProgramsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("PATH");
        savedPath_ = path != nullptr ? path : "";
        ::setenv("PATH", bin.path().c_str(), 1);
    }
    void TearDown() override { ::setenv("PATH", savedPath_.c_str(), 1); }

    void fakeProgram(const std::string& name) {
        const std::string script = bin.write(
            name, "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" + argumentsFile() + "'\n");
        ::chmod(script.c_str(), 0755);
    }
    std::string argumentsFile() const { return notes.path() + "/arguments"; }

    trendtest::TempFolder bin;
    trendtest::TempFolder notes;

private:
    std::string savedPath_;
};

TEST_F(FakeProgramsTest, WindowsViewersStandForTheDesktopsEditorAndFileBrowser) {
    EXPECT_EQ(trend::TextEditorProgram(), "xdg-open");
    fakeProgram("pluma");
    fakeProgram("kate");
    EXPECT_EQ(trend::TextEditorProgram(), "kate");
    struct Case {
        const char* line;
        Names arguments;
    };
    const Case cases[] = {
        {"NotePad.exe /data/a b/x.csv", {"kate", "/data/a b/x.csv"}},
        {"notepad.exe C:\\QDR\\HART/x.csv", {"kate", "/mnt/c/QDR/HART/x.csv"}},
        {"explorer.exe \"/data/a b/2025\"", {"xdg-open", "/data/a b/2025"}},
        {"explorer.exe \"D:\\QDR\\HART/DEV\"", {"xdg-open", "/mnt/d/QDR/HART/DEV"}},
        {"/bin/echo C:\\x", {"/bin/echo", "C:\\x"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(trend::LaunchArguments(c.line), c.arguments) << c.line;
    }
}

// The browser at a folder of trend files whose path holds a blank.
class ExternalViewerTest : public FakeProgramsTest {
protected:
    void SetUp() override {
        FakeProgramsTest::SetUp();
        folder = tree.folder("DEV/month 11");
        tree.file("DEV/month 11/D_Trend_1.csv", "x");
        tree.folder("DEV/month 11/sub");
        browser.ListBox3.Add(tree.path("DEV"));
        browser.ListBox3.Add(folder);
        browser.ListBox2.Assign({"D_Trend_1.csv", "sub"});
        browser.FDataFolder = "/elsewhere";
    }
    void select(const char* name) {
        browser.ListBox2.setItemIndex(name ? browser.ListBox2.IndexOf(name) : -1);
    }
    trendtest::FolderTree tree;
    trend::FolderBrowser browser;
    std::string folder;
};

TEST_F(ExternalViewerTest, CommandLinesAreBuiltFromTheEndOfTheTrailAndTheSelection) {
    select(nullptr);
    EXPECT_EQ(trend::Edit1CommandLine(browser), std::nullopt);
    EXPECT_EQ(trend::OpenFolder1CommandLine(browser), std::nullopt);
    EXPECT_EQ(browser.FDataFolder, "/elsewhere");

    select("D_Trend_1.csv");
    EXPECT_EQ(trend::Edit1CommandLine(browser), "NotePad.exe " + folder + "/D_Trend_1.csv");
    EXPECT_EQ(browser.FDataFolder, folder);
    EXPECT_EQ(trend::OpenFolder1CommandLine(browser),
              "explorer.exe \"" + folder + "/D_Trend_1.csv\"");

    select("sub");
    EXPECT_EQ(trend::OpenFolder1CommandLine(browser), "explorer.exe \"" + folder + "/sub\"");
    EXPECT_EQ(trend::Edit1CommandLine(browser), std::nullopt);  // no "." in the path

    browser.ListBox3.Clear();
    EXPECT_THROW(trend::Edit1CommandLine(browser), trend::ListIndexError);
}

TEST_F(ExternalViewerTest, EditStartsTheEditorWithThePathAsOneArgumentAndWaits) {
    fakeProgram("gedit");
    select("D_Trend_1.csv");
    trendtest::CapturedOutput output;
    trend::Edit1Click(browser);
    const std::string out = output.out();
    EXPECT_EQ(trendtest::readFile(argumentsFile()), folder + "/D_Trend_1.csv\n");
    EXPECT_NE(out.find("wait result=WAIT_OBJECT_0\nexitCode=0/0\n"), std::string::npos) << out;
    EXPECT_FALSE(trend::childProcess);
}

TEST_F(ExternalViewerTest, OpenFolderStartsTheFileBrowserWithTheQuotedPath) {
    fakeProgram("xdg-open");
    select("sub");
    trendtest::CapturedOutput output;
    trend::OpenFolder1Click(browser);
    EXPECT_EQ(trendtest::readFile(argumentsFile()), folder + "/sub\n");
    EXPECT_FALSE(trend::childProcess);
}

TEST_F(ExternalViewerTest, ViewerThatIsNotInstalledIsReportedOnStandardError) {
    select("sub");
    trendtest::CapturedOutput output;
    trend::OpenFolder1Click(browser);
    EXPECT_EQ(output.err(), "CreateProcess: No such file or directory\n");
    EXPECT_EQ(browser.FDataFolder, folder);
}

}  // namespace
