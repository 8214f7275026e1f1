#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace trendtool {

// A usage error: the message is printed with the command's usage, exit status 64.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Options of the form --name=value, --flag and -o VALUE, then positional words.
class ToolOptions {
public:
    // valued: options that take a value; flags: options that take none.
    ToolOptions(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                const std::vector<std::string>& flags);

    std::optional<std::string> value(const std::string& name) const;
    bool flag(const std::string& name) const { return flags_.count(name) != 0; }
    const std::vector<std::string>& positional() const { return positional_; }
    bool help() const { return flag("help"); }

private:
    std::map<std::string, std::string> values_;
    std::map<std::string, bool> flags_;
    std::vector<std::string> positional_;
};

}  // namespace trendtool
