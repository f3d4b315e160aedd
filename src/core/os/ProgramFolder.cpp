#include "core/os/ProgramFolder.h"

#include "core/os/FileSystem.h"
#include "core/os/Paths.h"

namespace moravel {

std::string ProgramFolder() {
    if (const auto home = EnvironmentVariable("MORAVEL_HOME"); home && !home->empty()) {
        return AddBackslash(*home);
    }
    return AddBackslash(GetParentFolder(ExecutablePath()));
}

}  // namespace moravel
