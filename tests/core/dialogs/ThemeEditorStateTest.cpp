#include <gtest/gtest.h>

#include <filesystem>

#include "core/config/Theme.h"
#include "core/dialogs/ThemeEditorState.h"
#include "core/os/Paths.h"
#include "support/FakeFontEngine.h"
#include "support/FakeImageLoader.h"
#include "support/FakePrompts.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::FakeFontEngine;
using test::FakeImageLoader;
using test::ScopedProgramFolder;
using test::TempFolder;
using test::WriteBytes;

// A theme in which every field differs from the default.
ThemeRecord UnusualTheme() {
    ThemeRecord t;
    SetDefaultTheme(t);
    t.Version = "0.9.0";
    t.Title = "Night";
    t.GraphVType = VGridLines::Every10Minutes;
    t.GraphVLineType = LinePen::Dashed;
    t.GraphVLineMode = LineMode::Merged;
    t.GraphVColor1 = 0x010203;
    t.GraphVColor2 = 0x040506;
    t.GraphVColor3 = 0x070809;
    t.GraphHType = HGridLines::Every20;
    t.GraphHLineType = LinePen::Solid;
    t.GraphHLineMode = LineMode::OverGraph;
    t.GraphHColor1 = 0x111111;
    t.GraphHColor2 = 0x222222;
    t.GraphHColor3 = static_cast<std::int32_t>(0x8000000F);
    t.TextType = TextKind::Shown;
    t.TextFont = {"Fake Sans", 10.5, 5};
    t.TextPosition = TextPlace::Bottom;
    t.TextColor1 = 0x333333;
    t.TextColor2 = 0x444444;
    t.TextColor3 = 0x555555;
    t.TextPrefix = " CPU ";
    t.TextSuffix = "% ";
    t.BackType = BackKind::Image;
    t.BackColor = 0x666666;
    t.BackNo = 4;
    t.BackName = "sky.bmp";
    t.ForeType = ForeKind::Image;
    t.ForeColor1 = 0x777777;
    t.ForeColor2 = 0x888888;
    t.ForeColor3 = 0x999999;
    t.ForeNo = 9;
    t.ForeName = "Tone.JPG";
    t.ForeEdge = 1;
    t.ForePosition = 1;
    return t;
}

// A strip whose column n is the colour n + 1 at the top half and 0x100 * (n + 1) below.
Surface Strip(std::int32_t width) {
    Surface strip(width, 4);
    for (std::int32_t x = 0; x < width; ++x) {
        for (std::int32_t y = 0; y < 4; ++y) {
            strip.SetPixel(x, y, y < 2 ? static_cast<Colour>(x + 1) : 0x100u * (x + 1));
        }
    }
    return strip;
}

class ThemeEditor : public ::testing::Test {
  protected:
    ThemeEditor() : home_(folder_.path()), state_(fonts_, images_) {
        std::filesystem::create_directory(folder_.File("Themes"));
    }
    void AddFile(std::string_view name) { WriteBytes(JoinPath(folder_.File("Themes"), name), "x"); }
    void AddStrip(std::int32_t width) {
        AddFile("Pattern.dat");
        images_.Add(PatternFilePath(), Strip(width));
    }
    void Open(const ThemeRecord& theme) {
        state_.Begin(theme);
        state_.Load();
    }
    ThemeRecord Committed() {
        state_.Accept();
        return state_.WorkTheme;
    }

    TempFolder folder_;
    ScopedProgramFolder home_;
    FakeFontEngine fonts_;
    FakeImageLoader images_;
    ThemeEditorState state_;
};

