#include "TrendFileFixtures.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "PlatformPath.h"

namespace trendtest {

std::string fixtureFolder() {
    return TREND_FIXTURES;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "trendtest-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
    const std::string full = path_ + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream out(full, std::ios::binary);
    out << bytes;
    return full;
}

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

trend::RunProgress ReaderHarness::click(int tag, const std::string& folder,
                                        const std::string& name) {
    trend::LoadRequest request{edit2, "100000", tag};
    trend::SingleFileHooks hooks(trend::JoinPath(folder, name));
    return reader.Button1Click(request, hooks);
}

}  // namespace trendtest
