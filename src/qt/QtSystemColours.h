// The desktop's colours as the system colour table: each classic system colour index takes the
// colour of the palette role that plays its part on this desktop.
#pragma once

#include <QPalette>

#include "core/render/Colour.h"

namespace moravel {

SystemColourTable SystemColoursFromPalette(const QPalette& palette);

// Puts the application palette's colours into the table system colours resolve through. Needs a
// QGuiApplication.
void UseDesktopSystemColours();

}  // namespace moravel
