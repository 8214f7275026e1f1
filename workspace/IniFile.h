#pragma once

#include <string>
#include <string_view>

#include "TextCodec.h"

namespace trend {

// A profile file of sections and "key=value" lines, read and written by the usual rules:
// section and key names match ignoring case; blanks around a value are dropped, and so is a
// pair of matching quotes around it; a value is read back to at most kMaxValueCharacters.
// Writing replaces one key's value and keeps every other line; lines end with CR LF.
// The file is in the locale's character set, or in UTF-8 when it begins with the UTF-8 mark; a
// value the 8-bit set cannot hold turns the file into UTF-8 with its mark, so nothing is lost.
class IniFile {
public:
    static constexpr size_t kMaxValueCharacters = 2047;

    explicit IniFile(std::string path, const TextCodec& codec = TextCodec::process());

    // defaultValue when the file, the section or the key is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Raises WriteError "<path> に書き込めません." when the file cannot be written; the file is
    // then unchanged.
    void WriteString(std::string_view section, std::string_view key, std::string_view value) const;

private:
    std::string path_;
    TextCodec codec_;  // held by value, so that a temporary codec may be passed
};

}  // namespace trend
