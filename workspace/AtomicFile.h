#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace trend {

// The whole content of a file; nullopt when it cannot be read (missing, a folder, no access).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file's content with bytes: writes a temporary file beside it and renames it over
// the file, so that the file is either the old one or the new one, never half-written.
// false, with the reason, when it fails; the file is then unchanged.
bool ReplaceFileContents(const std::string& path, std::string_view bytes,
                         std::string* reason = nullptr);

}  // namespace trend
