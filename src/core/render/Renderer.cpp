// Renderer: construction, the whole rebuild, theme pictures, layout and the tone column table.
#include "core/render/Renderer.h"

#include <algorithm>
#include <utility>

#include "core/render/IconFrame.h"

namespace moravel {

namespace {

constexpr Colour kBlack = 0x000000;

}  // namespace

Renderer::Renderer(FontEngine& fonts, ImageLoader& images, ThemeFolders themeFolders,
                   const ThemeRecord& theme, const SettingsRecord& settings)
    : fonts_(fonts),
      images_(images),
      themeFolders_(std::move(themeFolders)),
      givenTheme_(theme),
      settings_(settings),
      theme_(theme) {
    PaintIconFrame(picIconGraph[0], 0);
    PaintIconFrame(picIconGraph[1], 1);
}

void Renderer::SetHistory(const HistoryView& history) {
    history_ = history;
    ToneColumn.assign(static_cast<std::size_t>(history_.Empty() ? 0 : history_.count), 0);
    DropFrameRecords();
}

void Renderer::Rebuild(std::int32_t clientWidth, std::int32_t clientHeight) {
    LoadThemePictures();
    SetClientSize(clientWidth, clientHeight);
    LayoutPictures();
    GraphReady = false;
    IconReady = false;
    DrawGraph();
    DrawIconGraph(picIcon);
}

void Renderer::SetClientSize(std::int32_t width, std::int32_t height) {
    // Kept at 0 or more, so that a laid-out graph always matches the client area it was fitted to.
    clientWidth_ = std::max(width, 0);
    clientHeight_ = std::max(height, 0);
}

bool Renderer::IsSimpleBack() const {
    return theme_.BackType == BackKind::Plain &&
           (theme_.GraphHType == HGridLines::None ||
            theme_.GraphHLineMode == LineMode::OverGraph) &&
           (theme_.GraphVType == VGridLines::None || theme_.GraphVLineMode == LineMode::OverGraph);
}

std::string Renderer::ImagePath(std::string_view name) const {
    return FindThemeFile(themeFolders_, name);
}

std::string Renderer::PatternPath() const {
    return FindThemeFile(themeFolders_, kPatternFileName);
}

bool Renderer::LoadPicture(const std::string& name, Surface& target) {
    // An empty name would name the folder itself: never a picture.
    if (name.empty()) {
        return false;
    }
    return images_.Load(ImagePath(name), target) == ImageLoadStatus::Ok;
}

void Renderer::LoadThemePictures() {
    // The theme of now, drawn until the next load: a changed record never meets pictures loaded
    // for another theme.
    theme_ = givenTheme_;
    usesFallback_ = false;
    const bool simple = IsSimpleBack();

    // The frame pictures are fixed; painting them again picks up a changed button-face colour.
    PaintIconFrame(picIconGraph[0], 0);
    PaintIconFrame(picIconGraph[1], 1);
    picIconNumber.Resize(kIconFrameSize, kIconFrameSize);
    SizeIconSurfaces();

    bool loaded = LoadToneSource();
    if (loaded) {
        loaded = ApplyBackground(simple);
    }
    if (loaded) {
        ApplyFont();
    } else {
        UseFallbackTheme();
    }
    // The texts of the values are made here, where memory may be taken; rebuild frames only
    // refill them.
    RebuildTexts();
    ResetToneColumns();
    DropFrameRecords();
}

void Renderer::SizeIconSurfaces() {
    // Icon work surface: the inner area of the style's frame picture.
    switch (settings_.IconGraphMode) {
        case TrayIconMode::Graph:
            picIcon.Resize(picIconGraph[0].Width() - 2, picIconGraph[0].Height() - 4);
            break;
        case TrayIconMode::Meter1:
        case TrayIconMode::Meter2:
            picIcon.Resize(picIconGraph[1].Width() - 4, picIconGraph[1].Height() - 2);
            break;
        default:
            break;
    }
    picIconBoard.Resize(picIcon.Width(), picIcon.Height());
    picIconMask.Resize(picIcon.Width(), picIcon.Height());
    picIconBack.Resize(picIcon.Width(), picIcon.Height());
    picIconTone.Resize(picReadTone.Width(), picIcon.Height());
}

bool Renderer::LoadToneSource() {
    switch (theme_.ForeType) {
        case ForeKind::Line:
        case ForeKind::Filled:
            picTone.SetBackColor(static_cast<Colour>(theme_.ForeColor3));
            picIconTone.SetBackColor(static_cast<Colour>(theme_.ForeColor3));
            return true;
        case ForeKind::Pattern:
            CutPattern(picReadTone, theme_.ForeNo);
            return true;
        case ForeKind::Image:
            return LoadPicture(theme_.ForeName, picReadTone);
        default:
            return true;
    }
}

void Renderer::UseFallbackTheme() {
    // A theme picture that cannot be had: a green line graph on black. The drawn copy changes,
    // so every frame until the next load draws the fallback; the given theme stays as it is.
    usesFallback_ = true;
    theme_.ForeType = ForeKind::Line;
    theme_.ForeEdge = 0;
    theme_.ForeColor1 = 0x00FF00;
    theme_.ForeColor2 = 0x00FF00;
    theme_.ForeColor3 = 0x00FF00;
    theme_.BackType = BackKind::Plain;
    theme_.BackColor = 0x000000;
    // The fallback's own background, so no colour or picture of the failed theme is left
    // behind in the layers (a plain colour never fails).
    ApplyBackground(IsSimpleBack());
}

bool Renderer::ApplyBackground(bool simple) {
    switch (theme_.BackType) {
        case BackKind::Plain:
            if (simple) {
                picBack.SetBackColor(static_cast<Colour>(theme_.BackColor));
                picIconBack.SetBackColor(static_cast<Colour>(theme_.BackColor));
            } else {
                picBack.SetBackColor(kBlack);
                picIconBack.SetBackColor(kBlack);
                // A plain BackColor picture of one pixel, stretched over any board.
                picReadBoard.SetBackColor(static_cast<Colour>(theme_.BackColor));
                picReadBoard.Release();  // 1 x 1 in that colour, and nothing more kept
            }
            return true;
        case BackKind::Pattern:
            picBack.SetBackColor(kBlack);
            picIconBack.SetBackColor(kBlack);
            CutPattern(picReadBoard, theme_.BackNo);
            return true;
        case BackKind::Image:
            picBack.SetBackColor(kBlack);
            picIconBack.SetBackColor(kBlack);
            return LoadPicture(theme_.BackName, picReadBoard);
        default:
            return true;
    }
}

void Renderer::ApplyFont() {
    // Each assignment stands alone: one that fails leaves that part of the font as it was.
    const FontRecord& font = theme_.TextFont;
    picGraph.SetFontSize(font.Size);
    picGraph.SetFontFace(fonts_, font.Name);
    picGraph.SetFontBold((font.Style & kFontBold) != 0);
    picGraph.SetFontItalic((font.Style & kFontItalic) != 0);
    picGraph.SetFontUnderline((font.Style & kFontUnderline) != 0);
    picGraph.SetFontStrikeOut((font.Style & kFontStrikeOut) != 0);
}

void Renderer::CutPattern(Surface& target, std::int32_t number) {
    const bool loaded = images_.Load(PatternPath(), picPattern) == ImageLoadStatus::Ok;
    if (loaded && number >= 0 && number < picPattern.Width()) {
        const std::int32_t h = picPattern.Height();
        target.Resize(1, h);
        target.BitBlt(0, 0, 1, h, picPattern, number, 0, RasterOp::SrcCopy);
    } else {
        // No strip, or no such pattern: the target keeps its size and shows its background.
        target.Clear();
    }
    picPattern.Release();
}

void Renderer::ResetToneColumns() {
    const std::int32_t t = picReadTone.Width();
    const std::int32_t n = static_cast<std::int32_t>(ToneColumn.size());
    for (std::int32_t i = 0; i < n; ++i) {
        // A source of width 0 has no column to show; 0 keeps every copy from it harmless.
        ToneColumn[static_cast<std::size_t>(i)] = t > 0 ? t - 1 - (i % t) : 0;
    }
}

void Renderer::LayoutPictures() {
    graphOuterWidth_ = clientWidth_;
    graphOuterHeight_ = clientHeight_;
    // The one-pixel border takes one pixel on each side.
    picGraph.Resize(graphOuterWidth_ - 2, graphOuterHeight_ - 2);
    picBoard.Resize(picGraph.Width(), picGraph.Height());
    picMask.Resize(picGraph.Width(), picGraph.Height());
    picBack.Resize(picGraph.Width(), picGraph.Height());
    picTone.Resize(picReadTone.Width(), picGraph.Height());
    picIconTone.Resize(picReadTone.Width(), picIcon.Height());
    DropFrameRecords();
    ReserveGridRecord();
}

}  // namespace moravel
