// The theme editor's dialog, opened modally as the setup dialog opens it: a thread timer plays the
// user inside the dialog's own message loop, through the controls' messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/Texts.h"
#include "core/config/Theme.h"
#include "core/os/Paths.h"
#include "core/os/WideText_win.h"
#include "support/TempFolder.h"
#include "win32/AccessibleProbe.h"
#include "win32/ColorDialog.h"
#include "win32/DialogDriver.h"
#include "win32/DibCanvas.h"
#include "win32/FontDialog.h"
#include "win32/Handles.h"
#include "win32/HelpLauncher.h"
#include "win32/WindowHelpers.h"
#include "win32/fomThemeSetup.h"
#include "win32/fomThemeSetupResource.h"

namespace moravel {
namespace {

constexpr int kPatterns = 24;

void PutLe(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// The colour of pattern n in the test strip, 0x00BBGGRR.
Colour PatternColour(int n) {
    return Rgb(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(2 * n),
               static_cast<std::uint32_t>(255 - n));
}

// A 24-bit BMP strip of `width` patterns, 8 pixels high, column n in PatternColour(n).
std::string StripBmp(int width) {
    constexpr int kHeight = 8;
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = stride * kHeight;
    std::string bytes(54 + imageBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, 54 + imageBytes, 4);
    PutLe(bytes, 10, 54, 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, static_cast<std::uint32_t>(width), 4);
    PutLe(bytes, 22, kHeight, 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, 24, 2);
    PutLe(bytes, 34, imageBytes, 4);
    for (std::uint32_t row = 0; row < kHeight; ++row) {
        for (int x = 0; x < width; ++x) {
            const Colour c = PatternColour(x);
            const std::size_t at = 54 + row * stride + static_cast<std::size_t>(x) * 3;
            bytes[at] = static_cast<char>(BlueOf(c));
            bytes[at + 1] = static_cast<char>(GreenOf(c));
            bytes[at + 2] = static_cast<char>(RedOf(c));
        }
    }
    return bytes;
}

// A colour as a DIB pixel (0x00RRGGBB).
std::uint32_t Dib(Colour c) {
    return (RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c);
}

// The columns from the first to the last that hold a pixel unlike the top-left one; {-1, -1} for
// none.
std::pair<int, int> InkColumns(const DibCanvas& picture, int width, int height) {
    const std::uint32_t back = picture.At(0, 0) & 0xFFFFFF;
    std::pair<int, int> ink = {-1, -1};
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if ((picture.At(x, y) & 0xFFFFFF) != back) {
                ink.first = ink.first < 0 ? x : ink.first;
                ink.second = x;
                break;
            }
        }
    }
    return ink;
}

// Counts the requests, sent to the thread's windows, to put a window on top of all others, and
// those to make one a normal window again.
struct TopMostRequests {
    static inline int count = 0;
    static inline int demotions = 0;
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGING) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(call->lParam);
            if ((pos->flags & SWP_NOZORDER) == 0) {
                count += pos->hwndInsertAfter == HWND_TOPMOST ? 1 : 0;
                demotions += pos->hwndInsertAfter == HWND_NOTOPMOST ? 1 : 0;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

// Runs the messages waiting for the thread, as the dialog's loop would.
void Pump(HWND dialog) {
    MSG message = {};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (IsDialogMessageW(dialog, &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

class ThemeEditorDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        home_ = std::make_unique<test::ScopedProgramFolder>(folder_.path());
        std::filesystem::create_directory(folder_.File("Themes"));
        test::WriteBytes(PatternFilePath(), StripBmp(kPatterns));
        test::WriteBytes(JoinPath(ThemesFolder(), "sky.bmp"), "BM");
        test::WriteBytes(JoinPath(ThemesFolder(), "clouds.gif"), "GIF8");
        SetDefaultTheme(theme_);
        program_.editorTheme = theme_;
    }

    void TearDown() override {
        ColorDialogAnswers::SetNextAnswers({});
        FontDialogAnswers::SetNextAnswers({});
        HelpLaunches::Intercept(false);
        HelpLaunches::Clear();
    }

    // Opens the editor on program_.editorTheme, owned by `owner`, and lets `user` act on it once
    // it is shown; what `user` leaves open is cancelled. Returns what Edit() returned.
    int Edit(const std::function<void()>& user, HWND owner = nullptr) {
        fomThemeSetup editor(owner, program_);
        editor_ = &editor;
        user_ = &user;
        ran_ = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 1, &ThemeEditorDialogTest::Act);
        current_ = this;
        const int result = editor.Edit();
        KillTimer(nullptr, timer);
        editor_ = nullptr;
        EXPECT_TRUE(ran_) << "the editor did not open";
        return result;
    }

    HWND Dialog() const { return editor_->hwnd(); }
    HWND Item(int id) const { return GetDlgItem(Dialog(), id); }
    void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Visible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
    bool Checked(int id) const { return IsDlgButtonChecked(Dialog(), id) == BST_CHECKED; }
    std::string Text(int id) const { return Text(Item(id)); }
    static std::string Text(HWND window) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        return WideToUtf8(text);
    }
    // Presses a key on the keyboard with the focus on a control (F1 becomes help only when it
    // comes from the keyboard).
    void Press(int id, WORD key) const {
        SetFocus(Item(id));
        INPUT strokes[2] = {};
        for (INPUT& stroke : strokes) {
            stroke.type = INPUT_KEYBOARD;
            stroke.ki.wVk = key;
        }
        strokes[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, strokes, sizeof(INPUT));
        Pump(Dialog());
    }
    // Presses Alt and a letter, as the user picks a control by its access key.
    void PressAlt(WORD letter) const {
        INPUT strokes[4] = {};
        const WORD keys[4] = {VK_MENU, letter, letter, VK_MENU};
        for (int i = 0; i < 4; ++i) {
            strokes[i].type = INPUT_KEYBOARD;
            strokes[i].ki.wVk = keys[i];
            strokes[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        SendInput(4, strokes, sizeof(INPUT));
        Pump(Dialog());
    }
    void Type(int id, std::wstring_view text) const {
        for (const wchar_t c : text) {
            SendMessageW(Item(id), WM_CHAR, c, 1);
        }
    }
    // The colour the dialog paints a swatch with.
    COLORREF Swatch(int id) const {
        const HWND swatch = Item(id);
        const HDC dc = GetDC(swatch);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(Dialog(), WM_CTLCOLORSTATIC,
                                                                 reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(swatch)));
        ReleaseDC(swatch, dc);
        LOGBRUSH look = {};
        if (brush == nullptr || GetObjectW(brush, sizeof(look), &look) == 0) {
            return CLR_INVALID;
        }
        return look.lbColor;
    }
    // The picture the dialog paints into a picture box, as 0x00RRGGBB pixels.
    DibCanvas& Picture(int id) {
        const HWND box = Item(id);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_STATIC;
        item.CtlID = static_cast<UINT>(id);
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = box;
        GetClientRect(box, &item.rcItem);
        canvas_.Reserve(item.rcItem.right, item.rcItem.bottom);
        canvas_.Fill(canvas_.Width(), canvas_.Height(), 0x00ABCDEF);
        item.hDC = canvas_.dc();
        SendMessageW(Dialog(), WM_DRAWITEM, static_cast<WPARAM>(id),
                     reinterpret_cast<LPARAM>(&item));
        GdiFlush();
        return canvas_;
    }
    // The picture's pixels, row by row.
    std::vector<std::uint32_t> Pixels(int id) {
        const DibCanvas& picture = Picture(id);
        RECT box = {};
        GetClientRect(Item(id), &box);
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < box.bottom; ++y) {
            for (int x = 0; x < box.right; ++x) {
                pixels.push_back(picture.At(x, y) & 0xFFFFFF);
            }
        }
        return pixels;
    }
    void ChooseItem(int id, int index) const {
        SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(id)));
    }
    int ScrollPos(int id) const { return GetScrollPos(Item(id), SB_CTL); }
    int ScrollMax(int id) const {
        int low = 0;
        int high = 0;
        GetScrollRange(Item(id), SB_CTL, &low, &high);
        return high;
    }
    void Scroll(int id, int request) const {
        SendMessageW(Dialog(), WM_HSCROLL, MAKEWPARAM(request, 0),
                     reinterpret_cast<LPARAM>(Item(id)));
    }

    test::TempFolder folder_;
    std::unique_ptr<test::ScopedProgramFolder> home_;
    ProgramState program_;
    ThemeRecord theme_;
    DibCanvas canvas_;

  private:
    static void CALLBACK Act(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        ThemeEditorDialogTest* self = current_;
        const HWND dialog = self->Dialog();
        if (dialog == nullptr || self->ran_) {
            return;
        }
        if (IsWindowVisible(dialog) == FALSE) {  // not shown yet: the loop shows it when idle
            SetTimer(nullptr, 0, 1, &ThemeEditorDialogTest::Act);
            return;
        }
        self->ran_ = true;
        (*self->user_)();
        if (self->editor_->hwnd() == dialog) {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }

    static inline ThemeEditorDialogTest* current_ = nullptr;
    fomThemeSetup* editor_ = nullptr;
    const std::function<void()>* user_ = nullptr;
    bool ran_ = false;
};