TEST_F(ThemeEditor, OkWithoutChangesGivesTheThemeBackWithItsTitleTrimmed) {
    AddStrip(24);
    AddFile("sky.bmp");
    AddFile("Tone.JPG");
    ThemeRecord theme = UnusualTheme();
    theme.Title = "  Night  ";
    Open(theme);
    EXPECT_EQ(state_.EditResult, -1);
    const ThemeRecord back = Committed();
    EXPECT_EQ(state_.EditResult, 0);
    ThemeRecord expected = UnusualTheme();
    expected.Title = "Night";
    EXPECT_EQ(back, expected);  // prefix and suffix keep their spaces; Version, font untouched
}

TEST_F(ThemeEditor, ControlsChangedBeforeOkReachTheRecord) {
    AddStrip(24);
    AddFile("sky.bmp");
    ThemeRecord theme;
    SetDefaultTheme(theme);
    Open(theme);
    state_.txtTitle = "Mine";
    state_.SelectForeType(2);
    state_.SetForePattern(17);
    state_.SelectBackType(2);
    state_.cboBackName.selected = 1;  // the one file after "（なし）"
    state_.SelectHLineType(3);
    state_.optGraphHLineMode.Select(2);
    state_.SetTextSuffix("pc");
    ThemeEditorState::TakeColour(state_.lblTextColor[1], 0x123456);
    ThemeEditorState::TakeColour(state_.lblTextColor[2], -1);  // a cancelled colour dialog
    const ThemeRecord back = Committed();
    EXPECT_EQ(back.Title, "Mine");
    EXPECT_EQ(back.ForeType, ForeKind::Pattern);
    EXPECT_EQ(back.ForeNo, 17);
    EXPECT_EQ(back.BackType, BackKind::Image);
    EXPECT_EQ(back.BackName, "sky.bmp");
    EXPECT_EQ(back.GraphHType, HGridLines::At50);
    EXPECT_EQ(back.GraphHLineMode, LineMode::Merged);
    EXPECT_EQ(back.TextSuffix, "pc");
    EXPECT_EQ(back.TextColor2, 0x123456);
    EXPECT_EQ(back.TextColor3, theme.TextColor3);
}

TEST_F(ThemeEditor, OkRefusesTextTheThemeFileCannotHold) {
    ThemeRecord theme;
    SetDefaultTheme(theme);
    Open(theme);
    test::ScriptedMessages messages;
    state_.txtTitle = "Café ☃ é";  // ☃ and é are outside code page 932
    state_.SetTextSuffix(" ％ ☃");
    EXPECT_FALSE(state_.Accept(messages));
    EXPECT_EQ(state_.EditResult, -1);
    EXPECT_EQ(state_.WorkTheme.Title, "初期値");
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text, "次の文字はテーマファイルに保存できません: é ☃");
    EXPECT_EQ(messages.asked[0].icon, MessageIcon::Exclamation);

    state_.txtTitle = "カフェ ～①";  // all of it in the code page, its own extensions included
    state_.SetTextSuffix(" %");
    EXPECT_TRUE(state_.Accept(messages));
    EXPECT_EQ(state_.EditResult, 0);
    EXPECT_EQ(state_.WorkTheme.Title, "カフェ ～①");
    EXPECT_EQ(messages.asked.size(), 1u);
}

TEST(ThemeEditorNames, DrawnControlsNameWhatTheyShow) {
    EXPECT_EQ(WithoutAccessKey("上向き折線の色(&U)"), "上向き折線の色");
    EXPECT_EQ(WithoutAccessKey("&Up line colour"), "Up line colour");
    EXPECT_EQ(WithoutAccessKey("1&0分おき"), "10分おき");
    EXPECT_EQ(WithoutAccessKey("合成(AND)"), "合成(AND)");
    EXPECT_EQ(SwatchName("グラフの色(&R)", 0x00804020), "グラフの色 RGB(32, 64, 128)");
    EXPECT_EQ(PatternPreviewName(ScrollValue{2, 23}), "パターン 3/24");
    EXPECT_EQ(FontSampleName(FontRecord{"ＭＳ ゴシック", 10.5, 0}), "ＭＳ ゴシック 10.5 ポイント");
}

