#include "core/render/HistoryView.h"

#include <algorithm>

namespace moravel {

std::int32_t HistoryView::Pos() const {
    if (Empty()) {
        return 0;
    }
    const std::int32_t p = *pos;
    return p < 0 || p >= count ? 0 : p;
}

std::int32_t HistoryView::Sample(std::int32_t index) const {
    if (Empty() || index < 0 || index >= count) {
        return 0;
    }
    return std::clamp(samples[index], 0, 100);
}

}  // namespace moravel