TEST_F(ThemeEditorDialogTest, TheControlsShowTheTheme) {
    theme_.Title = "夜の空";
    theme_.ForeType = ForeKind::Pattern;
    theme_.ForeEdge = 1;
    theme_.ForeColor1 = 0x010203;
    theme_.ForeColor2 = 0x040506;
    theme_.ForeColor3 = 0x8000000F;  // the button face, through the system colours
    theme_.ForeNo = 5;
    theme_.BackType = BackKind::Image;
    theme_.BackName = "SKY.BMP";  // file names match without regard to case
    theme_.BackColor = 0x00FF00;
    theme_.GraphHType = HGridLines::At50;
    theme_.GraphHLineType = LinePen::Dotted;
    theme_.GraphHLineMode = LineMode::Merged;
    theme_.GraphHColor3 = 0x123456;
    theme_.GraphVType = VGridLines::Every5Minutes;
    theme_.GraphVLineType = LinePen::Dashed;
    theme_.TextType = TextKind::Edged;
    theme_.TextPosition = TextPlace::BottomLeft;
    theme_.TextPrefix = "CPU ";
    theme_.TextSuffix = " %";
    theme_.TextColor2 = 0xABCDEF;
    program_.editorTheme = theme_;
    Edit([this] {
        EXPECT_EQ(Text(Dialog()), std::string(kThemeEditorCaption));
        EXPECT_EQ(Text(IDC_txtTitle), "夜の空");
        EXPECT_EQ(Text(IDC_optPage_4), "使用率(&P)");
        // The graph page first, the others hidden.
        EXPECT_TRUE(Checked(IDC_optPage_0));
        EXPECT_TRUE(Visible(IDC_frmPage_0));
        EXPECT_TRUE(Visible(IDC_hscForeNo));
        for (const int hidden : {IDC_frmPage_1, IDC_cboBackName, IDC_frmPage_2, IDC_frmPage_3,
                                 IDC_optGraphHType_0, IDC_frmPage_4, IDC_picTextFont}) {
            EXPECT_FALSE(Visible(hidden)) << hidden;
        }

        EXPECT_TRUE(Checked(IDC_optForeType_0 + 2));
        EXPECT_FALSE(Checked(IDC_optForeType_0));
        EXPECT_TRUE(Checked(IDC_chkForeEdge));
        EXPECT_FALSE(Checked(IDC_chkForePosition));
        EXPECT_EQ(Swatch(IDC_lblForeColor_0), 0x010203u);
        EXPECT_EQ(Swatch(IDC_lblForeColor_0 + 1), 0x040506u);
        EXPECT_EQ(Swatch(IDC_lblForeColor_0 + 2), static_cast<COLORREF>(ResolveColour(0x8000000F)));
        EXPECT_EQ(ScrollMax(IDC_hscForeNo), kPatterns - 1);
        EXPECT_EQ(ScrollPos(IDC_hscForeNo), 5);
        EXPECT_EQ(Text(IDC_lblForeNo), "6/24");
        EXPECT_EQ(Picture(IDC_picForeNo).At(3, 3) & 0xFFFFFF, 0x050AFAu);

        EXPECT_TRUE(Checked(IDC_optBackType_2));
        EXPECT_EQ(Swatch(IDC_lblBackColor), 0x00FF00u);
        EXPECT_EQ(Text(IDC_cboBackName), "sky.bmp");
        EXPECT_EQ(Text(IDC_cboForeName), "（なし）");
        EXPECT_EQ(SendMessageW(Item(IDC_cboBackName), CB_GETCOUNT, 0, 0), 3);

        EXPECT_TRUE(Checked(IDC_optGraphHType_3));
        EXPECT_TRUE(Checked(IDC_optGraphHLineType_2));
        EXPECT_TRUE(Checked(IDC_optGraphHLineMode_2));
        EXPECT_EQ(Swatch(IDC_lblGraphHColor_0 + 2), 0x123456u);
        EXPECT_TRUE(Checked(IDC_optGraphVType_0 + 2));
        EXPECT_TRUE(Checked(IDC_optGraphVLineType_0 + 1));
        EXPECT_FALSE(Checked(IDC_optGraphVLineType_2));

        EXPECT_TRUE(Checked(IDC_optTextType_2));
        EXPECT_TRUE(Checked(IDC_optTextPosition_0 + 6));
        EXPECT_EQ(Text(IDC_lblTextPosition), "左下");
        EXPECT_EQ(Text(IDC_txtTextPrefix), "CPU ");
        EXPECT_EQ(Text(IDC_txtTextSuffix), " %");
        EXPECT_EQ(Swatch(IDC_lblTextColor_0 + 1), 0xABCDEFu);
    });
}

