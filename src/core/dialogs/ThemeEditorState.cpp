#include "core/dialogs/ThemeEditorState.h"

#include <algorithm>

#include "core/app/Texts.h"
#include "core/base/Strings.h"
#include "core/config/ThemeCatalogue.h"
#include "core/dialogs/ThemeFileFlows.h"
#include "core/os/Encoding.h"
#include "core/os/Paths.h"
#include "core/os/TextFile.h"
#include "core/render/FontEngine.h"
#include "core/render/ImageLoader.h"

namespace moravel {
namespace {

constexpr std::array<std::string_view, 9> kTextPositionNames = {
    "左上", "上", "右上", "左", "中央", "右", "左下", "下", "右下"};

// "（なし）" leads, as a sorted list puts symbols before names; file names follow without regard
// to the case of ASCII letters.
bool ListOrder(const ImageListEntry& a, const ImageListEntry& b) {
    if ((a.itemData < 0) != (b.itemData < 0)) {
        return a.itemData < 0;
    }
    const std::string la = ToLowerAscii(a.text);
    const std::string lb = ToLowerAscii(b.text);
    return la != lb ? la < lb : a.text < b.text;
}

// The option buttons are numbered as the codes they stand for: the record's codes become button
// numbers here, and back, and nowhere else.
template <class Code>
std::int32_t OptionOf(Code code) {
    return static_cast<std::int32_t>(code);
}

template <class Code>
Code CodeOf(const OptionButtons& options) {
    return static_cast<Code>(options.Value());
}

}  // namespace

std::int32_t OptionButtons::Value() const {
    return selected_ >= 0 ? selected_ : 0;
}

void OptionButtons::Select(std::int32_t index) {
    selected_ = index >= 0 && index < count_ ? index : 0;
}

void ScrollValue::Set(std::int32_t v) {
    value = std::clamp(v, 0, std::max(max, 0));
}

void FillImageList(ImageList& list, std::string_view name) {
    std::vector<std::string> files;
    const std::int32_t count = ListImageFiles(files);
    list.entries.clear();
    list.entries.push_back({std::string(Localised(kNoImageEntry)), -1});
    std::int32_t match = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string& file = files[static_cast<std::size_t>(i)];
        list.entries.push_back({file, i});
        if (CompareFileNames(name, file) == 0) {
            match = i;
        }
    }
    std::stable_sort(list.entries.begin(), list.entries.end(), ListOrder);
    list.selected = -1;
    for (std::size_t k = 0; k < list.entries.size(); ++k) {
        if (list.entries[k].itemData == match) {
            list.selected = static_cast<std::int32_t>(k);
            break;
        }
    }
}

std::string GetImageName(const ImageList& list) {
    if (list.selected < 0 || list.selected >= static_cast<std::int32_t>(list.entries.size())) {
        return {};
    }
    const ImageListEntry& entry = list.entries[static_cast<std::size_t>(list.selected)];
    return entry.itemData >= 0 ? entry.text : std::string();
}

std::string PatternCounterText(const ScrollValue& scroll) {
    return std::to_string(static_cast<std::int64_t>(scroll.value) + 1) + "/" +
           std::to_string(static_cast<std::int64_t>(scroll.max) + 1);
}

std::string WithoutAccessKey(std::string_view caption) {
    std::string text(caption);
    if (const std::size_t key = text.find("(&");
        key != std::string::npos && key + 4 == text.size()) {
        text.erase(key);  // "(&U)" closes a Japanese caption
    }
    std::erase(text, '&');
    return text;
}

std::string SwatchName(std::string_view caption, std::int32_t colour) {
    const Colour c = ResolveColour(static_cast<Colour>(colour));
    return WithoutAccessKey(caption) + " RGB(" + std::to_string(RedOf(c)) + ", " +
           std::to_string(GreenOf(c)) + ", " + std::to_string(BlueOf(c)) + ")";
}

std::string PatternPreviewName(const ScrollValue& scroll) {
    return LocalisedWith("パターン %1", {PatternCounterText(scroll)});
}

std::string FontSampleName(const FontRecord& font) {
    return LocalisedWith("%1 %2 ポイント", {font.Name, FormatReal(font.Size)});
}

