#include "core/app/PlaceDialog.h"

namespace moravel {
namespace {

std::int32_t Clamp(std::int32_t value, std::int32_t size, std::int32_t low, std::int32_t high) {
    if (value < low) {
        return low;
    }
    if (value + size > high) {
        return high - size;
    }
    return value;
}

}  // namespace

ScreenPoint PlaceDialog(std::int32_t dialogWidth, std::int32_t dialogHeight,
                        const ScreenRect& owner, std::int32_t ownerCaption,
                        const ScreenRect& workArea, PlaceMode mode) {
    const ScreenPoint cascade{owner.left + ownerCaption, owner.top + ownerCaption};
    ScreenPoint p = cascade;
    if (mode == PlaceMode::Beside) {
        p.x = owner.left + owner.width() / 2 - dialogWidth / 2;
        if (dialogHeight <= workArea.bottom - owner.bottom) {
            p.y = owner.bottom;
        } else if (dialogHeight <= owner.top - workArea.top) {
            p.y = owner.top - dialogHeight;
        } else {
            p.y = owner.top + owner.height() / 2 - dialogHeight / 2;
            if (dialogWidth <= workArea.right - owner.right) {
                p.x = owner.right;
            } else if (dialogWidth <= owner.left - workArea.left) {
                p.x = owner.left - dialogWidth;
            } else {
                p = cascade;
            }
        }
    }
    p.x = Clamp(p.x, dialogWidth, workArea.left, workArea.right);
    p.y = Clamp(p.y, dialogHeight, workArea.top, workArea.bottom);
    return p;
}

}  // namespace moravel