TEST_F(ThemeEditorDialogTest, ThePageButtonsShowOnePageAtATime) {
    const int frames[] = {IDC_frmPage_0, IDC_frmPage_1, IDC_frmPage_2, IDC_frmPage_3,
                          IDC_frmPage_4};
    const int inside[] = {IDC_cboForeName, IDC_hscBackNo, IDC_optGraphVLineMode_0,
                          IDC_cmdGraphHColor_0, IDC_txtTextPrefix};
    Edit([&] {
        for (const int page : {3, 1, 4, 0, 2}) {
            Click(IDC_optPage_0 + page);
            for (int i = 0; i < 5; ++i) {
                EXPECT_EQ(Visible(frames[i]), i == page) << page << " " << i;
                EXPECT_EQ(Visible(inside[i]), i == page) << page << " " << i;
                EXPECT_EQ(Checked(IDC_optPage_0 + i), i == page) << page << " " << i;
            }
            EXPECT_TRUE(Visible(IDC_txtTitle));
            EXPECT_TRUE(Visible(IDCANCEL));
        }
    });
}

TEST_F(ThemeEditorDialogTest, EachLanguageHasItsDialogWithCaptionsThatFitAndNames) {
    for (const UiLanguage language : {UiLanguage::Japanese, UiLanguage::English}) {
        SetUiLanguage(language);
        const bool english = language == UiLanguage::English;
        Edit([&] {
            EXPECT_EQ(Text(IDC_Label1), english ? "&Title" : "タイトル(&T)");
            EXPECT_EQ(test::CaptionFaults(Dialog(), english), std::vector<std::string>{})
                << english;
            EXPECT_EQ(test::NamelessControls(Dialog()), std::vector<std::string>{}) << english;
        });
    }
    SetUiLanguage(UiLanguage::Japanese);
}

