// The desktop entry of the XDG autostart folder, its Exec quoting, and the Run value's text: the
// same on every system, so both are tested everywhere.
#include "core/os/Autostart.h"

#include "core/base/Strings.h"
#include "core/os/FileSystem.h"
#include "core/os/Paths.h"

namespace moravel {
namespace {

constexpr std::uintmax_t kMaxEntryBytes = std::uintmax_t{64} * 1024;

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// A value of the desktop entry's string type as it reads: \s, \n, \t, \r and \\ undone.
std::string UnescapeValue(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text.push_back(value[i]);
            continue;
        }
        const char next = value[++i];
        switch (next) {
            case 's':
                text.push_back(' ');
                break;
            case 'n':
                text.push_back('\n');
                break;
            case 't':
                text.push_back('\t');
                break;
            case 'r':
                text.push_back('\r');
                break;
            default:
                text.push_back(next);  // "\\", and whatever else stands after a backslash
                break;
        }
    }
    return text;
}

// The first argument of an Exec value (string escapes already undone): a quoted argument with its
// backslash escapes, or the text up to the first blank; "%%" stands for "%".
std::string FirstExecArgument(std::string_view exec) {
    std::string argument;
    if (!exec.empty() && exec.front() == '"') {
        for (std::size_t i = 1; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size()) {
                ++i;
            }
            argument.push_back(exec[i]);
        }
    } else {
        argument = std::string(exec.substr(0, exec.find_first_of(" \t")));
    }
    ReplaceAll(argument, "%%", "%");
    return argument;
}

}  // namespace

std::string DesktopEntryExecArgument(std::string_view argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted.push_back('\\');
        }
        quoted.push_back(c);
    }
    quoted.push_back('"');
    ReplaceAll(quoted, "%", "%%");
    std::string value;
    for (const char c : quoted) {
        switch (c) {
            case '\\':
                value += "\\\\";
                break;
            case '\n':
                value += "\\n";
                break;
            case '\t':
                value += "\\t";
                break;
            case '\r':
                value += "\\r";
                break;
            default:
                value.push_back(c);
                break;
        }
    }
    return value;
}

std::string AutostartEntryText(std::string_view program) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Moravel\n"
           "Comment=Show the total CPU load as a scrolling graph in a small window and the tray\n"
           "Comment[ja]=CPU 全体の負荷を小さなウィンドウとタスクトレイにグラフで表示します\n"
           "Exec=" +
           DesktopEntryExecArgument(program) +
           "\n"
           "Icon=" +
           std::string(kDesktopId) +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::optional<std::string> AutostartEntryProgram(std::string_view text) {
    bool inEntry = false;
    std::optional<std::string> exec;
    bool switchedOff = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty() && line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inEntry || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = TrimBlanks(line.substr(0, equals));
        const std::string value = UnescapeValue(TrimBlanks(line.substr(equals + 1)));
        if (key == "Exec") {
            exec = FirstExecArgument(value);
        } else if ((key == "Hidden" && value == "true") ||
                   (key == "X-GNOME-Autostart-enabled" && value == "false")) {
            switchedOff = true;
        }
    }
    if (switchedOff || !exec || exec->empty()) {
        return std::nullopt;
    }
    return exec;
}

bool XdgAutostart::StartsProgram(const std::string& program) const {
    std::string bytes;
    if (path_.empty() || ReadFileBytes(path_, kMaxEntryBytes, bytes) != ReadStatus::Ok) {
        return false;
    }
    const std::optional<std::string> starts = AutostartEntryProgram(bytes);
    return starts && CompareFileNames(*starts, program) == 0;
}

bool XdgAutostart::Enable(const std::string& program) {
    // The autostart folder, like every folder of the user's configuration, is made private.
    return !path_.empty() && MakeParentFolders(path_) &&
           ReplaceFileContents(path_, AutostartEntryText(program));
}

bool XdgAutostart::Disable() {
    if (path_.empty() || !PathIsFile(path_)) {
        return true;
    }
    std::string error;
    return DeleteFileForced(path_, error);
}

std::string RunValueText(std::string_view program) {
    std::string text;
    text.reserve(program.size() + 2);
    text.push_back('"');
    text.append(program);
    text.push_back('"');
    return text;
}

std::string RunValueProgram(std::string_view value) {
    value = TrimBlanks(value);
    if (!value.empty() && value.front() == '"') {
        value.remove_prefix(1);
        return std::string(value.substr(0, value.find('"')));
    }
    return std::string(value.substr(0, value.find_first_of(" \t")));
}

}  // namespace moravel
