#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TextCodec.h"

namespace trend {

// How a text file of lines is encoded: the locale's 8-bit character set without a byte-order
// mark, or one of the Unicode encodings with its mark.
enum class TextFileEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// The lines of a text file (UTF-8 internally) and the encoding they were read in.
struct StringListText {
    std::vector<std::string> lines;
    TextFileEncoding encoding = TextFileEncoding::Ansi;
};

// CR, LF and CR LF each end a line; a final line break adds no empty line, an empty line is an
// empty entry. A UTF-8 or UTF-16 byte-order mark selects that encoding.
StringListText DecodeStringList(std::string_view bytes,
                                const TextCodec& codec = TextCodec::process());
// Every line ended by CR LF, with the byte-order mark of the encoding. A list the locale's 8-bit
// character set cannot hold is written as UTF-8 with its mark instead, so that nothing is lost.
std::string EncodeStringList(const std::vector<std::string>& lines, TextFileEncoding encoding,
                             const TextCodec& codec = TextCodec::process());

// nullopt when the file cannot be read.
std::optional<StringListText> LoadStringList(const std::string& path,
                                             const TextCodec& codec = TextCodec::process());
// Replaces the file as a whole (never half-written); false, with the reason, when it fails.
bool SaveStringList(const std::string& path, const std::vector<std::string>& lines,
                    TextFileEncoding encoding, std::string* reason = nullptr,
                    const TextCodec& codec = TextCodec::process());

}  // namespace trend
