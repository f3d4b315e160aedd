#include "core/dialogs/FontChoice.h"

#include <algorithm>

#include "core/base/Strings.h"
#include "core/os/Encoding.h"

namespace moravel {
namespace {

double ClampPoints(double points) {
    return std::clamp(points, kFontDialogMinPoints, kFontDialogMaxPoints);
}

}  // namespace

FontChoice FontChoiceFor(std::string_view name, double size, std::int32_t style) {
    FontChoice choice;
    choice.face = TruncateToAnsiBytes(name, kMaxFaceNameBytes);
    choice.points = size > 0 ? ClampPoints(size) : kFontDialogMinPoints;
    choice.weight = (style & 1) != 0 ? kBoldWeight : kNormalWeight;
    choice.italic = (style & 2) != 0;
    choice.underline = (style & 4) != 0;
    choice.strikeOut = (style & 8) != 0;
    return choice;
}

void ApplyFontChoice(const FontChoice& chosen, std::string& name, double& size,
                     std::int32_t& style) {
    name = TruncateToAnsiBytes(chosen.face, kMaxFaceNameBytes);
    if (chosen.points > 0) {
        size = ClampPoints(RoundHalfEven(chosen.points * 10) / 10);
    }
    style = (chosen.weight != kNormalWeight ? 1 : 0) | (chosen.italic ? 2 : 0) |
            (chosen.underline ? 4 : 0) | (chosen.strikeOut ? 8 : 0);
}

}  // namespace moravel
