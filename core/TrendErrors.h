#pragma once

#include <stdexcept>
#include <string>

namespace trend {

// A text that is not a number, or not a valid date or time.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An index outside a list: a missing field, series or entry.
class ListIndexError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failure while a trend file is read, naming the file and the line.
class TrendReadError : public std::runtime_error {
public:
    TrendReadError(std::string file, long line, const std::string& what)
        : std::runtime_error(file + " line " + std::to_string(line) + ": " + what),
          file_(std::move(file)),
          line_(line) {}
    const std::string& file() const { return file_; }
    long line() const { return line_; }

private:
    std::string file_;
    long line_;
};

// A file or folder that could not be written.
class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace trend
