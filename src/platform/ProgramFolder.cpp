#include "platform/ProgramFolder.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace moravel {

std::string ProgramFolder() {
    if (const auto home = EnvironmentVariable("MORAVEL_HOME"); home && !home->empty()) {
        return AddBackslash(*home);
    }
    return AddBackslash(GetParentFolder(ExecutablePath()));
}

}  // namespace moravel
