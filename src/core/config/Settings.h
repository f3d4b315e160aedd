// The program's own settings and the settings file "Moravel.ini" in the user's folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/cpu/UsageFigure.h"

namespace moravel {

// The codes of the settings file. Each keeps the number the file holds, whatever it is: a value
// no name stands for reads and writes back unchanged, and the rules below say what it means.

// The main window: shown or hidden (only the tray icon left).
enum class WindowState : std::int32_t { Shown = 0, Hidden = 1 };
// Only 1 hides the window; every other value is a shown window, drawn as 0 is.
constexpr bool IsHidden(WindowState state) {
    return state == WindowState::Hidden;
}

// Always on top.
enum class TopMostMode : std::int32_t { Normal = 0, OnTop = 1 };
// Every value but 0 keeps the main window, and the dialogs above it, on top.
constexpr bool KeepsOnTop(TopMostMode mode) {
    return mode != TopMostMode::Normal;
}

// The picture of the tray icon: the program's own, the icon graph in one of three styles, or the
// usage as a number.
enum class TrayIconMode : std::int32_t { Off = 0, Graph = 1, Meter1 = 2, Meter2 = 3, Number = 4 };
// Only the three styles and the number draw the icon; any other value shows the program's own.
constexpr bool ShowsIconGraph(TrayIconMode mode) {
    return mode == TrayIconMode::Graph || mode == TrayIconMode::Meter1 ||
           mode == TrayIconMode::Meter2 || mode == TrayIconMode::Number;
}

// What the window graph shows: the total usage, or each processor in a band of its own.
enum class CpuViewMode : std::int32_t { Total = 0, Processors = 1 };
// Only 1 shows each processor; every other value is the total.
constexpr bool ShowsProcessors(CpuViewMode mode) {
    return mode == CpuViewMode::Processors;
}
inline constexpr std::int32_t kDefaultAlertSeconds = 30;

struct SettingsRecord {
    std::string Version;
    std::int32_t Cycle = 0;
    TrayIconMode IconGraphMode = TrayIconMode::Off;
    WindowState State = WindowState::Shown;
    TopMostMode TopMost = TopMostMode::Normal;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::string ThemeName;
    UsageFigure CpuFigure = UsageFigure::ProcessorTime;  // written only when not 0
    CpuViewMode CpuView = CpuViewMode::Total;            // written only when not 0
    // The alert on a sustained load: at or above AlertPercent (0 or less: no alert) for
    // AlertSeconds. Each written only when not its default.
    std::int32_t AlertPercent = 0;
    std::int32_t AlertSeconds = kDefaultAlertSeconds;
    std::string Language;  // "" the system's, "ja", "en"; written only when not empty

    bool operator==(const SettingsRecord&) const = default;
};

// The program's version: what the writers stamp into the files.
struct ProgramVersion {
    std::int32_t Major;
    std::int32_t Minor;
    std::int32_t Revision;
};

// This release's version, as built.
inline constexpr ProgramVersion kBuildVersion = {MORAVEL_VERSION_MAJOR, MORAVEL_VERSION_MINOR,
                                                 MORAVEL_VERSION_REVISION};

inline constexpr std::string_view kSettingsFileName = "Moravel.ini";
inline constexpr std::string_view kDefaultThemeName = "graph.tm";

void SetDefaultSettings(SettingsRecord& record);

// The three numbers in decimal joined by ".".
std::string FormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision);
std::string FormatVersion(const ProgramVersion& version);

// Applies the "[Settings]" keys of `text` to `record`.
void ParseSettingsText(std::string_view text, SettingsRecord& record);
// The file's text for `record`, lines in their fixed order.
std::string FormatSettingsText(const SettingsRecord& record);

std::string SettingsFilePath();  // ProgramFolder() + "Moravel.ini": the user's folder

// Defaults, then the file at `path`. A missing, unreadable or oversized file leaves the defaults.
void LoadSettings(SettingsRecord& record, const std::string& path);
// Stamps `version` into `record` and replaces the file at `path` with it. Returns the bytes
// written or -1.
std::int32_t SaveSettings(SettingsRecord& record, const std::string& path,
                          const ProgramVersion& version);

}  // namespace moravel