TEST_F(ThemeEditorDialogTest, AccessKeysReachOnlyThePageShown) {
    // "無し(&N)" is on both line pages and the usage-text page; "ファイル名(&N)" on the graph page
    // is greyed with the default theme.
    EXPECT_EQ(Edit([this] {
                  SetFocus(Item(IDC_txtTitle));
                  PressAlt('N');
                  EXPECT_TRUE(Checked(IDC_optGraphVType_0 + 1));
                  EXPECT_TRUE(Checked(IDC_optTextType_2));
                  PressAlt('V');
                  EXPECT_TRUE(Visible(IDC_frmPage_2));
                  PressAlt('N');
                  EXPECT_TRUE(Checked(IDC_optGraphVType_0));
                  Click(IDOK);
              }),
              0);
    EXPECT_EQ(program_.editorTheme.GraphVType, VGridLines::None);
    EXPECT_EQ(program_.editorTheme.GraphHType, theme_.GraphHType);
    EXPECT_EQ(program_.editorTheme.TextType, theme_.TextType);
}

TEST_F(ThemeEditorDialogTest, GraphAndBackgroundTypesGreyWhatTheyDoNotUse) {
    EXPECT_EQ(Edit([this] {
                  for (const bool edge : {false, true}) {
                      Click(IDC_optForeType_0 + 1);  // where the edge box can be ticked
                      if (Checked(IDC_chkForeEdge) != edge) {
                          Click(IDC_chkForeEdge);
                      }
                      for (int t = 0; t < 4; ++t) {
                          Click(IDC_optForeType_0 + t);
                          SCOPED_TRACE(testing::Message() << "type " << t << " edge " << edge);
                          EXPECT_TRUE(Checked(IDC_optForeType_0 + t));
                          EXPECT_EQ(Enabled(IDC_cmdForeColor_0), t == 0 || edge);
                          EXPECT_EQ(Enabled(IDC_lblForeColorLbl_0 + 1), t == 0 || edge);
                          EXPECT_EQ(Enabled(IDC_cmdForeColor_0 + 2), t == 1);
                          EXPECT_EQ(Enabled(IDC_lblForeColorLbl_0 + 2), t == 1);
                          EXPECT_EQ(Enabled(IDC_hscForeNo), t == 2);
                          EXPECT_EQ(Enabled(IDC_lblForeNo), t == 2);
                          EXPECT_EQ(Enabled(IDC_picForeNo), t == 2);
                          EXPECT_EQ(Enabled(IDC_cboForeName), t == 3);
                          EXPECT_EQ(Enabled(IDC_lblForeName), t == 3);
                          EXPECT_EQ(Enabled(IDC_chkForeEdge), t > 0);
                          EXPECT_EQ(Enabled(IDC_chkForePosition), t > 1);
                          EXPECT_TRUE(Enabled(IDC_lblForeColor_0 + 2));  // swatches stay
                      }
                  }
                  Click(IDC_chkForePosition);
                  Click(IDC_optPage_0 + 1);
                  for (int t = 0; t < 3; ++t) {
                      Click(IDC_optBackType_0 + t);
                      SCOPED_TRACE(testing::Message() << "background " << t);
                      EXPECT_EQ(Enabled(IDC_cmdBackColor), t == 0);
                      EXPECT_EQ(Enabled(IDC_lblBackColorLbl), t == 0);
                      EXPECT_EQ(Enabled(IDC_hscBackNo), t == 1);
                      EXPECT_EQ(Enabled(IDC_picBackNo), t == 1);
                      EXPECT_EQ(Enabled(IDC_cboBackName), t == 2);
                  }
                  Click(IDOK);
              }),
              0);
    EXPECT_EQ(program_.editorTheme.ForeType, ForeKind::Image);
    EXPECT_EQ(program_.editorTheme.ForeEdge, 1);
    EXPECT_EQ(program_.editorTheme.ForePosition, 1);
    EXPECT_EQ(program_.editorTheme.BackType, BackKind::Image);
}

