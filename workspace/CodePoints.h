#pragma once

#include <string>
#include <string_view>

#include "TextCodec.h"

namespace trend {

// The code points of a UTF-8 text; a byte that does not start a valid sequence stands for the
// Latin-1 character of its value (as TextCodec decodes such bytes).
std::u32string CodePoints(std::string_view utf8);

// Whether the locale's character set holds every character of a UTF-8 text (an 8-bit set
// holds U+0000 to U+00FF).
bool CodecHolds(const TextCodec& codec, std::string_view utf8);

}  // namespace trend
