#include "Args.h"

#include <cstdio>

namespace moravel::tool {

Args::Args(std::span<const std::string> args, const std::set<std::string>& valued,
           const std::set<std::string>& flags) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            error_ = "unexpected argument '" + arg + "'";
            return;
        }
        const std::string name = arg.substr(2);
        if (flags.count(name) != 0) {
            flags_.insert(name);
        } else if (valued.count(name) != 0) {
            if (i + 1 >= args.size()) {
                error_ = "option '" + arg + "' needs a value";
                return;
            }
            values_[name] = args[++i];
        } else {
            error_ = "unknown option '" + arg + "'";
            return;
        }
    }
}

std::optional<std::string> Args::Value(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

int UsageError(std::string_view message) {
    std::fprintf(stderr, "moravel-tool: %.*s (see moravel-tool --help)\n",
                 static_cast<int>(message.size()), message.data());
    return kExitUsage;
}

}  // namespace moravel::tool
