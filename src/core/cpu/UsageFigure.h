// Which figure the usage is: the time the processors were not idle, or Windows' processor
// utility (that busy time scaled by the processors' frequency, as Task Manager showed it from
// Windows 8 and Windows 10 still does).
#pragma once

#include <cstdint>

namespace moravel {

// The settings file's code (CpuFigure). Every value but 1 is processor time.
enum class UsageFigure : std::int32_t { ProcessorTime = 0, ProcessorUtility = 1 };
constexpr bool AsksProcessorUtility(UsageFigure figure) {
    return figure == UsageFigure::ProcessorUtility;
}

// Whether the system the program runs on offers a choice of figure: the NT family. Elsewhere
// (Linux, Windows 95/98/Me) the usage is processor time and the setting is not looked at.
bool UsageFiguresOffered();

}  // namespace moravel
