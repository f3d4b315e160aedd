#include "core/os/SingleInstance.h"

#include "core/base/Sha1.h"

namespace moravel {

std::string SingleInstanceNameFor(std::string_view user, std::string_view folder) {
    return "moravel-" + std::string(user) + "-" + Sha1Hex(folder).substr(0, 12);
}

}  // namespace moravel
