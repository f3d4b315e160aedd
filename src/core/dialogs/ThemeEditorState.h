// The theme editor's logic: the value of every control on its five pages, the rules that grey
// out what the chosen style does not use, the image-file lists, the pattern previews and the font
// sample. The Qt dialog shows this state and forwards the user's actions to its handlers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/Help.h"
#include "core/config/Theme.h"
#include "core/dialogs/Prompts.h"
#include "core/render/Colour.h"
#include "core/render/Surface.h"

namespace moravel {

class FontEngine;
class ImageLoader;

inline constexpr std::string_view kThemeEditorCaption = "テーマファイルの編集";
// The image lists' entry for "no image".
inline constexpr std::string_view kNoImageEntry = "（なし）";

// Sizes in pixels of the pattern previews and of the font sample.
inline constexpr std::int32_t kPatternPreviewWidth = 48;
inline constexpr std::int32_t kPatternPreviewHeight = 48;
inline constexpr std::int32_t kFontSampleWidth = 240;
inline constexpr std::int32_t kFontSampleHeight = 64;
// The pictures' colours: the button face behind, the button text for the sample.
inline constexpr Colour kSampleBackColour = kButtonFaceColour;
inline constexpr Colour kSampleTextColour = 0x80000012u;

// Help topics of the editor's controls.
namespace ThemeEditorHelp {
inline constexpr HelpContext Title{2001};
inline constexpr HelpContext Pages{2002};
inline constexpr HelpContext Ok{2003};
inline constexpr HelpContext Cancel{2004};
inline constexpr HelpContext ForeType{2101};
inline constexpr HelpContext ForeLineColours{2102};
inline constexpr HelpContext ForeGraphColour{2103};
inline constexpr HelpContext ForeNo{2104};
inline constexpr HelpContext ForeName{2105};
inline constexpr HelpContext ForeEdge{2106};
inline constexpr HelpContext ForePosition{2107};
inline constexpr HelpContext BackType{2201};
inline constexpr HelpContext BackColour{2202};
inline constexpr HelpContext BackNo{2203};
inline constexpr HelpContext BackName{2204};
inline constexpr HelpContext TextType{2301};
inline constexpr HelpContext TextColour{2302};
inline constexpr HelpContext TextEdgeColours{2303};
inline constexpr HelpContext TextPosition{2304};
inline constexpr HelpContext TextFont{2305};
inline constexpr HelpContext TextAdditional{2306};
inline constexpr HelpContext HLineType{2401};
inline constexpr HelpContext HLineColours{2402};
inline constexpr HelpContext HLineKind{2403};
inline constexpr HelpContext HLineMode{2404};
inline constexpr HelpContext VLineType{2501};
inline constexpr HelpContext VLineColours{2502};
inline constexpr HelpContext VLineKind{2503};
inline constexpr HelpContext VLineMode{2504};
}  // namespace ThemeEditorHelp

// The topics of a line page's four groups: kinds, colours, pens and drawing methods.
struct LinePageHelp {
    HelpContext type;
    HelpContext colours;
    HelpContext lineKind;
    HelpContext lineMode;
};
constexpr LinePageHelp LinePageHelpOf(bool vertical) {
    namespace h = ThemeEditorHelp;
    return vertical ? LinePageHelp{h::VLineType, h::VLineColours, h::VLineKind, h::VLineMode}
                    : LinePageHelp{h::HLineType, h::HLineColours, h::HLineKind, h::HLineMode};
}

// A group of option buttons of which at most one is on.
class OptionButtons {
  public:
    explicit OptionButtons(std::int32_t count) : count_(count) {}

    // The button that is on, or -1 when none is.
    std::int32_t Selected() const { return selected_; }
    // The index a record stores: the button that is on, 0 when none is.
    std::int32_t Value() const;
    // Turns button `index` on; an index outside the group turns button 0 on.
    void Select(std::int32_t index);

