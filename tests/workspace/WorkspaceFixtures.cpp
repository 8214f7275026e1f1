#include "WorkspaceFixtures.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Mydatetimeunit.h"
#include "PlatformPath.h"

namespace trendtest {

std::string FolderTree::path(const std::string& relative) const {
    std::string full = root();
    for (char c : "/" + relative) {
        full += c == '/' ? trend::kPathDelimiter : c;
    }
    return full;
}

std::string FolderTree::folder(const std::string& relative) const {
    const std::string full = path(relative);
    std::filesystem::create_directories(full);
    return full;
}

std::string FolderTree::file(const std::string& relative, const std::string& bytes) const {
    return temp_.write(relative, bytes);
}

std::string FolderTree::trendFile(const std::string& relative, const std::string& start,
                                  int rows) const {
    const trend::TDateTime first = trend::ParseDateTimeText(start);
    std::vector<std::string> lines = {"HART diagnostic trend", "Device,DEV", "DEV " + start,
                                      "Date Time,PV"};
    for (int r = 0; r < rows; ++r) {
        lines.push_back(
            trend::FormatDateTime("yyyy'/'mm'/'dd hh':'nn':'ss", trend::IncSecond(first, 60 * r)) +
            "," + std::to_string(r));
    }
    return file(relative, crlfLines(lines));
}

CapturedOutput::CapturedOutput() {
    std::fflush(stdout);
    std::fflush(stderr);
    savedOut_ = ::dup(1);
    savedErr_ = ::dup(2);
    const int out = ::open((temp_.path() + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open((temp_.path() + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::close(out);
    ::close(err);
}

void CapturedOutput::finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    std::fflush(stdout);
    std::fflush(stderr);
    ::dup2(savedOut_, 1);
    ::dup2(savedErr_, 2);
    ::close(savedOut_);
    ::close(savedErr_);
}

CapturedOutput::~CapturedOutput() {
    finish();
}

std::string CapturedOutput::out() {
    finish();
    return readFile(temp_.path() + "/out");
}

std::string CapturedOutput::err() {
    finish();
    return readFile(temp_.path() + "/err");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace trendtest
