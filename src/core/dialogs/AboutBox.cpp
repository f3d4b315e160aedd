#include "core/dialogs/AboutBox.h"

#include <bit>

namespace moravel {

std::string VersionLine(std::string_view product, std::int32_t major, std::int32_t minor,
                        std::int32_t revision) {
    std::string line(product);
    line += " Version ";
    line += std::to_string(major);
    line += '.';
    line += std::to_string(minor);
    if (revision > 0) {
        line += '.';
        line += std::to_string(revision);
    }
    return line;
}

void PressAnimation::UpdatePressTarget() {
    PressTarget = std::popcount(static_cast<unsigned>(PressButtons & 7));
}

bool PressAnimation::MouseDown(std::int32_t button) {
    PressButtons |= button & 7;
    UpdatePressTarget();
    return Step();
}

bool PressAnimation::MouseUp(std::int32_t button) {
    if ((PressButtons & button) != 0) {
        PressButtons &= ~button;
    }
    UpdatePressTarget();
    return PressFrame != PressTarget;
}

bool PressAnimation::Step() {
    if (PressFrame < PressTarget) {
        ++PressFrame;
    } else if (PressTarget < PressFrame && PressFrame > 0) {
        --PressFrame;
    }
    return PressFrame != PressTarget;
}

}  // namespace moravel