TEST_F(ThemeEditorDialogTest, LinePagesGreyTheirColoursAndPensByType) {
    // The colours each type draws: every 1, 5 and 10 minutes; every 10 %, 20 % and at 50 %.
    const bool vertical[4][3] = {
        {false, false, false}, {true, true, true}, {false, true, true}, {false, false, true}};
    const bool horizontal[4][3] = {
        {false, false, false}, {true, true, true}, {false, true, false}, {false, false, true}};
    EXPECT_EQ(Edit([&] {
                  for (const bool v : {true, false}) {
                      const int page = v ? 0 : 100;  // the horizontal page's numbers
                      Click(IDC_optPage_0 + (v ? 2 : 3));
                      for (int t = 0; t < 4; ++t) {
                          Click(IDC_optGraphVType_0 + page + t);
                          SCOPED_TRACE(testing::Message() << (v ? "V " : "H ") << t);
                          for (int i = 0; i < 3; ++i) {
                              const bool drawn = v ? vertical[t][i] : horizontal[t][i];
                              EXPECT_EQ(Enabled(IDC_cmdGraphVColor_0 + page + i), drawn) << i;
                              EXPECT_EQ(Enabled(IDC_lblGraphVColorLbl_0 + page + i), drawn) << i;
                              EXPECT_EQ(Enabled(IDC_optGraphVLineType_0 + page + i), t != 0);
                              EXPECT_EQ(Enabled(IDC_optGraphVLineMode_0 + page + i), t != 0);
                          }
                          EXPECT_EQ(Enabled(IDC_lblGraphVLineMode + page), t != 0);
                      }
                      Click(IDC_optGraphVLineType_0 + page + 1);
                      Click(IDC_optGraphVLineMode_0 + page + (v ? 2 : 1));
                  }
                  Click(IDOK);
              }),
              0);
    const ThemeRecord& edited = program_.editorTheme;
    EXPECT_EQ(edited.GraphVType, VGridLines::Every10Minutes);
    EXPECT_EQ(edited.GraphVLineType, LinePen::Dashed);
    EXPECT_EQ(edited.GraphVLineMode, LineMode::Merged);
    EXPECT_EQ(edited.GraphHType, HGridLines::At50);
    EXPECT_EQ(edited.GraphHLineType, LinePen::Dashed);
    EXPECT_EQ(edited.GraphHLineMode, LineMode::OverGraph);
}

TEST_F(ThemeEditorDialogTest, TheUsageTextPageGreysByTypeAndNamesThePlace) {
    EXPECT_EQ(Edit([this] {
                  Click(IDC_optPage_0 + 4);
                  for (const int t : {0, 1, 2}) {
                      Click(IDC_optTextType_0 + t);
                      SCOPED_TRACE(testing::Message() << "type " << t);
                      for (const int id : {IDC_cmdTextColor_0, IDC_txtTextPrefix, IDC_txtTextSuffix,
                                           IDC_cmdTextFont, IDC_Frame5, IDC_optTextPosition_8}) {
                          EXPECT_EQ(Enabled(id), t != 0) << id;
                      }
                      EXPECT_EQ(Enabled(IDC_cmdTextColor_0 + 1), t == 2);
                      EXPECT_EQ(Enabled(IDC_lblTextColorLbl_0 + 2), t == 2);
                      EXPECT_EQ(Enabled(IDC_cmdTextColor_0 + 2), t == 2);
                  }
                  Click(IDC_optTextPosition_0 + 6);
                  EXPECT_TRUE(Checked(IDC_optTextPosition_0 + 6));
                  EXPECT_FALSE(Checked(IDC_optTextPosition_0 + 2));  // the theme's place before
                  EXPECT_EQ(Text(IDC_lblTextPosition), "左下");
                  Click(IDOK);
              }),
              0);
    EXPECT_EQ(program_.editorTheme.TextType, TextKind::Edged);
    EXPECT_EQ(program_.editorTheme.TextPosition, TextPlace::BottomLeft);
}

// A reader hears what the drawn controls show, as it changes (every control having a name is the
// language test's).
TEST_F(ThemeEditorDialogTest, DrawnControlsTellAReaderWhatTheyShow) {
    theme_.ForeType = ForeKind::Filled;
    theme_.ForeColor3 = 0x008000;
    theme_.ForeNo = 5;
    program_.editorTheme = theme_;
    ColorDialogAnswers::SetNextAnswers({[](CHOOSECOLORW& record) {
        record.rgbResult = 0x0000FF;
        return true;
    }});
    Edit([this] {
        EXPECT_EQ(test::AccessibleName(Item(IDC_lblForeColor_0 + 2)), "グラフの色 RGB(0, 128, 0)");
        EXPECT_EQ(test::AccessibleName(Item(IDC_picForeNo)), "パターン 6/24");
        Click(IDC_cmdForeColor_0 + 2);
        EXPECT_EQ(test::AccessibleName(Item(IDC_lblForeColor_0 + 2)), "グラフの色 RGB(255, 0, 0)");
    });
}