std::string_view TextPositionName(std::int32_t index) {
    if (index < 0 || index >= static_cast<std::int32_t>(kTextPositionNames.size())) {
        return {};
    }
    return Localised(kTextPositionNames[static_cast<std::size_t>(index)]);
}

SampleText DrawFontSample(Surface& box, FontEngine& fonts, const FontRecord& font,
                          std::string_view prefix, std::string_view suffix) {
    box.Clear();
    const FontSpec defaults;
    box.SetFontFace(fonts, defaults.face);
    box.SetFontSize(defaults.points);
    box.SetFontSize(font.Size);
    box.SetFontFace(fonts, font.Name);
    box.SetFontBold((font.Style & kFontBold) != 0);
    box.SetFontItalic((font.Style & kFontItalic) != 0);
    box.SetFontStrikeOut((font.Style & kFontStrikeOut) != 0);
    box.SetFontUnderline((font.Style & kFontUnderline) != 0);

    SampleText sample;
    sample.text.append(prefix).append("100").append(suffix);
    const double w = RoundHalfEven(box.TextWidth(fonts, sample.text));
    const double h = RoundHalfEven(box.TextHeight(fonts, sample.text));
    sample.x = static_cast<std::int32_t>(RoundHalfEven((box.Width() - w) * 0.5));
    sample.y = static_cast<std::int32_t>(RoundHalfEven((box.Height() - h) * 0.5));
    box.DrawText(fonts, sample.x, sample.y, sample.text, kSampleTextColour);
    return sample;
}

void DrawPatternPreview(Surface& box, const Surface& strip, std::int32_t number) {
    if (number < 0 || number >= strip.Width() || strip.Height() <= 0) {
        box.Clear();
        return;
    }
    box.StretchBlt(0, 0, box.Width(), box.Height(), strip, number, 0, 1, strip.Height());
}

ThemeEditorState::ThemeEditorState(FontEngine& fonts, ImageLoader& images, std::int32_t pixelScale)
    : picForeNo(kPatternPreviewWidth * std::max(pixelScale, 1),
                kPatternPreviewHeight * std::max(pixelScale, 1)),
      picBackNo(kPatternPreviewWidth * std::max(pixelScale, 1),
                kPatternPreviewHeight * std::max(pixelScale, 1)),
      picTextFont(kFontSampleWidth * std::max(pixelScale, 1),
                  kFontSampleHeight * std::max(pixelScale, 1)),
      fonts_(fonts),
      images_(images) {
    for (Surface* box : {&picForeNo, &picBackNo, &picTextFont}) {
        box->SetBackColor(kSampleBackColour);
        box->Clear();
    }
    picPattern_.Release();
}

void ThemeEditorState::Begin(const ThemeRecord& theme) {
    EditResult = -1;
    WorkTheme = theme;
}

void ThemeEditorState::Load() {
    SelectPage(0);
    LoadPatternStrip();
    WriteControls(WorkTheme);
}

void ThemeEditorState::LoadPatternStrip() {
    patternCount_ = 0;
    const std::string path = PatternFilePath();
    if (IsFile(path) && images_.Load(path, picPattern_) == ImageLoadStatus::Ok) {
        patternCount_ = picPattern_.Width();
    }
    if (patternCount_ >= 1) {
        hscForeNo.max = patternCount_ - 1;
        hscBackNo.max = patternCount_ - 1;
    } else {
        patternCount_ = 0;
        picPattern_.Release();
    }
}

