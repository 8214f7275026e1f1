#include "PlatformPath.h"

#include <cctype>

namespace trend {

bool IsPathDelimiter(char c) {
    return c == '/' || c == '\\';
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += kPathDelimiter;
    path += name;
    return path;
}

std::string ToFileSystemPath(std::string_view path) {
#ifdef _WIN32
    return std::string(path);
#else
    std::string out;
    if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
        out = "/mnt/";
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
        path.remove_prefix(2);
        if (!path.empty() && !IsPathDelimiter(path[0])) {
            out += '/';
        }
    }
    for (char c : path) {
        out += c == '\\' ? '/' : c;
    }
    return out;
#endif
}

namespace {
size_t lastDelimiter(std::string_view path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsPathDelimiter(path[i - 1])) {
            return i - 1;
        }
    }
    return std::string_view::npos;
}
}  // namespace

std::string ParentPath(std::string_view path) {
    size_t at = lastDelimiter(path);
    return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at));
}

std::string LastPathComponent(std::string_view path) {
    size_t at = lastDelimiter(path);
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

}  // namespace trend
