// The user's locale and interface language, as the system reports them.
#pragma once

#include <string>
#include <vector>

namespace moravel {

// The names of the user's locale and interface language: on Windows the UI language and the
// user's locale ("ja-JP"), elsewhere the locale of messages from the environment (LC_ALL, else
// LC_MESSAGES, else LANG; "" when none is set).
std::vector<std::string> SystemLocaleNames();

}  // namespace moravel
