// The about box's logic: its version line and the press animation of the scale picture.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace moravel {

inline constexpr std::string_view kAboutCaption = "バージョン情報";
inline constexpr std::string_view kRightsNotice = "著作権 (C) 2002 Moravel 作者一同";
inline constexpr std::string_view kLegalNotice =
    "Moravel は Moravel 作者一同による MIT ライセンスのフリーソフトウェアです。"
    "だれでも自由に使用、複製、改変、再配布できます。";
inline constexpr std::int32_t kPressFrames = 4;
inline constexpr std::int32_t kPressIntervalMs = 150;

// "Moravel Version 1.1", with ".revision" only when the revision is above 0.
std::string VersionLine(std::string_view product, std::int32_t major, std::int32_t minor,
                        std::int32_t revision);

// The scale sinks one frame per held mouse button and rises back when they are released, one
// frame per timer step.
class PressAnimation {
  public:
    std::int32_t PressFrame = 0;
    std::int32_t PressTarget = 0;
    std::int32_t PressButtons = 0;  // 1 left, 2 right, 4 middle

    // A press adds its button and takes one step at once; returns whether the timer runs.
    bool MouseDown(std::int32_t button);
    // A release removes its button; returns whether the timer runs.
    bool MouseUp(std::int32_t button);
    // One timer step; returns whether the timer keeps running.
    bool Step();

  private:
    void UpdatePressTarget();
};

}  // namespace moravel