TEST_F(ThemeEditor, GraphPageRules) {
    Open(UnusualTheme());
    struct Case {
        std::int32_t type;
        bool edge;
        GraphPageEnabling expected;
    };
    const Case cases[] = {
        {0, false, {true, false, false, false, false, false}},
        {0, true, {true, false, false, false, false, false}},
        {1, false, {false, true, false, false, true, false}},
        {1, true, {true, true, false, false, true, false}},
        {2, false, {false, false, true, false, true, true}},
        {2, true, {true, false, true, false, true, true}},
        {3, false, {false, false, false, true, true, true}},
        {3, true, {true, false, false, true, true, true}},
    };
    for (const Case& c : cases) {
        state_.SelectForeType(c.type);
        state_.SetForeEdge(c.edge);
        const GraphPageEnabling& e = state_.graphPage;
        SCOPED_TRACE(testing::Message() << "type " << c.type << " edge " << c.edge);
        EXPECT_EQ(e.lineColours, c.expected.lineColours);
        EXPECT_EQ(e.graphColour, c.expected.graphColour);
        EXPECT_EQ(e.pattern, c.expected.pattern);
        EXPECT_EQ(e.fileName, c.expected.fileName);
        EXPECT_EQ(e.edge, c.expected.edge);
        EXPECT_EQ(e.stretch, c.expected.stretch);
    }
}

TEST_F(ThemeEditor, BackAndTextPageRules) {
    Open(UnusualTheme());
    for (std::int32_t t = 0; t < 3; ++t) {
        state_.SelectBackType(t);
        EXPECT_EQ(state_.backPage.colour, t == 0);
        EXPECT_EQ(state_.backPage.pattern, t == 1);
        EXPECT_EQ(state_.backPage.fileName, t == 2);
        state_.SelectTextType(t);
        EXPECT_EQ(state_.textPage.text, t != 0);
        EXPECT_EQ(state_.textPage.edgeColours, t == 2);
    }
}

TEST_F(ThemeEditor, LinePageRules) {
    Open(UnusualTheme());
    using Colours = std::array<bool, 3>;
    const Colours vertical[] = {
        {false, false, false}, {true, true, true}, {false, true, true}, {false, false, true}};
    const Colours horizontal[] = {{false, false, false},
                                  {true, true, true},
                                  {false, true, false},  // 20 % spacing has no 50 % line
                                  {false, false, true}};
    for (std::int32_t t = 0; t < 4; ++t) {
        state_.SelectVLineType(t);
        state_.SelectHLineType(t);
        EXPECT_EQ(state_.vLinePage.colours, vertical[t]) << t;
        EXPECT_EQ(state_.hLinePage.colours, horizontal[t]) << t;
        EXPECT_EQ(state_.vLinePage.lineKind, t != 0);
        EXPECT_EQ(state_.hLinePage.lineKind, t != 0);
    }
}

TEST_F(ThemeEditor, PatternNumbersCountThroughTheStrip) {
    AddStrip(24);
    ThemeRecord theme = UnusualTheme();
    theme.ForeNo = 0;
    Open(theme);
    EXPECT_TRUE(state_.PatternChoicesEnabled());
    EXPECT_EQ(state_.hscForeNo.max, 23);
    EXPECT_EQ(state_.hscBackNo.max, 23);
    EXPECT_EQ(state_.lblForeNo, "1/24");
    EXPECT_EQ(state_.lblBackNo, "5/24");  // BackNo 4
    state_.SetForePattern(23);
    EXPECT_EQ(state_.lblForeNo, "24/24");
    // The preview is column 23 stretched: top half 24, bottom half 0x1800.
    EXPECT_EQ(state_.picForeNo.Pixel(0, 0), 24u);
    EXPECT_EQ(state_.picForeNo.Pixel(kPatternPreviewWidth - 1, kPatternPreviewHeight / 2 - 1), 24u);
    EXPECT_EQ(state_.picForeNo.Pixel(kPatternPreviewWidth / 2, kPatternPreviewHeight - 1), 0x1800u);
    state_.SetForePattern(24);  // the scroll bar cannot go past its end
    EXPECT_EQ(state_.hscForeNo.value, 23);
}

