#include "core/dialogs/OptionGroup.h"

#include <optional>

namespace moravel {

std::int32_t SelectedOptionIndex(std::span<const OptionState> options, std::int32_t defaultIndex) {
    std::optional<std::int32_t> lowest;
    for (const OptionState& option : options) {
        if (option.selected && (!lowest || option.index < *lowest)) {
            lowest = option.index;
        }
    }
    return lowest.value_or(defaultIndex);
}

}  // namespace moravel
