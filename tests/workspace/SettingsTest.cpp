#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "IniFile.h"
#include "RootFolderBox.h"
#include "SetupFiles.h"
#include "StringListFile.h"
#include "TrendErrors.h"
#include "WorkspaceFixtures.h"

namespace {

using Names = std::vector<std::string>;
using trend::TextFileEncoding;

TEST(IniFile, ReadingFollowsTheProfileFileRules) {
    struct Case {
        const char* name;
        std::string content;
        std::string expected;
    };
    const Case cases[] = {
        {"as written", "[SETUP]\r\nLASTPOSITION=C:\\QDR\\HART\r\n", "C:\\QDR\\HART"},
        {"names ignore case", "[setup]\r\nLastPosition=/data\r\n", "/data"},
        {"blanks around value and names dropped", "  [ SETUP ]\r\n LASTPOSITION =  /a b \t\r\n",
         "/a b"},
        {"matching double quotes dropped", "[SETUP]\nLASTPOSITION=\" /quoted \"\n", " /quoted "},
        {"matching single quotes dropped", "[SETUP]\nLASTPOSITION='x'\n", "x"},
        {"unmatched quotes kept", "[SETUP]\nLASTPOSITION=\"x'\n", "\"x'"},
        {"key of another section", "[OTHER]\nLASTPOSITION=no\n[SETUP]\nKEY=x\n", "default"},
        {"first key of that name", "[SETUP]\nLASTPOSITION=one\nLASTPOSITION=two\n", "one"},
        {"no line break at the end", "[SETUP]\r\nLASTPOSITION=end", "end"},
        {"empty value", "[SETUP]\r\nLASTPOSITION=\r\n", ""},
        {"value cut to 2047 characters", "[SETUP]\r\nLASTPOSITION=" + std::string(3000, 'v'),
         std::string(2047, 'v')},
        {"characters, not bytes", "[SETUP]\r\nLASTPOSITION=" + std::string(2046, 'v') + "\xC3\xA9x",
         std::string(2046, 'v') + "\xC3\xA9"},
    };
    trendtest::TempFolder folder;
    for (const Case& c : cases) {
        const std::string path = folder.write("settings.ini", c.content);
        EXPECT_EQ(trend::IniFile(path, trend::TextCodec::utf8())
                      .ReadString("SETUP", "LASTPOSITION", "default"),
                  c.expected)
            << c.name;
    }
    EXPECT_EQ(trend::IniFile(folder.path() + "/missing.ini").ReadString("SETUP", "K", "dflt"),
              "dflt");
}

TEST(IniFile, WritingReplacesOneValueAndKeepsEverythingElse) {
    struct Case {
        const char* name;
        std::optional<std::string> before;
        std::string after;
    };
    const Case cases[] = {
        {"new file", std::nullopt, "[SETUP]\r\nLASTPOSITION=/new\r\n"},
        {"value replaced, other lines kept, LF lines become CR LF",
         "; note\n[OTHER]\nA=1\n[setup]\nX= y \nlastposition=old\nZ=2\n",
         "; note\r\n[OTHER]\r\nA=1\r\n[setup]\r\nX= y \r\nLASTPOSITION=/new\r\nZ=2\r\n"},
        {"key added after the section's last line", "[SETUP]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n",
         "[SETUP]\r\nX=1\r\nLASTPOSITION=/new\r\n\r\n[B]\r\nY=2\r\n"},
        {"section added at the end", "[B]\r\nY=2",
         "[B]\r\nY=2\r\n[SETUP]\r\nLASTPOSITION=/new\r\n"},
    };
    for (const Case& c : cases) {
        trendtest::TempFolder folder;
        const std::string path = folder.path() + "/settings.ini";
        if (c.before) {
            folder.write("settings.ini", *c.before);
        }
        trend::IniFile(path).WriteString("SETUP", "LASTPOSITION", "/new");
        EXPECT_EQ(trendtest::readFile(path), c.after) << c.name;
        // Nothing but the file itself is left in the folder.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                                std::filesystem::directory_iterator()),
                  1)
            << c.name;
    }
}

