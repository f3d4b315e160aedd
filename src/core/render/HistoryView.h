// Read access to the usage history ring for the renderer. The history's owner fills it in once the
// ring is allocated; the renderer reads through it at every frame and never writes.
#pragma once

#include <cstddef>
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

// Read access to each processor's history: `processors` rows of `count` one-byte slots, row by row
// (processor p's slot i at p * count + i), written at the same index as the total's ring. A slot
// holds 0..100 or kProcessorOffline (no reading).
struct ProcessorHistoryView {
    const std::uint8_t* samples = nullptr;
    std::int32_t processors = 0;
    std::int32_t count = 0;
    const std::int32_t* pos = nullptr;

    bool Empty() const { return samples == nullptr || processors <= 0 || count <= 0 || !pos; }
    const std::uint8_t* Row(std::int32_t processor) const {
        return samples + static_cast<std::ptrdiff_t>(processor) * count;
    }
};

}  // namespace moravel