TEST_F(ThemeEditor, StoredValuesTheControlsCannotHoldAreShownInRange) {
    AddStrip(24);
    ThemeRecord theme = UnusualTheme();
    theme.ForeType = static_cast<ForeKind>(4);
    theme.TextPosition = static_cast<TextPlace>(9);
    theme.GraphVLineMode = static_cast<LineMode>(-1);
    theme.ForeNo = 40;
    theme.BackNo = -3;
    Open(theme);
    EXPECT_EQ(state_.optForeType.Selected(), 0);
    EXPECT_EQ(state_.optTextPosition.Selected(), 0);
    EXPECT_EQ(state_.lblTextPosition, "左上");
    EXPECT_EQ(state_.optGraphVLineMode.Selected(), 0);
    EXPECT_EQ(state_.lblForeNo, "24/24");
    EXPECT_EQ(state_.lblBackNo, "1/24");
    const ThemeRecord back = Committed();
    EXPECT_EQ(back.ForeType, ForeKind::Line);
    EXPECT_EQ(back.ForeNo, 23);
    EXPECT_EQ(back.BackNo, 0);
}

TEST_F(ThemeEditor, WithoutAStripThePatternChoicesAreOffAndTheNumbersNotLoaded) {
    ThemeRecord theme = UnusualTheme();
    theme.ForeType = ForeKind::Pattern;
    theme.ForeNo = 5;
    Open(theme);
    EXPECT_FALSE(state_.PatternChoicesEnabled());
    EXPECT_EQ(state_.optForeType.Selected(), 2);  // a theme that uses a pattern keeps its type
    EXPECT_EQ(Committed().ForeNo, 0);             // the scroll bar's value is what OK stores

    // A file that is not a picture counts as no strip.
    AddFile("Pattern.dat");
    images_.Refuse(PatternFilePath(), ImageLoadStatus::Unreadable);
    Open(theme);
    EXPECT_FALSE(state_.PatternChoicesEnabled());
}

TEST_F(ThemeEditor, ImageListsOfferTheFolderAndNone) {
    AddFile("b.gif");
    AddFile("A.bmp");
    AddFile("notes.txt");
    AddFile("c.jpeg");
    ImageList list;
    FillImageList(list, "c.jpeg");
    ASSERT_EQ(list.entries.size(), 4u);
    EXPECT_EQ(list.entries[0].text, kNoImageEntry);
    EXPECT_EQ(list.entries[0].itemData, -1);
    EXPECT_EQ(list.entries[1].text, "A.bmp");
    EXPECT_EQ(list.entries[2].text, "b.gif");
    EXPECT_EQ(list.entries[3].text, "c.jpeg");
    EXPECT_EQ(GetImageName(list), "c.jpeg");

    FillImageList(list, "gone.bmp");  // not in the folder
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(GetImageName(list), "");
    list.selected = -1;
    EXPECT_EQ(GetImageName(list), "");
}

TEST_F(ThemeEditor, AnImageThatIsNotInTheFolderIsStoredAsNone) {
    AddFile("sky.bmp");
    ThemeRecord theme = UnusualTheme();
    theme.ForeName = "missing.bmp";
    Open(theme);
    EXPECT_EQ(state_.cboForeName.selected, 0);
    const ThemeRecord back = Committed();
    EXPECT_EQ(back.ForeName, "");
    EXPECT_EQ(back.BackName, "sky.bmp");
}

