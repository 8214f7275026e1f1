#pragma once

#include <string>
#include <vector>

#include "TrendFileFixtures.h"

namespace trendtest {

// A folder tree below a temporary folder, built in a test.
class FolderTree {
public:
    const std::string& root() const { return temp_.path(); }
    // root()/relative, with the native delimiter.
    std::string path(const std::string& relative) const;
    // Creates the folder and its parents; returns its full path.
    std::string folder(const std::string& relative) const;
    // Writes a file (parents created); returns its full path.
    std::string file(const std::string& relative, const std::string& bytes = "") const;
    // A trend file of one value column, rows a minute apart from start ("yyyy/mm/dd hh:nn:ss").
    std::string trendFile(const std::string& relative, const std::string& start, int rows) const;

private:
    TempFolder temp_;
};

// Standard output and standard error of this process, caught while the object lives.
class CapturedOutput {
public:
    CapturedOutput();
    ~CapturedOutput();
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;
    // Ends the capture and returns what was written.
    std::string out();
    std::string err();

private:
    void finish();
    TempFolder temp_;
    int savedOut_ = -1;
    int savedErr_ = -1;
    bool finished_ = false;
};

std::string readFile(const std::string& path);

}  // namespace trendtest
