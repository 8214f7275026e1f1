#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trend {

// The file version of the program file at path: the value "\StringFileInfo\041103a4\FileVersion"
// of its version information. The language block is fixed; the file's translation table is
// not consulted. Never fails: a missing file, a file without version information, a malformed
// block or a missing value all give "0.0.0.0".
std::string FileVersionText(std::string_view path);

// The version-information block (VS_VERSIONINFO) of the file at path, found in a PE file's
// version resource or in the ELF section ".trendviewer.version"; empty when there is none or
// the file cannot be read. At most 64 KiB, the largest block the format can describe.
std::vector<uint8_t> ReadFileVersionInfo(std::string_view path);

// The text value at a key path such as "\StringFileInfo\041103a4\FileVersion" (keys compared
// ignoring ASCII case), read up to its terminating zero. nullopt when the root is not a
// "VS_VERSION_INFO" block, a key on the way is missing, a block does not fit into its parent,
// or the value is empty.
std::optional<std::string> QueryVersionString(std::span<const uint8_t> block,
                                              std::string_view keyPath);

}  // namespace trend
