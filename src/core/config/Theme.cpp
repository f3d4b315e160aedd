#include "core/config/Theme.h"

#include <array>

#include "core/config/KeyValueFile.h"
#include "core/config/Settings.h"
#include "core/os/FileSystem.h"
#include "core/os/Paths.h"
#include "core/os/ProgramFolder.h"
#include "core/os/TextFile.h"

namespace moravel {
namespace {

using R = ThemeRecord;
using K = FieldKind;
using Str = std::string&;
using Int = std::int32_t&;

// The file's keys in the order they are written.
constexpr std::array<FieldSpec<R>, 36> kFields = {
    TextField<R>("Version", K::Text, [](R& r) -> Str { return r.Version; }),
    TextField<R>("Title", K::QuotedText, [](R& r) -> Str { return r.Title; }),
    CodeField<&R::GraphHType>("GraphHType"),
    CodeField<&R::GraphHLineType>("GraphHLineType"),
    CodeField<&R::GraphHLineMode>("GraphHLineMode"),
    NumberField<R>("GraphHColor1", K::Color, [](R& r) -> Int { return r.GraphHColor1; }),
    NumberField<R>("GraphHColor2", K::Color, [](R& r) -> Int { return r.GraphHColor2; }),
    NumberField<R>("GraphHColor3", K::Color, [](R& r) -> Int { return r.GraphHColor3; }),
    CodeField<&R::GraphVType>("GraphVType"),
    CodeField<&R::GraphVLineType>("GraphVLineType"),
    CodeField<&R::GraphVLineMode>("GraphVLineMode"),
    NumberField<R>("GraphVColor1", K::Color, [](R& r) -> Int { return r.GraphVColor1; }),
    NumberField<R>("GraphVColor2", K::Color, [](R& r) -> Int { return r.GraphVColor2; }),
    NumberField<R>("GraphVColor3", K::Color, [](R& r) -> Int { return r.GraphVColor3; }),
    CodeField<&R::TextType>("TextType"),
    TextField<R>("TextFont.Name", K::QuotedText, [](R& r) -> Str { return r.TextFont.Name; }),
    RealField<R>("TextFont.Size", [](R& r) -> double& { return r.TextFont.Size; }),
    NumberField<R>("TextFont.Style", K::Integer, [](R& r) -> Int { return r.TextFont.Style; }),
    CodeField<&R::TextPosition>("TextPosition"),
    NumberField<R>("TextColor1", K::Color, [](R& r) -> Int { return r.TextColor1; }),
    NumberField<R>("TextColor2", K::Color, [](R& r) -> Int { return r.TextColor2; }),
    NumberField<R>("TextColor3", K::Color, [](R& r) -> Int { return r.TextColor3; }),
    TextField<R>("TextPrefix", K::QuotedText, [](R& r) -> Str { return r.TextPrefix; }),
    TextField<R>("TextSuffix", K::QuotedText, [](R& r) -> Str { return r.TextSuffix; }),
    CodeField<&R::ForeType>("ForeType"),
    NumberField<R>("ForeEdge", K::Integer, [](R& r) -> Int { return r.ForeEdge; }),
    NumberField<R>("ForeColor1", K::Color, [](R& r) -> Int { return r.ForeColor1; }),
    NumberField<R>("ForeColor2", K::Color, [](R& r) -> Int { return r.ForeColor2; }),
    NumberField<R>("ForeColor3", K::Color, [](R& r) -> Int { return r.ForeColor3; }),
    NumberField<R>("ForeNo", K::Integer, [](R& r) -> Int { return r.ForeNo; }),
    TextField<R>("ForeName", K::QuotedText, [](R& r) -> Str { return r.ForeName; }),
    NumberField<R>("ForePosition", K::Integer, [](R& r) -> Int { return r.ForePosition; }),
    CodeField<&R::BackType>("BackType"),
    NumberField<R>("BackColor", K::Color, [](R& r) -> Int { return r.BackColor; }),
    NumberField<R>("BackNo", K::Integer, [](R& r) -> Int { return r.BackNo; }),
    TextField<R>("BackName", K::QuotedText, [](R& r) -> Str { return r.BackName; }),
};

constexpr std::string_view kSectionLine = "[Theme]";

}  // namespace

void SetDefaultTheme(ThemeRecord& theme) {
    theme = ThemeRecord{};
    theme.Title = "初期値";
    theme.GraphVType = VGridLines::EveryMinute;
    theme.GraphVLineType = LinePen::Dotted;
    theme.GraphHType = HGridLines::Every10;
    theme.GraphHLineType = LinePen::Dotted;
    theme.GraphHLineMode = LineMode::UnderGraph;
    theme.GraphVLineMode = LineMode::UnderGraph;
    theme.GraphVColor1 = 0x007F00;
    theme.GraphVColor2 = 0x007F7F;
    theme.GraphVColor3 = 0xFFFFFF;
    theme.GraphHColor1 = 0x007F00;
    theme.GraphHColor2 = 0x007F7F;
    theme.GraphHColor3 = 0xFFFFFF;
    theme.TextType = TextKind::Edged;
    theme.TextFont = {"ＭＳ ゴシック", 14, 0};
    theme.TextPosition = TextPlace::TopRight;
    theme.TextColor1 = 0x7F7F7F;
    theme.TextColor2 = 0xFFFFFF;
    theme.TextColor3 = 0x000000;
    theme.TextPrefix = "";
    theme.TextSuffix = " %";
    theme.BackType = BackKind::Plain;
    theme.BackColor = 0x000000;
    theme.BackNo = 0;
    theme.BackName = "";
    theme.ForeType = ForeKind::Filled;
    theme.ForeColor1 = 0x00FF00;
    theme.ForeColor2 = 0x00BF00;
    theme.ForeColor3 = 0x007F00;
    theme.ForeNo = 0;
    theme.ForeName = "";
    theme.ForeEdge = 0;
    theme.ForePosition = 0;
}

bool ThemesDiffer(const ThemeRecord& a, const ThemeRecord& b) {
    return !(a == b);
}

bool ParseThemeText(std::string_view text, ThemeRecord& theme) {
    SetDefaultTheme(theme);
    return ParseRecord<R>(text, "[theme]", kFields, theme);
}

std::string FormatThemeText(const ThemeRecord& theme) {
    return FormatRecord<R>(kSectionLine, kFields, theme);
}

std::string ThemesFolder() {
    return ProgramFolder() + "Themes";
}

std::string ShippedThemesFolder() {
    return DataFolder() + "Themes";
}

std::string FindThemeFile(const ThemeFolders& folders, std::string_view name) {
    if (folders.empty()) {
        return {};
    }
    for (std::size_t i = 0; i + 1 < folders.size(); ++i) {
        std::string path = JoinPath(folders[i], name);
        if (IsFile(path)) {
            return path;
        }
    }
    return JoinPath(folders.back(), name);
}

ThemeFolders ProgramThemeFolders() {
    const ProgramFolders folders = CurrentProgramFolders();
    if (folders.user == folders.data) {
        return {folders.user + "Themes"};
    }
    return {folders.user + "Themes", folders.data + "Themes"};
}

std::string ThemeFilePath(std::string_view name) {
    return FindThemeFile(ProgramThemeFolders(), name);
}

std::string PatternFilePath() {
    return ThemeFilePath(kPatternFileName);
}

std::string ThemeReadPath(std::string_view name) {
    if (name.empty()) {
        // "Themes\..\Moravel.tm", with the ".." step resolved: on POSIX it would not resolve
        // through a missing Themes folder.
        return ProgramFolder() + std::string(kCustomThemeFileName);
    }
    return ThemeFilePath(name);
}

std::string ThemeWritePath(std::string_view name) {
    if (ContainsSeparator(name)) {
        return std::string(name);
    }
    if (name.empty()) {
        return ThemeReadPath(name);
    }
    return JoinPath(ThemesFolder(), name);
}

bool LoadThemeFile(ThemeRecord& theme, const std::string& path) {
    return ParseThemeText(ReadTextFile(path, "", kMaxConfigFileBytes), theme);
}

std::int32_t SaveThemeFile(ThemeRecord& theme, const std::string& path,
                           const ProgramVersion& version) {
    theme.Version = FormatVersion(version);
    return WriteTextFile(path, FormatThemeText(theme));
}

bool LoadTheme(ThemeRecord& theme, std::string_view name) {
    return LoadThemeFile(theme, ThemeReadPath(name));
}

std::int32_t SaveTheme(ThemeRecord& theme, std::string_view name, const ProgramVersion& version) {
    const std::string path = ThemeWritePath(name);
    if (!ContainsSeparator(name)) {
        MakeParentFolders(path);  // the user's folder or its Themes, made by the first save
    }
    return SaveThemeFile(theme, path, version);
}

}  // namespace moravel
