// Which option button of a group is selected, for dialogs of any toolkit.
#pragma once

#include <cstdint>
#include <span>

namespace moravel {

struct OptionState {
    std::int32_t index;  // the button's own index in its group (a group may start at 1)
    bool selected;
};

// The lowest index whose button is selected, or `defaultIndex` when none is.
std::int32_t SelectedOptionIndex(std::span<const OptionState> options, std::int32_t defaultIndex);

}  // namespace moravel
