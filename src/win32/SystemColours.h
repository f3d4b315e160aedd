// The desktop's colours as the system colour table, from GetSysColor.
#pragma once

#include "core/render/Colour.h"

namespace moravel {

// Each index the system supports takes its GetSysColor value; an index it does not
// (GetSysColorBrush gives no brush for it) keeps the classic scheme's colour.
SystemColourTable DesktopSystemColours();

// Puts the desktop's colours into the table system colours resolve through; again after the user
// changes the colour scheme (WM_SYSCOLORCHANGE).
void UseDesktopSystemColours();

}  // namespace moravel
