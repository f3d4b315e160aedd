// What the font dialog opens with for a theme's text font, and how its answer becomes the font's
// face, size and style bits again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace moravel {

// A face name holds at most 31 bytes in the ANSI code page (the system's face-name field is 32
// bytes with its terminating NUL).
inline constexpr std::size_t kMaxFaceNameBytes = 31;
inline constexpr double kFontDialogMinPoints = 1;
inline constexpr double kFontDialogMaxPoints = 300;
inline constexpr std::int32_t kNormalWeight = 400;
inline constexpr std::int32_t kBoldWeight = 700;

// A font as the font dialog shows and answers it.
struct FontChoice {
    std::string face;  // UTF-8
    double points = 0;
    std::int32_t weight = kNormalWeight;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontChoice&) const = default;
};

// The dialog's starting font: the face cut to 31 ANSI bytes, the size within 1..300 points,
// weight 700 for the bold bit, else 400.
FontChoice FontChoiceFor(std::string_view name, double size, std::int32_t style);

// The theme's font from what the user confirmed: the face cut to 31 ANSI bytes; the size in
// tenths of a point (10.5 stays 10.5) within 1..300 points, a size the dialog gives as 0 or less
// keeping `size`; style bit 1 for any weight other than 400, then italic 2, underline 4 and
// strike-out 8.
void ApplyFontChoice(const FontChoice& chosen, std::string& name, double& size,
                     std::int32_t& style);

}  // namespace moravel
