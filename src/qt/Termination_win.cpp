#include "qt/Termination.h"

namespace moravel {

// On Windows the end of the session reaches the program as a window message, which Qt turns
// into the application's commitDataRequest; nothing else asks a GUI program to end.
void InstallTerminationHandler(std::function<void()>) {}

}  // namespace moravel
