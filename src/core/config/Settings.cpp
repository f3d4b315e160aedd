#include "core/config/Settings.h"

#include <array>

#include "core/config/KeyValueFile.h"
#include "core/os/ProgramFolder.h"
#include "core/os/TextFile.h"

namespace moravel {
namespace {

using R = SettingsRecord;
using K = FieldKind;

// The file's keys in the order they are written.
constexpr std::array<FieldSpec<R>, 15> kFields = {
    TextField<R>("Version", K::Text, [](R& r) -> std::string& { return r.Version; }),
    NumberField<R>("Top", K::Integer, [](R& r) -> std::int32_t& { return r.Top; }),
    NumberField<R>("Left", K::Integer, [](R& r) -> std::int32_t& { return r.Left; }),
    NumberField<R>("Width", K::Integer, [](R& r) -> std::int32_t& { return r.Width; }),
    NumberField<R>("Height", K::Integer, [](R& r) -> std::int32_t& { return r.Height; }),
    CodeField<&R::TopMost>("TopMost"),
    CodeField<&R::State>("State"),
    NumberField<R>("Cycle", K::Integer, [](R& r) -> std::int32_t& { return r.Cycle; }),
    CodeField<&R::IconGraphMode>("IconGraphMode"),
    TextField<R>("ThemeName", K::QuotedText, [](R& r) -> std::string& { return r.ThemeName; }),
    LaterCodeField<&R::CpuFigure>("CpuFigure"),
    LaterCodeField<&R::CpuView>("CpuView"),
    LaterNumberField<&R::AlertPercent>("AlertPercent", 0),
    LaterNumberField<&R::AlertSeconds>("AlertSeconds", kDefaultAlertSeconds),
    LaterTextField<R>("Language", [](R& r) -> std::string& { return r.Language; }),
};

constexpr std::string_view kSectionLine = "[Settings]";

}  // namespace

void SetDefaultSettings(SettingsRecord& record) {
    record = SettingsRecord{};
    record.Cycle = 1;
    record.Width = -1;
    record.Height = -1;
    record.ThemeName = std::string(kDefaultThemeName);
}

std::string FormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision) {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

std::string FormatVersion(const ProgramVersion& version) {
    return FormatVersion(version.Major, version.Minor, version.Revision);
}

void ParseSettingsText(std::string_view text, SettingsRecord& record) {
    ParseRecord<R>(text, "[settings]", kFields, record);
}

std::string FormatSettingsText(const SettingsRecord& record) {
    return FormatRecord<R>(kSectionLine, kFields, record);
}

std::string SettingsFilePath() {
    return ProgramFolder() + std::string(kSettingsFileName);
}

void LoadSettings(SettingsRecord& record, const std::string& path) {
    SetDefaultSettings(record);
    ParseSettingsText(ReadTextFile(path, "", kMaxConfigFileBytes), record);
}

std::int32_t SaveSettings(SettingsRecord& record, const std::string& path,
                          const ProgramVersion& version) {
    record.Version = FormatVersion(version);
    return WriteTextFile(path, FormatSettingsText(record));
}

}  // namespace moravel