TEST_F(ThemeEditorDialogTest, AColourChosenInTheColourDialogReachesTheThemeOnOk) {
    ColorDialogAnswers::ClearAsked();
    HWND owner = nullptr;
    ColorDialogAnswers::SetNextAnswers({[&](CHOOSECOLORW& record) {
                                            owner = record.hwndOwner;
                                            record.rgbResult = 0x0000FF;
                                            return true;
                                        },
                                        [](CHOOSECOLORW& record) {
                                            record.rgbResult = 0x00FF00;
                                            return false;  // cancelled
                                        }});
    HWND dialog = nullptr;
    EXPECT_EQ(Edit([&] {
                  dialog = Dialog();
                  Click(IDC_optPage_0 + 1);
                  Click(IDC_cmdBackColor);
                  EXPECT_EQ(Swatch(IDC_lblBackColor), 0x0000FFu);
                  Click(IDC_optPage_0 + 3);
                  Click(IDC_cmdGraphHColor_0 + 2);
                  EXPECT_EQ(Swatch(IDC_lblGraphHColor_0 + 2), 0xFFFFFFu);
                  Click(IDOK);
              }),
              0);
    EXPECT_EQ(owner, dialog);  // the colour dialog is the editor's own modal
    EXPECT_EQ(program_.editorTheme.BackColor, 0x0000FF);
    EXPECT_EQ(program_.editorTheme.GraphHColor3, theme_.GraphHColor3);
    EXPECT_EQ(ColorDialogAnswers::Asked(), (std::vector<std::int32_t>{0, 0xFFFFFF}));

    // A colour chosen and then cancelled with the editor never reaches the theme.
    ColorDialogAnswers::SetNextAnswers({[](CHOOSECOLORW& record) {
        record.rgbResult = 0x123456;
        return true;
    }});
    EXPECT_EQ(Edit([this] {
                  Click(IDC_optPage_0 + 4);
                  Click(IDC_cmdTextColor_0);
                  EXPECT_EQ(Swatch(IDC_lblTextColor_0), 0x123456u);
                  Click(IDCANCEL);
              }),
              -1);
    EXPECT_EQ(program_.editorTheme.TextColor1, theme_.TextColor1);
}

TEST_F(ThemeEditorDialogTest, CancelEscAndClosingKeepTheThemeOkAndEnterTakeIt) {
    theme_.Title = "Mine";
    theme_.TextPrefix = " x ";
    program_.editorTheme = theme_;
    FontDialogAnswers::ClearAsked();
    FontDialogAnswers::SetNextAnswers({[](CHOOSEFONTW& record) {
        record.iPointSize = 300;
        record.lpLogFont->lfHeight = -40;
        return true;
    }});
    EXPECT_EQ(Edit([this] {
                  Type(IDC_txtTitle, L"zz");
                  Click(IDC_optForeType_0);
                  Click(IDC_optPage_0 + 4);
                  Click(IDC_cmdTextFont);
                  Click(IDCANCEL);
              }),
              -1);
    EXPECT_EQ(FontDialogAnswers::Asked().size(), 1u);
    EXPECT_EQ(program_.editorTheme, theme_);

    EXPECT_EQ(Edit([this] {
                  Click(IDC_optForeType_0);
                  SendMessageW(Dialog(), WM_CLOSE, 0, 0);
              }),
              -1);
    EXPECT_EQ(program_.editorTheme, theme_);
    EXPECT_EQ(Edit([this] {
                  Click(IDC_optForeType_0);
                  Press(IDC_txtTitle, VK_ESCAPE);
              }),
              -1);
    EXPECT_EQ(program_.editorTheme, theme_);

    // OK with no change: the title comes back trimmed, the prefix as it was.
    program_.editorTheme.Title = "  Mine ";
    EXPECT_EQ(Edit([this] { Click(IDOK); }), 0);
    EXPECT_EQ(program_.editorTheme, theme_);

    // Enter in the title box presses OK.
    EXPECT_EQ(Edit([this] {
                  SendMessageW(Item(IDC_txtTitle), EM_SETSEL, 0, -1);
                  Type(IDC_txtTitle, L"夜");
                  Press(IDC_txtTitle, VK_RETURN);
              }),
              0);
    EXPECT_EQ(program_.editorTheme.Title, "夜");
}

TEST_F(ThemeEditorDialogTest, TheScrollBarsCountAndPreviewThePatterns) {
    theme_.ForeType = ForeKind::Pattern;
    theme_.ForeNo = 99;  // beyond the strip: the last pattern
    theme_.BackType = BackKind::Pattern;
    theme_.BackNo = 3;
    program_.editorTheme = theme_;
    EXPECT_EQ(Edit([this] {
                  EXPECT_EQ(ScrollMax(IDC_hscForeNo), kPatterns - 1);
                  EXPECT_EQ(ScrollPos(IDC_hscForeNo), kPatterns - 1);
                  EXPECT_EQ(Text(IDC_lblForeNo), "24/24");
                  Scroll(IDC_hscForeNo, SB_LINERIGHT);  // at the end already
                  EXPECT_EQ(Text(IDC_lblForeNo), "24/24");
                  Scroll(IDC_hscForeNo, SB_LEFT);
                  EXPECT_EQ(Text(IDC_lblForeNo), "1/24");
                  Scroll(IDC_hscForeNo, SB_PAGERIGHT);
                  EXPECT_EQ(Text(IDC_lblForeNo), "11/24");
                  for (int i = 0; i < 3; ++i) {
                      Scroll(IDC_hscForeNo, SB_LINELEFT);
                  }
                  EXPECT_EQ(ScrollPos(IDC_hscForeNo), 7);
                  EXPECT_EQ(Text(IDC_lblForeNo), "8/24");
                  const DibCanvas& preview = Picture(IDC_picForeNo);
                  RECT box = {};
                  GetClientRect(Item(IDC_picForeNo), &box);
                  EXPECT_EQ(box.right, kPatternPreviewWidth);
                  EXPECT_EQ(box.bottom, kPatternPreviewHeight);
                  EXPECT_EQ(preview.At(0, 0) & 0xFFFFFF, Dib(PatternColour(7)));
                  EXPECT_EQ(preview.At(box.right - 1, box.bottom - 1) & 0xFFFFFF,
                            Dib(PatternColour(7)));

                  Click(IDC_optPage_0 + 1);
                  EXPECT_EQ(Text(IDC_lblBackNo), "4/24");
                  Scroll(IDC_hscBackNo, SB_RIGHT);
                  EXPECT_EQ(Text(IDC_lblBackNo), "24/24");
                  EXPECT_EQ(Picture(IDC_picBackNo).At(5, 5) & 0xFFFFFF, Dib(PatternColour(23)));
                  Click(IDOK);
              }),
              0);
    EXPECT_EQ(program_.editorTheme.ForeNo, 7);
    EXPECT_EQ(program_.editorTheme.BackNo, 23);
}