  private:
    std::int32_t count_;
    std::int32_t selected_ = -1;
};

// A horizontal scroll bar from 0 to `max`.
struct ScrollValue {
    std::int32_t value = 0;
    std::int32_t max = 0;

    // Keeps the value within 0..max.
    void Set(std::int32_t v);
};

struct ImageListEntry {
    std::string text;
    std::int32_t itemData = -1;  // index into the folder's image files, -1 for "（なし）"
};

// A sorted list of image names with one selected entry (-1: none).
struct ImageList {
    std::vector<ImageListEntry> entries;
    std::int32_t selected = -1;
};

// Fills `list` with "（なし）" and the image files of the Themes folder, sorted, and selects the
// entry of `name` (the last file that matches it), else "（なし）".
void FillImageList(ImageList& list, std::string_view name);
// The selected file name; "" for "（なし）" or no selection.
std::string GetImageName(const ImageList& list);

// "3/24" for value 2 of a scroll bar whose maximum is 23.
std::string PatternCounterText(const ScrollValue& scroll);

// The names of the nine text positions, "左上" to "右下".
std::string_view TextPositionName(std::int32_t index);

// What the editor's drawn controls tell a screen reader, in the interface's language.
// A caption without its access key: "上向き折線の色" of "上向き折線の色(&U)", "Up" of "&Up".
std::string WithoutAccessKey(std::string_view caption);
// A colour swatch: its caption and its colour, "グラフの色 RGB(0, 128, 0)".
std::string SwatchName(std::string_view caption, std::int32_t colour);
// A pattern preview: "パターン 3/24".
std::string PatternPreviewName(const ScrollValue& scroll);
// The font sample: its face and size, "ＭＳ ゴシック 14 ポイント".
std::string FontSampleName(const FontRecord& font);

// Where the font sample's text goes in its box.
struct SampleText {
    std::string text;  // prefix, "100", suffix
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Draws `prefix` + "100" + `suffix` in `font`, centred in `box`, after clearing it. A face the
// engine cannot provide leaves the default face, a size outside 1..300 points the default size.
SampleText DrawFontSample(Surface& box, FontEngine& fonts, const FontRecord& font,
                          std::string_view prefix, std::string_view suffix);

// Draws pattern `number` of `strip` (its pixel column) stretched over the whole of `box`; an empty
// strip or a number outside it clears the box.
void DrawPatternPreview(Surface& box, const Surface& strip, std::int32_t number);

// Which controls a page's rules leave enabled.
struct GraphPageEnabling {
    bool lineColours = false;  // lblForeColorLbl, cmdForeColor 0 and 1
    bool graphColour = false;  // lblForeColorLbl, cmdForeColor 2
    bool pattern = false;      // lblForeNoLbl, lblForeNo, hscForeNo, picForeNo
    bool fileName = false;     // lblForeName, cboForeName
    bool edge = false;         // chkForeEdge
    bool stretch = false;      // chkForePosition
};
struct BackPageEnabling {
    bool colour = false;    // lblBackColorLbl, cmdBackColor
    bool pattern = false;   // lblBackNoLbl, lblBackNo, hscBackNo, picBackNo
    bool fileName = false;  // lblBackName, cboBackName
};
struct TextPageEnabling {
    bool text = false;         // colour 0, prefix, suffix, font button, position grid
    bool edgeColours = false;  // colours 1 and 2
};
struct LinePageEnabling {
    std::array<bool, 3> colours{};  // caption and button of each colour
    bool lineKind = false;          // line kinds and drawing methods with their captions
};

class ThemeEditorState {
  public:
    // `fonts` draws the sample, `images` loads the pattern strip; both outlive the state. The
    // pictures have `pixelScale` pixels to each pixel of their boxes (2 on a screen of double
    // density, with `fonts` measuring at twice the dots per inch).
    ThemeEditorState(FontEngine& fonts, ImageLoader& images, std::int32_t pixelScale = 1);
    ThemeEditorState(const ThemeEditorState&) = delete;
    ThemeEditorState& operator=(const ThemeEditorState&) = delete;

