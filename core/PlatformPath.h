#pragma once

#include <string>
#include <string_view>

namespace trend {

// Paths as the program builds them, and as the file system here wants them.
// Joined with the native delimiter; "\" also counts as a delimiter when a path is handed to the
// file system, and a drive letter "X:" stands for /mnt/x.
#ifdef _WIN32
inline constexpr char kPathDelimiter = '\\';
#else
inline constexpr char kPathDelimiter = '/';
#endif

std::string JoinPath(std::string_view folder, std::string_view name);
// The text the file system takes for a program path.
std::string ToFileSystemPath(std::string_view path);
// The path without its last delimiter and what follows ("" when there is no delimiter).
std::string ParentPath(std::string_view path);
// What follows the last delimiter (the whole text when there is none).
std::string LastPathComponent(std::string_view path);
bool IsPathDelimiter(char c);

}  // namespace trend