void ThemeEditorState::WriteControls(const ThemeRecord& theme) {
    txtTitle = theme.Title;
    FillImageList(cboForeName, theme.ForeName);
    FillImageList(cboBackName, theme.BackName);

    SelectForeType(OptionOf(theme.ForeType));
    SetForeEdge(theme.ForeEdge == 1);
    lblForeColor = {theme.ForeColor1, theme.ForeColor2, theme.ForeColor3};
    chkForePosition = theme.ForePosition == 1;
    if (PatternChoicesEnabled()) {
        SetForePattern(theme.ForeNo);
    }

    SelectBackType(OptionOf(theme.BackType));
    lblBackColor = theme.BackColor;
    if (PatternChoicesEnabled()) {
        SetBackPattern(theme.BackNo);
    }

    SelectTextType(OptionOf(theme.TextType));
    SelectTextPosition(OptionOf(theme.TextPosition));
    lblTextColor = {theme.TextColor1, theme.TextColor2, theme.TextColor3};
    txtTextPrefix = theme.TextPrefix;
    txtTextSuffix = theme.TextSuffix;

    SelectHLineType(OptionOf(theme.GraphHType));
    optGraphHLineType.Select(OptionOf(theme.GraphHLineType));
    lblGraphHColor = {theme.GraphHColor1, theme.GraphHColor2, theme.GraphHColor3};
    optGraphHLineMode.Select(OptionOf(theme.GraphHLineMode));

    SelectVLineType(OptionOf(theme.GraphVType));
    optGraphVLineType.Select(OptionOf(theme.GraphVLineType));
    lblGraphVColor = {theme.GraphVColor1, theme.GraphVColor2, theme.GraphVColor3};
    optGraphVLineMode.Select(OptionOf(theme.GraphVLineMode));

    SetForePattern(hscForeNo.value);
    SetBackPattern(hscBackNo.value);
    DrawSample();
}

void ThemeEditorState::ReadControls(ThemeRecord& theme) const {
    theme.Title = std::string(TrimSpaces(txtTitle));

    theme.ForeType = CodeOf<ForeKind>(optForeType);
    theme.ForeEdge = chkForeEdge ? 1 : 0;
    theme.ForeColor1 = lblForeColor[0];
    theme.ForeColor2 = lblForeColor[1];
    theme.ForeColor3 = lblForeColor[2];
    theme.ForeNo = hscForeNo.value;
    theme.ForeName = GetImageName(cboForeName);
    theme.ForePosition = chkForePosition ? 1 : 0;

    theme.BackType = CodeOf<BackKind>(optBackType);
    theme.BackColor = lblBackColor;
    theme.BackNo = hscBackNo.value;
    theme.BackName = GetImageName(cboBackName);

    theme.TextType = CodeOf<TextKind>(optTextType);
    theme.TextPosition = CodeOf<TextPlace>(optTextPosition);
    theme.TextColor1 = lblTextColor[0];
    theme.TextColor2 = lblTextColor[1];
    theme.TextColor3 = lblTextColor[2];
    theme.TextPrefix = txtTextPrefix;
    theme.TextSuffix = txtTextSuffix;

    theme.GraphHType = CodeOf<HGridLines>(optGraphHType);
    theme.GraphHLineType = CodeOf<LinePen>(optGraphHLineType);
    theme.GraphHLineMode = CodeOf<LineMode>(optGraphHLineMode);
    theme.GraphHColor1 = lblGraphHColor[0];
    theme.GraphHColor2 = lblGraphHColor[1];
    theme.GraphHColor3 = lblGraphHColor[2];

    theme.GraphVType = CodeOf<VGridLines>(optGraphVType);
    theme.GraphVLineType = CodeOf<LinePen>(optGraphVLineType);
    theme.GraphVLineMode = CodeOf<LineMode>(optGraphVLineMode);
    theme.GraphVColor1 = lblGraphVColor[0];
    theme.GraphVColor2 = lblGraphVColor[1];
    theme.GraphVColor3 = lblGraphVColor[2];
}

void ThemeEditorState::Accept() {
    CommitControls();
    EditResult = 0;
}

bool ThemeEditorState::Accept(MessagePrompt& prompt) {
    ThemeRecord edited = WorkTheme;
    ReadControls(edited);
    const std::string texts = edited.Title + edited.TextPrefix + edited.TextSuffix +
                              edited.TextFont.Name + edited.ForeName + edited.BackName;
    if (const std::string outside = CharactersOutsideCodePage(texts); !outside.empty()) {
        prompt.Show(UnsavableCharactersMessage(outside, false));
        return false;
    }
    Accept();
    return true;
}

void ThemeEditorState::SelectPage(std::int32_t index) {
    optPage.Select(index);
}