    // Starts an edit of a copy of `theme`: EditResult is -1 until OK.
    void Begin(const ThemeRecord& theme);
    // The load steps after placing the window: the graph page, the pattern strip (or the two
    // pattern choices off), then the controls from WorkTheme.
    void Load();

    // Loads "Pattern.dat"; without patterns the two pattern choices are disabled.
    void LoadPatternStrip();
    void WriteControls(const ThemeRecord& theme);
    // Stores the controls into `theme`; Version and TextFont stay as they were.
    void ReadControls(ThemeRecord& theme) const;
    void CommitControls() { ReadControls(WorkTheme); }

    // OK: the controls go into WorkTheme and the edit succeeds.
    void Accept();
    // OK as the user presses it: a text the theme file cannot hold is refused with a message
    // naming its characters and the edit goes on (false); otherwise Accept().
    bool Accept(MessagePrompt& prompt);

    void SelectPage(std::int32_t index);
    void SelectForeType(std::int32_t index);
    void SetForeEdge(bool ticked);
    void SetForePosition(bool ticked) { chkForePosition = ticked; }
    void SelectBackType(std::int32_t index);
    void SelectTextType(std::int32_t index);
    void SelectTextPosition(std::int32_t index);
    void SelectVLineType(std::int32_t index);
    void SelectHLineType(std::int32_t index);
    void SetForePattern(std::int32_t value);
    void SetBackPattern(std::int32_t value);
    void SetTextPrefix(std::string_view text);
    void SetTextSuffix(std::string_view text);
    // After a colour dialog: a result of 0 or more becomes the swatch's colour, -1 keeps it.
    static void TakeColour(std::int32_t& swatch, std::int32_t chosen);
    // After the font dialog changed WorkTheme's TextFont.
    void TextFontChanged();

    void UpdateGraphPage();
    void UpdateBackPage();
    void UpdateTextPage();
    void UpdateVLinePage();
    void UpdateHLinePage();

    bool PatternChoicesEnabled() const { return patternCount_ >= 1; }

    ThemeRecord WorkTheme;
    std::int32_t EditResult = -1;

    // The controls, named as on the dialog.
    std::string txtTitle;
    OptionButtons optPage{5};
    OptionButtons optForeType{4};
    bool chkForeEdge = false;
    bool chkForePosition = false;
    std::array<std::int32_t, 3> lblForeColor{};
    ScrollValue hscForeNo;
    std::string lblForeNo;
    ImageList cboForeName;
    OptionButtons optBackType{3};
    std::int32_t lblBackColor = 0;
    ScrollValue hscBackNo;
    std::string lblBackNo;
    ImageList cboBackName;
    OptionButtons optTextType{3};
    std::array<std::int32_t, 3> lblTextColor{};
    std::string txtTextPrefix;
    std::string txtTextSuffix;
    OptionButtons optTextPosition{9};
    std::string lblTextPosition;
    OptionButtons optGraphVType{4};
    std::array<std::int32_t, 3> lblGraphVColor{};
    OptionButtons optGraphVLineType{3};
    OptionButtons optGraphVLineMode{3};
    OptionButtons optGraphHType{4};
    std::array<std::int32_t, 3> lblGraphHColor{};
    OptionButtons optGraphHLineType{3};
    OptionButtons optGraphHLineMode{3};

    GraphPageEnabling graphPage;
    BackPageEnabling backPage;
    TextPageEnabling textPage;
    LinePageEnabling vLinePage;
    LinePageEnabling hLinePage;

    // The pictures the dialog shows.
    Surface picForeNo;
    Surface picBackNo;
    Surface picTextFont;
    SampleText sample;  // where the sample's text was drawn

  private:
    void DrawSample();

    FontEngine& fonts_;
    ImageLoader& images_;
    Surface picPattern_;
    std::int32_t patternCount_ = 0;
};

}  // namespace moravel
