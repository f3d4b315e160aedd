// Which family of Windows the program runs on (Windows only).
#pragma once

namespace moravel {

// True on the NT family: the version record says platform 2. False otherwise, also when the
// version cannot be read.
bool IsWinNT();

}  // namespace moravel