TEST(IniFile, FileThatCannotBeWrittenRaisesTheErrorNamingItAndStaysAsItWas) {
    trendtest::TempFolder folder;
    std::filesystem::create_directory(folder.path() + "/a folder.ini");
    for (const std::string& path :
         {folder.path() + "/missing/settings.ini", folder.path() + "/a folder.ini"}) {
        try {
            trend::IniFile(path).WriteString("SETUP", "LASTPOSITION", "x");
            FAIL() << path;
        } catch (const trend::WriteError& error) {
            EXPECT_EQ(std::string(error.what()), path + " に書き込めません.");
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "/a folder.ini"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(IniFile, ValueThe8BitSetCannotHoldTurnsTheFileIntoUtf8AndReadsBack) {
    trendtest::TempFolder folder;
    const std::string path = folder.write("settings.ini", "[OTHER]\r\nA=Donn\xE9\x65s\r\n");
    const trend::IniFile ini(path, trend::TextCodec::latin1());
    ini.WriteString("SETUP", "LASTPOSITION", "/\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF");
    EXPECT_EQ(trendtest::readFile(path),
              "\xEF\xBB\xBF[OTHER]\r\nA=Donn\xC3\xA9\x65s\r\n[SETUP]\r\n"
              "LASTPOSITION=/\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF\r\n");
    EXPECT_EQ(ini.ReadString("SETUP", "LASTPOSITION", ""), "/\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF");
    EXPECT_EQ(ini.ReadString("OTHER", "A", ""), "Donn\xC3\xA9\x65s");
}

TEST(StringListFile, LinesEndAtCrLfOrCrLfAndAMarkSelectsTheEncoding) {
    struct Case {
        const char* name;
        std::string bytes;
        Names lines;
        TextFileEncoding encoding;
    };
    const Case cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}, TextFileEncoding::Ansi},
        {"LF, CR and CR LF mixed", "a\nb\rc\r\nd", {"a", "b", "c", "d"}, TextFileEncoding::Ansi},
        {"empty lines are entries", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}, TextFileEncoding::Ansi},
        {"a lone line break", "\r\n", {""}, TextFileEncoding::Ansi},
        {"empty file", "", {}, TextFileEncoding::Ansi},
        {"commas are part of the entry", "C:\\a,b\r\n", {"C:\\a,b"}, TextFileEncoding::Ansi},
        {"8-bit text", "D:\\Donn\xE9\x65s\r\n", {"D:\\Donn\xC3\xA9\x65s"}, TextFileEncoding::Ansi},
        {"UTF-8 mark", "\xEF\xBB\xBF\xC3\xA9\r\nx", {"\xC3\xA9", "x"}, TextFileEncoding::Utf8},
        {"UTF-16 LE mark",
         std::string("\xFF\xFE"
                     "a\0\r\0\n\0\xE9\0\x3D\xD8\x00\xDE",
                     14),
         {"a", "\xC3\xA9\xF0\x9F\x98\x80"},
         TextFileEncoding::Utf16LE},
        {"UTF-16 BE mark",
         std::string("\xFE\xFF\0a\0\n\0b", 8),
         {"a", "b"},
         TextFileEncoding::Utf16BE},
    };
    for (const Case& c : cases) {
        const trend::StringListText text =
            trend::DecodeStringList(c.bytes, trend::TextCodec::latin1());
        EXPECT_EQ(text.lines, c.lines) << c.name;
        EXPECT_EQ(text.encoding, c.encoding) << c.name;
    }
}

