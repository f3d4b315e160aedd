// What the main window tells a screen reader: a graph named "CPU使用率" whose value is the usage
// as text. The value is announced when it has moved by at least five points since the last
// announcement, or when the window gets the focus; not every second, which would drown every
// other announcement.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace moravel {

class UsageAnnouncer {
  public:
    static constexpr std::int32_t kStep = 5;

    // The window's accessible name, in the interface's language.
    static std::string_view Name();

    // The usage of this second. True when it is to be announced; the value text follows it then.
    bool Update(std::int32_t usage);
    // The window got the focus: the newest usage is announced whatever it was.
    bool Focus(std::int32_t usage);

    // "N %": the usage last announced.
    std::string ValueText() const;

  private:
    std::optional<std::int32_t> announced_;
};

}  // namespace moravel
