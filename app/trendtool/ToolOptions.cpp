#include "ToolOptions.h"

#include <algorithm>

namespace trendtool {

ToolOptions::ToolOptions(const std::vector<std::string>& args,
                         const std::vector<std::string>& valued,
                         const std::vector<std::string>& flags) {
    auto known = [](const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    bool onlyPositional = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyPositional || arg.size() < 2 || arg[0] != '-') {
            positional_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositional = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            flags_["help"] = true;
            continue;
        }
        if (arg == "-o") {
            if (i + 1 == args.size()) {
                throw UsageError("-o needs a path");
            }
            values_["output"] = args[++i];
            continue;
        }
        if (arg.rfind("--", 0) != 0) {
            throw UsageError("unknown option " + arg);
        }
        const size_t equals = arg.find('=');
        const std::string name =
            arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        if (equals != std::string::npos) {
            if (!known(valued, name)) {
                throw UsageError("unknown option --" + name);
            }
            values_[name] = arg.substr(equals + 1);
        } else if (known(flags, name)) {
            flags_[name] = true;
        } else if (known(valued, name)) {
            throw UsageError("--" + name + " needs a value: --" + name + "=...");
        } else {
            throw UsageError("unknown option " + arg);
        }
    }
}

std::optional<std::string> ToolOptions::value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

}  // namespace trendtool
