#pragma once

#include <string>

namespace moravel {

// The folder of the program's executable with exactly one trailing separator. The environment
// variable MORAVEL_HOME, when set and not empty, names another folder instead.
std::string ProgramFolder();

}  // namespace moravel