TEST_F(ThemeEditorDialogTest, WithoutAStripThePatternChoicesAreOff) {
    std::filesystem::remove(PatternFilePath());
    theme_.BackType = BackKind::Pattern;
    theme_.BackNo = 6;
    program_.editorTheme = theme_;
    EXPECT_EQ(Edit([this] {
                  EXPECT_FALSE(Enabled(IDC_optForeType_0 + 2));
                  Click(IDC_optPage_0 + 1);
                  EXPECT_FALSE(Enabled(IDC_optBackType_0 + 1));
                  EXPECT_TRUE(Checked(IDC_optBackType_0 + 1));  // kept
                  Click(IDC_optForeType_0 + 3);
                  EXPECT_FALSE(Enabled(IDC_optForeType_0 + 2));  // and kept off
                  Click(IDOK);
              }),
              0);
    EXPECT_EQ(program_.editorTheme.BackType, BackKind::Pattern);
    EXPECT_EQ(program_.editorTheme.BackNo, 0);  // the number was not loaded
}

TEST_F(ThemeEditorDialogTest, AnImageNotInTheFolderIsStoredAsNone) {
    theme_.ForeType = ForeKind::Image;
    theme_.ForeName = "gone.bmp";
    theme_.BackName = "sky.bmp";
    program_.editorTheme = theme_;
    EXPECT_EQ(Edit([this] {
                  EXPECT_EQ(Text(IDC_cboForeName), "（なし）");
                  EXPECT_EQ(SendMessageW(Item(IDC_cboForeName), CB_GETCOUNT, 0, 0), 3);
                  EXPECT_EQ(SendMessageW(Item(IDC_cboForeName), CB_GETITEMDATA, 0, 0), -1);
                  Click(IDOK);
              }),
              0);
    EXPECT_EQ(program_.editorTheme.ForeName, "");
    EXPECT_EQ(program_.editorTheme.BackName, "sky.bmp");

    EXPECT_EQ(Edit([this] {
                  ChooseItem(IDC_cboForeName, 1);  // the list is sorted: clouds.gif, sky.bmp
                  Click(IDC_optPage_0 + 1);
                  ChooseItem(IDC_cboBackName, 0);
                  Click(IDOK);
              }),
              0);
    EXPECT_EQ(program_.editorTheme.ForeName, "clouds.gif");
    EXPECT_EQ(program_.editorTheme.BackName, "");
}

TEST_F(ThemeEditorDialogTest, TheFontSampleFollowsThePrefixAndTheFontDialog) {
    FontDialogAnswers::ClearAsked();
    FontDialogAnswers::SetNextAnswers({[](CHOOSEFONTW& record) {
        record.iPointSize = 200;
        record.lpLogFont->lfHeight = -27;
        record.lpLogFont->lfItalic = TRUE;
        return true;
    }});
    EXPECT_EQ(Edit([this] {
                  Click(IDC_optPage_0 + 4);
                  RECT box = {};
                  GetClientRect(Item(IDC_picTextFont), &box);
                  EXPECT_EQ(box.right, kFontSampleWidth);
                  EXPECT_EQ(box.bottom, kFontSampleHeight);
                  const std::vector<std::uint32_t> before = Pixels(IDC_picTextFont);
                  const auto inkBefore =
                      InkColumns(Picture(IDC_picTextFont), box.right, box.bottom);
                  Type(IDC_txtTextPrefix, L"CPU ");
                  const std::vector<std::uint32_t> typed = Pixels(IDC_picTextFont);
                  EXPECT_NE(typed, before);
                  // Wider, and still in the middle of the box.
                  const auto ink = InkColumns(Picture(IDC_picTextFont), box.right, box.bottom);
                  EXPECT_GT(ink.second - ink.first, inkBefore.second - inkBefore.first);
                  EXPECT_LE(std::abs(ink.first - (box.right - 1 - ink.second)), 3);
                  Click(IDC_cmdTextFont);
                  EXPECT_NE(Pixels(IDC_picTextFont), typed);
                  Click(IDOK);
              }),
              0);
    ASSERT_EQ(FontDialogAnswers::Asked().size(), 1u);
    EXPECT_STREQ(FontDialogAnswers::Asked()[0].lfFaceName, L"ＭＳ ゴシック");
    EXPECT_EQ(program_.editorTheme.TextPrefix, "CPU ");
    EXPECT_EQ(program_.editorTheme.TextFont, (FontRecord{"ＭＳ ゴシック", 20, 2}));
}

