#pragma once

#include <string>
#include <string_view>

namespace trend {

// The 8-bit texts of trend, history and settings files, read in the locale's character set.
// Internally every text is UTF-8.
class TextCodec {
public:
    // The codec of the process locale (nl_langinfo(CODESET)).
    static const TextCodec& process();
    static TextCodec utf8();
    static TextCodec latin1();

    // Bytes of the locale's character set to UTF-8; a byte sequence that is not valid there
    // is read as Latin-1, so no byte is lost.
    std::string decode(std::string_view bytes) const;
    // UTF-8 to one byte per character: up to U+00FF the byte of that value, beyond it "?".
    static std::string toSingleByte(std::string_view utf8);
    // UTF-8 to the locale's character set (for files the program reads back itself).
    std::string encode(std::string_view utf8) const;

    bool isUtf8() const { return kind_ == Kind::Utf8; }

private:
    enum class Kind { Utf8, Latin1 };
    explicit TextCodec(Kind kind) : kind_(kind) {}
    Kind kind_;
};

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);
// Upper case for comparisons (ASCII and Latin-1 letters).
std::string UpperCase(std::string_view utf8);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace trend