TEST(FontSample, IsCentredWithHalvesToEven) {
    FakeFontEngine fonts;
    Surface box(240, 64);
    box.SetBackColor(0xFFFFFF);
    // 7 characters of 7 pixels: 49 x 14, so x = 95.5 -> 96 and y = 25.
    const SampleText s = DrawFontSample(box, fonts, {"Fake Sans", 14, 0}, "ab", " %");
    EXPECT_EQ(s.text, "ab100 %");
    EXPECT_EQ(s.x, 96);
    EXPECT_EQ(s.y, 25);
    EXPECT_EQ(box.Font().face, "Fake Sans");
    EXPECT_EQ(box.Pixel(96, 25), ResolveColour(kSampleTextColour));
    EXPECT_EQ(box.Pixel(95, 25), 0xFFFFFFu);

    // A face the engine lacks and a size out of range fall back to the default font; the text
    // that was there before is cleared.
    const SampleText d = DrawFontSample(box, fonts, {"Nowhere", 0, kFontBold}, "", "");
    EXPECT_EQ(box.Font().face, "");
    EXPECT_EQ(box.Font().points, 9);
    EXPECT_TRUE(box.Font().bold);
    EXPECT_EQ(box.Pixel(96, 25), 0xFFFFFFu);
    EXPECT_EQ(d.x, 113);  // "100" is 13.5 -> 14 wide: (240 - 14) / 2
    EXPECT_EQ(d.y, 28);   // (64 - 9) / 2 = 27.5
}

TEST_F(ThemeEditor, PicturesAtDoubleDensityHaveTwiceThePixels) {
    AddStrip(24);
    ThemeEditorState dense(fonts_, images_, 2);
    ThemeRecord theme = UnusualTheme();
    theme.TextFont = {"Fake Sans", 10, 0};
    dense.Begin(theme);
    dense.Load();
    EXPECT_EQ(dense.picForeNo.Width(), 2 * kPatternPreviewWidth);
    EXPECT_EQ(dense.picBackNo.Height(), 2 * kPatternPreviewHeight);
    EXPECT_EQ(dense.picTextFont.Width(), 2 * kFontSampleWidth);
    // The preview still fills its whole box: column 4 of the strip at the bottom right.
    EXPECT_EQ(dense.picBackNo.Pixel(2 * kPatternPreviewWidth - 1, 2 * kPatternPreviewHeight - 1),
              0x500u);
    // " CPU 100% " in 5-pixel cells, centred in the wider box.
    EXPECT_EQ(dense.sample.x, (2 * kFontSampleWidth - 50) / 2);
}

TEST_F(ThemeEditor, TypingRedrawsTheSampleAtOnce) {
    ThemeRecord theme = UnusualTheme();
    theme.TextFont = {"Fake Sans", 10, 0};
    Open(theme);
    const std::size_t draws = fonts_.drawCalls;
    state_.SetTextPrefix("CPU");
    EXPECT_GT(fonts_.drawCalls, draws);
    EXPECT_EQ(state_.sample.text, "CPU100% ");
    // 8 characters of 5 pixels: 40 wide, (240 - 40) / 2 = 100.
    EXPECT_EQ(state_.sample.x, 100);
    EXPECT_EQ(state_.WorkTheme.TextPrefix, " CPU ");  // stored only by OK
}

TEST(ThemeEditorHelpTopics, EachLinePageHasItsOwnFour) {
    const auto numbers = [](const LinePageHelp& h) {
        return std::vector<std::int32_t>{
            static_cast<std::int32_t>(h.type), static_cast<std::int32_t>(h.colours),
            static_cast<std::int32_t>(h.lineKind), static_cast<std::int32_t>(h.lineMode)};
    };
    EXPECT_EQ(numbers(LinePageHelpOf(false)), (std::vector<std::int32_t>{2401, 2402, 2403, 2404}));
    EXPECT_EQ(numbers(LinePageHelpOf(true)), (std::vector<std::int32_t>{2501, 2502, 2503, 2504}));
    EXPECT_EQ(HelpAnchor(ThemeEditorHelp::ForePosition), "2107");
}

}  // namespace
}  // namespace moravel