TEST_F(ThemeEditorDialogTest, TheEditorIsOwnedByAndCascadedFromItsOwner) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MoravelTestOwner";
    RegisterClassW(&windowClass);
    WindowHandle owner(CreateWindowExW(0, L"MoravelTestOwner", L"owner",
                                       WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 90, 400, 300, nullptr,
                                       nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(owner);
    RECT frame = {};
    RECT client = {};
    GetWindowRect(owner.get(), &frame);
    GetClientRect(owner.get(), &client);
    const int caption = (frame.bottom - frame.top) - client.bottom;
    Edit(
        [&] {
            EXPECT_EQ(GetWindow(Dialog(), GW_OWNER), owner.get());
            EXPECT_FALSE(IsWindowEnabled(owner.get()));  // modal
            RECT placed = {};
            GetWindowRect(Dialog(), &placed);
            EXPECT_EQ(placed.left, frame.left + caption);
            EXPECT_EQ(placed.top, frame.top + caption);
        },
        owner.get());
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
}

TEST_F(ThemeEditorDialogTest, AnAlwaysOnTopProgramRaisesTheEditorWithoutKeepingItOnTop) {
    for (const std::int32_t mode : {0, 1, 2}) {
        program_.settings.TopMost = static_cast<TopMostMode>(mode);
        TopMostRequests::count = 0;
        const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &TopMostRequests::Hook, nullptr,
                                             GetCurrentThreadId());
        bool keptOnTop = true;
        Edit([&] { keptOnTop = (GetWindowLongPtrW(Dialog(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; });
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(TopMostRequests::count > 0, mode != 0) << mode;
        EXPECT_FALSE(keptOnTop) << mode;
    }
}

// Over an always-on-top main window and the setup dialog it owns, the editor comes up above them
// and is never made a normal window: on Windows that would take its owners out of the top band
// with it (Wine keeps them there either way, so the request itself is what is counted).
TEST_F(ThemeEditorDialogTest, OverAnAlwaysOnTopMainWindowTheEditorLeavesItsOwnersOnTop) {
    program_.settings.TopMost = TopMostMode::OnTop;
    WindowHandle main(CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 100,
                                      100, 300, 100, nullptr, nullptr, nullptr, nullptr));
    WindowHandle setup(CreateWindowExW(0, L"STATIC", L"setup", WS_POPUP | WS_VISIBLE, 420, 100, 200,
                                       200, main.get(), nullptr, nullptr, nullptr));
    ASSERT_TRUE(main && setup);
    SetTopMost(main.get());  // as the setup dialog leaves it
    TopMostRequests::demotions = 0;
    const HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROC, &TopMostRequests::Hook, nullptr, GetCurrentThreadId());
    bool aboveMain = false;
    Edit(
        [&] {
            for (HWND w = GetWindow(main.get(), GW_HWNDPREV); w != nullptr;
                 w = GetWindow(w, GW_HWNDPREV)) {
                aboveMain = aboveMain || w == Dialog();
            }
        },
        setup.get());
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(TopMostRequests::demotions, 0);
    EXPECT_TRUE(aboveMain);
}

TEST_F(ThemeEditorDialogTest, F1OpensTheTopicOfTheFocusedControl) {
    test::WriteBytes(folder_.File("Moravel.HLP"), "<html><body>help</body></html>");
    program_.helpFile = folder_.File("Moravel.HLP");
    theme_.ForeType = ForeKind::Pattern;
    theme_.ForeEdge = 1;
    theme_.BackType = BackKind::Image;
    program_.editorTheme = theme_;
    HelpLaunches::Intercept(true);
    HelpLaunches::Clear();
    std::vector<std::string> topics;
    Edit([&] {
        const auto f1 = [&](int page, int id) {
            Click(IDC_optPage_0 + page);
            Press(id, VK_F1);
            const std::vector<std::string>& opened = HelpLaunches::Opened();
            const std::string url = opened.empty() ? "" : opened.back();
            topics.push_back(url.substr(url.find('#') + 1));
        };
        f1(0, IDC_txtTitle);
        f1(0, IDC_hscForeNo);
        f1(0, IDC_cmdForeColor_0 + 1);
        f1(0, IDC_chkForeEdge);
        f1(1, IDC_cboBackName);
        f1(2, IDC_cmdGraphVColor_0);
        f1(3, IDC_optGraphHLineMode_0 + 1);
        f1(4, IDC_txtTextSuffix);
        f1(4, IDC_optTextPosition_0 + 4);
        f1(4, IDC_optPage_0 + 4);
        f1(4, IDOK);
    });
    EXPECT_EQ(topics, (std::vector<std::string>{"2001", "2104", "2102", "2106", "2204", "2502",
                                                "2404", "2306", "2304", "2002", "2003"}));
    EXPECT_EQ(HelpLaunches::Opened().size(), topics.size());
}

}  // namespace
}  // namespace moravel
