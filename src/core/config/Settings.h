// The program's own settings and the settings file "Moravel.ini" beside the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace moravel {

struct SettingsRecord {
    std::string Version;
    std::int32_t Cycle = 0;
    std::int32_t IconGraphMode = 0;
    std::int32_t State = 0;
    std::int32_t TopMost = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::string ThemeName;

    bool operator==(const SettingsRecord&) const = default;
};

inline constexpr std::string_view kSettingsFileName = "Moravel.ini";
inline constexpr std::string_view kDefaultThemeName = "graph.tm";

void SetDefaultSettings(SettingsRecord& record);

// The three numbers in decimal joined by ".".
std::string FormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision);

// Applies the "[Settings]" keys of `text` to `record`.
void ParseSettingsText(std::string_view text, SettingsRecord& record);
// The file's text for `record`, lines in their fixed order.
std::string FormatSettingsText(const SettingsRecord& record);

// Defaults, then the file at `path`. A missing, unreadable or oversized file leaves the defaults.
void LoadSettingsFile(SettingsRecord& record, const std::string& path);
// Stamps the program version into `record` and replaces the file. Returns the bytes written or -1.
std::int32_t SaveSettingsFile(SettingsRecord& record, const std::string& path);

std::string SettingsFilePath();  // ProgramFolder() + "Moravel.ini"
void LoadSettings(SettingsRecord& record);
void SaveSettings(SettingsRecord& record);

}  // namespace moravel
