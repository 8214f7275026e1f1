#pragma once

#include <string>
#include <vector>

#include "TrendFileReader.h"
#include "TrendViewState.h"

namespace trendtest {

std::string fixtureFolder();

// A folder of its own below the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    // Writes bytes to path()/name and returns the full path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

// Lines joined with CR LF, the last one included.
std::string crlfLines(const std::vector<std::string>& lines);

// The window state and a reader, loading files the way the two buttons do.
struct ReaderHarness {
    trend::TrendViewState state;
    trend::TrendFileReader reader{state};
    std::string edit2 = "0";

    trend::RunProgress click(int tag, const std::string& folder, const std::string& name);
    trend::RunProgress read(const std::string& name) { return click(0, fixtureFolder(), name); }
    trend::RunProgress add(const std::string& name) { return click(1, fixtureFolder(), name); }
};

// Hooks that walk a list of files; consecutive when asked.
class ListHooks : public trend::TrendRunHooks {
public:
    ListHooks(std::vector<std::string> paths, bool consecutive)
        : paths_(std::move(paths)), consecutive_(consecutive) {}
    std::optional<std::string> selectedFilePath() override {
        if (next_ < paths_.size()) {
            return paths_[next_];
        }
        return std::nullopt;
    }
    bool advanceToNextFile() override { return ++next_ < paths_.size(); }
    bool continueRun(const trend::RunProgress&) override { return consecutive_; }

private:
    std::vector<std::string> paths_;
    bool consecutive_;
    size_t next_ = 0;
};

}  // namespace trendtest
