// Options of the form "--name value" and "--flag" for the subcommands of moravel-tool.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>

namespace moravel::tool {

class Args {
  public:
    // Parses `args`; `valued` and `flags` are the options the subcommand knows (without "--").
    // On a mistake, error() says what is wrong in one line.
    Args(std::span<const std::string> args, const std::set<std::string>& valued,
         const std::set<std::string>& flags);

    const std::string& error() const { return error_; }
    std::optional<std::string> Value(const std::string& name) const;
    bool Flag(const std::string& name) const { return flags_.count(name) != 0; }

  private:
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
    std::string error_;
};

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Prints "moravel-tool: <message>" to standard error and returns kExitUsage.
int UsageError(std::string_view message);

}  // namespace moravel::tool
