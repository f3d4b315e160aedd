// Read access to the usage history ring for the renderer. The history's owner fills it in once the
// ring is allocated; the renderer reads through it at every frame and never writes.
#pragma once

#include <cstdint>

namespace moravel {

struct HistoryView {
    const std::int32_t* samples = nullptr;  // `count` slots, usage in percent
    std::int32_t count = 0;                 // N, the number of slots
    const std::int32_t* pos = nullptr;      // the write index: the next slot to be written

    bool Empty() const { return samples == nullptr || count <= 0 || pos == nullptr; }
    // The write index, kept inside 0..count-1.
    std::int32_t Pos() const;
    std::int32_t PrevIndex(std::int32_t index) const { return index <= 0 ? count - 1 : index - 1; }
    // The sample in `index`, kept inside 0..100 (a history read from a file may hold anything).
    std::int32_t Sample(std::int32_t index) const;
};

}  // namespace moravel