TEST(StringListFile, ListIsWrittenBackInTheEncodingItWasReadIn) {
    const std::string files[] = {
        "C:\\PLUGIN\r\n\r\nD:\\Donn\xE9\x65s\r\n",
        "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\r\nb\r\n",
        std::string("\xFF\xFE"
                    "a\0\r\0\n\0\x3D\xD8\x00\xDE\r\0\n\0",
                    16),
        std::string("\xFE\xFF\0a\0\r\0\n", 8),
    };
    for (const std::string& bytes : files) {
        const trend::StringListText text =
            trend::DecodeStringList(bytes, trend::TextCodec::latin1());
        EXPECT_EQ(trend::EncodeStringList(text.lines, text.encoding, trend::TextCodec::latin1()),
                  bytes);
    }
}

TEST(StringListFile, ListThe8BitSetCannotHoldIsWrittenAsUtf8WithItsMark) {
    const Names lines = {"C:\\Donn\xC3\xA9\x65s", "/\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF"};
    const std::string bytes =
        trend::EncodeStringList(lines, TextFileEncoding::Ansi, trend::TextCodec::latin1());
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(trend::DecodeStringList(bytes, trend::TextCodec::latin1()).lines, lines);
    EXPECT_EQ(trend::EncodeStringList({"C:\\Donn\xC3\xA9\x65s"}, TextFileEncoding::Ansi,
                                      trend::TextCodec::latin1()),
              "C:\\Donn\xE9\x65s\r\n");
}

TEST(RootFolderBox, SeedingAddsTheChosenRootAndTheDefaultsWhereAbsentIgnoringCase) {
    struct Case {
        const char* name;
        Names history;
        const char* label1;
        Names expected;
    };
    const Case cases[] = {
        {"empty history",
         {},
         "C:\\QDR\\HART",
         {"C:\\QDR\\HART", "C:\\PLUGIN", "D:\\QDR\\HART", "RaDuvav"}},
        {"entries in other case count",
         {"c:\\qdr\\hart", "raduvav"},
         "D:\\QDR\\HART",
         {"c:\\qdr\\hart", "raduvav", "D:\\QDR\\HART", "C:\\PLUGIN"}},
        {"duplicates of the file are kept",
         {"/data", "/data"},
         "D:\\QDR\\HART",
         {"/data", "/data", "D:\\QDR\\HART", "C:\\PLUGIN", "C:\\QDR\\HART", "RaDuvav"}},
    };
    for (const Case& c : cases) {
        trend::RootFolderBox box;
        box.Items = c.history;
        box.SeedFolderHistory(c.label1);
        EXPECT_EQ(box.Items, c.expected) << c.name;
    }
}

TEST(RootFolderBox, LeavingTheBoxAddsItsTextOnceEvenWhenEmpty) {
    trend::RootFolderBox box;
    box.Items = {"C:\\PLUGIN"};
    box.Text = "c:\\plugin";
    box.ComboBox1Exit();
    box.Text = "";
    box.ComboBox1Exit();
    box.ComboBox1Exit();
    box.Text = "C:\\Data";
    box.ComboBox1Exit();
    EXPECT_EQ(box.Items, (Names{"C:\\PLUGIN", "", "C:\\Data"}));
    EXPECT_EQ(box.IndexOf(""), 1);
}

TEST(RootFolderBox, DeletingTheShownEntryKeepsTheTextWhichLeavingAddsAgain) {
    trend::RootFolderBox box;
    box.Items = {"/a", "/b"};
    box.Text = "/b";
    box.Button11Click();  // nothing selected
    EXPECT_EQ(box.Items.size(), 2u);
    box.ItemIndex = 1;
    box.Button11Click();
    EXPECT_EQ(box.Items, (Names{"/a"}));
    EXPECT_EQ(box.Text, "/b");
    box.ComboBox1Exit();
    EXPECT_EQ(box.Items, (Names{"/a", "/b"}));
}

