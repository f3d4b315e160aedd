// Starting the program when the user logs on: the desktop's autostart entry
// $XDG_CONFIG_HOME/autostart/moravel.desktop on POSIX, the user's Run value in the registry on
// Windows.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace moravel {

inline constexpr std::string_view kAutostartEntryName = "moravel.desktop";
inline constexpr std::string_view kDesktopId = "io.github.moravel.Moravel";
inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValueName = "Moravel";

class Autostart {
  public:
    Autostart() = default;
    virtual ~Autostart() = default;
    Autostart(const Autostart&) = delete;
    Autostart& operator=(const Autostart&) = delete;

    // True when the entry exists, is not switched off and starts `program` (the executable's
    // full path).
    virtual bool StartsProgram(const std::string& program) const = 0;
    // Creates or replaces the entry so that it starts `program`. False when it cannot be written.
    virtual bool Enable(const std::string& program) = 0;
    // Removes the entry. False when one is left.
    virtual bool Disable() = 0;
};

// The system's: the XDG entry in the user's configuration folder, or the Run value.
std::unique_ptr<Autostart> MakeAutostart();

// `argument` as one quoted argument of a desktop entry's Exec key, as the file holds it: in double
// quotes, with '"', '`', '$' and '\' escaped by a backslash; then "%" doubled, and the backslashes
// doubled once more for the file's string escapes.
std::string DesktopEntryExecArgument(std::string_view argument);
// The autostart entry that starts `program`.
std::string AutostartEntryText(std::string_view program);
// The program an entry's text starts (its Exec key's first argument, unquoted); nothing when the
// entry has no Exec key or is switched off (Hidden=true, X-GNOME-Autostart-enabled=false).
std::optional<std::string> AutostartEntryProgram(std::string_view text);

// The autostart entry in the desktop's autostart folder of the user, a file at `path`.
class XdgAutostart : public Autostart {
  public:
    explicit XdgAutostart(std::string path) : path_(std::move(path)) {}
    bool StartsProgram(const std::string& program) const override;
    bool Enable(const std::string& program) override;
    bool Disable() override;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// The Run value's text for `program`: its path in double quotes.
std::string RunValueText(std::string_view program);
// The program a Run value starts: the quoted path, or an unquoted one up to the first blank.
std::string RunValueProgram(std::string_view value);

}  // namespace moravel