void ThemeEditorState::SelectForeType(std::int32_t index) {
    optForeType.Select(index);
    UpdateGraphPage();
}

void ThemeEditorState::SetForeEdge(bool ticked) {
    chkForeEdge = ticked;
    UpdateGraphPage();
}

void ThemeEditorState::SelectBackType(std::int32_t index) {
    optBackType.Select(index);
    UpdateBackPage();
}

void ThemeEditorState::SelectTextType(std::int32_t index) {
    optTextType.Select(index);
    UpdateTextPage();
}

void ThemeEditorState::SelectTextPosition(std::int32_t index) {
    optTextPosition.Select(index);
    lblTextPosition = std::string(TextPositionName(optTextPosition.Value()));
}

void ThemeEditorState::SelectVLineType(std::int32_t index) {
    optGraphVType.Select(index);
    UpdateVLinePage();
}

void ThemeEditorState::SelectHLineType(std::int32_t index) {
    optGraphHType.Select(index);
    UpdateHLinePage();
}

void ThemeEditorState::SetForePattern(std::int32_t value) {
    hscForeNo.Set(value);
    lblForeNo = PatternCounterText(hscForeNo);
    DrawPatternPreview(picForeNo, picPattern_, hscForeNo.value);
}

void ThemeEditorState::SetBackPattern(std::int32_t value) {
    hscBackNo.Set(value);
    lblBackNo = PatternCounterText(hscBackNo);
    DrawPatternPreview(picBackNo, picPattern_, hscBackNo.value);
}

void ThemeEditorState::SetTextPrefix(std::string_view text) {
    txtTextPrefix = text;
    DrawSample();
}

void ThemeEditorState::SetTextSuffix(std::string_view text) {
    txtTextSuffix = text;
    DrawSample();
}

void ThemeEditorState::TakeColour(std::int32_t& swatch, std::int32_t chosen) {
    if (chosen >= 0) {
        swatch = chosen;
    }
}

void ThemeEditorState::TextFontChanged() {
    DrawSample();
}

void ThemeEditorState::DrawSample() {
    sample = DrawFontSample(picTextFont, fonts_, WorkTheme.TextFont, txtTextPrefix, txtTextSuffix);
}

void ThemeEditorState::UpdateGraphPage() {
    const ForeKind t = CodeOf<ForeKind>(optForeType);
    graphPage.lineColours = t == ForeKind::Line || chkForeEdge;
    graphPage.graphColour = t == ForeKind::Filled;
    graphPage.pattern = t == ForeKind::Pattern;
    graphPage.fileName = t == ForeKind::Image;
    graphPage.edge = t != ForeKind::Line;
    graphPage.stretch = t == ForeKind::Pattern || t == ForeKind::Image;
}

void ThemeEditorState::UpdateBackPage() {
    const BackKind t = CodeOf<BackKind>(optBackType);
    backPage.colour = t == BackKind::Plain;
    backPage.pattern = t == BackKind::Pattern;
    backPage.fileName = t == BackKind::Image;
}

void ThemeEditorState::UpdateTextPage() {
    const TextKind t = CodeOf<TextKind>(optTextType);
    textPage.text = t == TextKind::Shown || t == TextKind::Edged;
    textPage.edgeColours = t == TextKind::Edged;
}

void ThemeEditorState::UpdateVLinePage() {
    const VGridLines t = CodeOf<VGridLines>(optGraphVType);
    const bool drawn = t != VGridLines::None;  // the group holds the four named kinds only
    vLinePage.colours = {t == VGridLines::EveryMinute,
                         t == VGridLines::EveryMinute || t == VGridLines::Every5Minutes, drawn};
    vLinePage.lineKind = drawn;
}

void ThemeEditorState::UpdateHLinePage() {
    const HGridLines t = CodeOf<HGridLines>(optGraphHType);
    hLinePage.colours = {t == HGridLines::Every10,
                         t == HGridLines::Every10 || t == HGridLines::Every20,
                         t == HGridLines::Every10 || t == HGridLines::At50};
    hLinePage.lineKind = t != HGridLines::None;  // the group holds the four named kinds only
}

}  // namespace moravel