TEST(SetupFiles, FilesAreNamedAfterTheProgramInItsSetupFolder) {
    const trend::SetupFiles files = trend::SetupFiles::ForProgram("/opt/tv/Viewer.exe");
    EXPECT_EQ(files.setupFolder(), "/opt/tv/SETUP");
    EXPECT_EQ(files.historyFile(), "/opt/tv/SETUP/Viewer.csv");
    EXPECT_EQ(files.settingsFile(), "/opt/tv/SETUP/Viewer.ini");
    EXPECT_EQ(trend::SetupFiles::ForProgram("/usr/bin/trendviewer").settingsFile(),
              "/usr/bin/SETUP/trendviewer.ini");
}

class SetupFilesTest : public ::testing::Test {
protected:
    trendtest::TempFolder folder;
    trend::SetupFiles files = trend::SetupFiles::ForProgram(folder.path() + "/Viewer");
    void SetUp() override { std::filesystem::create_directory(files.setupFolder()); }
};

TEST_F(SetupFilesTest, FirstStartRestoresAnEmptyRootAndLeavesTheHistoryAlone) {
    trend::RootFolderBox box;
    box.Items = {"seeded"};
    box.Text = "C:\\QDR\\HART";
    files.LoadFolderHistory(box);
    files.ReadSettings(box);
    EXPECT_EQ(box.Items, (Names{"seeded"}));
    EXPECT_EQ(box.Text, "");
}

TEST_F(SetupFilesTest, CloseWritesTheRootAndTheHistoryThatTheNextStartRestores) {
    trend::RootFolderBox box;
    box.Items = {"/data", "", "/data", "C:\\PLUGIN"};
    box.Text = " /typed ";
    const trend::FormCloseResult closed = files.FormClose(box);
    EXPECT_FALSE(closed.settingsError);
    EXPECT_TRUE(closed.historyWritten);
    EXPECT_EQ(trendtest::readFile(files.settingsFile()), "[SETUP]\r\nLASTPOSITION= /typed \r\n");
    EXPECT_EQ(trendtest::readFile(files.historyFile()), "/data\r\n\r\n/data\r\nC:\\PLUGIN\r\n");

    trend::RootFolderBox next;
    files.LoadFolderHistory(next);
    files.ReadSettings(next);
    EXPECT_EQ(next.Items, box.Items);
    EXPECT_EQ(next.Text, "/typed");
}

TEST_F(SetupFilesTest, HistoryReadWithAMarkIsWrittenBackWithIt) {
    const std::string bytes("\xFF\xFE/\0a\0\r\0\n\0", 10);
    std::filesystem::path history(files.historyFile());
    {
        std::ofstream out(history, std::ios::binary);
        out << bytes;
    }
    trend::RootFolderBox box;
    files.LoadFolderHistory(box);
    EXPECT_EQ(box.Items, (Names{"/a"}));
    box.Items.push_back("/b");
    files.FormClose(box);
    EXPECT_EQ(trendtest::readFile(files.historyFile()), bytes + std::string("/\0b\0\r\0\n\0", 8));
}

TEST_F(SetupFilesTest, SettingsFileThatCannotBeWrittenIsReportedAndTheHistoryWrittenAllTheSame) {
    std::filesystem::create_directory(files.settingsFile());  // a folder where the file belongs
    trend::RootFolderBox box;
    box.Items = {"/kept"};
    box.Text = "/kept";
    const trend::FormCloseResult closed = files.FormClose(box);
    EXPECT_EQ(closed.settingsError, files.settingsFile() + " に書き込めません.");
    EXPECT_TRUE(closed.historyWritten);
    EXPECT_EQ(trendtest::readFile(files.historyFile()), "/kept\r\n");
}

TEST_F(SetupFilesTest, MissingSetupFolderFailsBothWritesWithoutAnException) {
    std::filesystem::remove(files.setupFolder());
    trend::RootFolderBox box;
    box.Text = "/x";
    const trend::FormCloseResult closed = files.FormClose(box);
    EXPECT_TRUE(closed.settingsError);
    EXPECT_FALSE(closed.historyWritten);
}

}  // namespace
