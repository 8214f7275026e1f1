#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "AtomicFile.h"
#include "TrendFileFixtures.h"

namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(AtomicFile, ReplacingALinkWritesTheFileItPointsTo) {
    trendtest::TempFolder folder;
    const std::string target = folder.write("shared/Viewer.ini", "old");
    const std::string link = folder.path() + "/Viewer.ini";
    std::filesystem::create_symlink(target, link);
    std::string reason;
    ASSERT_TRUE(trend::ReplaceFileContents(link, "new", &reason)) << reason;
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << "the link stays a link";
    EXPECT_EQ(contentsOf(target), "new");
}

}  // namespace
