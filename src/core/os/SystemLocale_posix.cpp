// The locale of messages, as the C library would choose it from the environment.
#include <cstdlib>

#include "core/os/SystemLocale.h"

namespace moravel {

std::vector<std::string> SystemLocaleNames() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
            return {value};
        }
    }
    return {""};
}

}  // namespace moravel
