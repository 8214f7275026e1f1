#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trend {

// Splits a line at commas, with double quotes grouping text. Loose mode also ends fields at
// characters 1 to 32 and skips them around delimiters; strict mode ends fields only at commas.
// The mode persists from line to line; a NUL character ends the line.
class FieldSplitter {
public:
    enum class Mode { Loose, Strict };

    void setMode(Mode mode) { mode_ = mode; }
    Mode mode() const { return mode_; }

    // Splits line into fields (which it empties first).
    void split(std::string_view line, std::vector<std::string>& fields) const;
    std::vector<std::string> split(std::string_view line) const {
        std::vector<std::string> fields;
        split(line, fields);
        return fields;
    }

private:
    Mode mode_ = Mode::Loose;
};

}  // namespace trend
