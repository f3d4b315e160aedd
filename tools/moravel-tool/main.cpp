// moravel-tool: the program's readers, writers and renderer on the command line.
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

#include "core/os/WideText_win.h"
#endif

#include "Args.h"
#include "Commands.h"

namespace moravel::tool {
namespace {

constexpr std::array kSubcommands = {
    Subcommand{"theme",
               "  moravel-tool theme --in FILE --out FILE\n"
               "      Reads a theme file (.tm) as Moravel does and writes it as Moravel does.\n"
               "      A missing or unreadable input gives the built-in default theme.\n",
               RunThemeCommand},
    Subcommand{"settings",
               "  moravel-tool settings --in FILE --out FILE\n"
               "      Reads a settings file (Moravel.ini) as Moravel does and writes it as\n"
               "      Moravel does. A missing or unreadable input gives the default settings.\n",
               RunSettingsCommand},
    Subcommand{"sample",
               "  moravel-tool sample [--seconds N] [--per-processor]\n"
               "      Reads the CPU usage as Moravel does, once a second, and prints each value\n"
               "      (0..100) on a line of its own ended by CR LF, N lines in all (default 10):\n"
               "      the format of TestData.dat. Ctrl+C stops early. A sampler that cannot start\n"
               "      prints the program's failure message and exits with status 1.\n"
               "      --per-processor follows the total on each line with every processor's\n"
               "      usage, comma-separated, in the system's numbering (empty for a processor\n"
               "      without a reading: offline, or just come back).\n",
               RunSampleCommand},
    Subcommand{"alert-test",
               "  moravel-tool alert-test --usage FILE [--processes FILE] [--percent P]\n"
               "                          [--seconds S]\n"
               "      Runs the alert on a sustained load (default 90 % for 30 s) over recorded\n"
               "      ticks: one usage per line, \"USAGE +N\" for a tick N seconds after the one\n"
               "      before (default 1). Process samples are lines \"SECONDS PID START\n"
               "      CPU-SECONDS NAME\". Prints each alert: the second, its title and the\n"
               "      processes named, one per line.\n",
               RunAlertTestCommand},
#ifdef MORAVEL_TOOL_RENDER
    Subcommand{"render",
               "  moravel-tool render --history FILE [--theme FILE] [--themes-dir DIR]\n"
               "                      [--size WxH] [--history-size N] [--out FILE.png]\n"
               "                      [--icon-mode 1|2|3|4 --icon-out FILE.png]\n"
               "                      [--view total|processors]\n"
               "      Draws the window graph of a history file (TestData.dat: one usage in\n"
               "      percent per CR LF line) in a theme (default: the built-in theme; a\n"
               "      missing file draws it too) as the window's first frame, and writes its\n"
               "      inner area, WxH (default 298x98), to --out. Images and Pattern.dat come\n"
               "      from --themes-dir (default: the program's Themes folder); the history has\n"
               "      N slots (default 1920). --icon-mode draws the tray-icon picture (1 graph,\n"
               "      2 meter 1, 3 meter 2 in its 16x16 frame; 4 the newest usage as a number),\n"
               "      written with transparency to --icon-out. --view processors draws each\n"
               "      processor in a band of its own from a history of sample --per-processor\n"
               "      (the total first on each line); a history of totals alone draws the total.\n"
               "      Runs without a display.\n",
               RunRenderCommand},
#endif
};

void PrintHelp() {
    std::printf(
        "Usage: moravel-tool SUBCOMMAND [OPTIONS]\n"
        "\n"
        "Subcommands:\n");
    for (const Subcommand& command : kSubcommands) {
        std::printf("%s\n", command.help);
    }
    std::printf(
        "Files are written in CP932 with CR LF lines, exactly as the program writes them.\n"
        "Exit status: 0 done, 1 failed, 2 wrong arguments.\n");
}

// The command line's words in UTF-8, the program's name first. On Windows `argv` is in the ANSI
// code page, where a file name with a character outside it arrives as question marks: the words
// come from the system's UTF-16 command line instead.
std::vector<std::string> CommandLineWords(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count); wide != nullptr) {
        std::vector<std::string> words;
        for (int i = 0; i < count; ++i) {
            words.push_back(moravel::WideToUtf8(wide[i]));
        }
        LocalFree(wide);
        return words;
    }
#endif
    return std::vector<std::string>(argv, argv + argc);
}

}  // namespace
}  // namespace moravel::tool

int main(int argc, char** argv) {
    using namespace moravel::tool;
    const std::vector<std::string> words = CommandLineWords(argc, argv);
    if (words.size() < 2) {
        return UsageError("no subcommand given");
    }
    const std::string& name = words[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp();
        return kExitOk;
    }
    const std::vector<std::string> args(words.begin() + 2, words.end());
    for (const Subcommand& command : kSubcommands) {
        if (name == command.name) {
            if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
                std::printf("%s", command.help);
                return kExitOk;
            }
            return command.run(args);
        }
    }
    return UsageError("unknown subcommand '" + name + "'");
}
