// The theme editor's dialog, opened modally as the setup dialog opens it: a thread timer plays the
// user inside the dialog's own message loop, through the controls' messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/config/Theme.h"
#include "core/os/Paths.h"
#include "core/os/WideText_win.h"
#include "support/TempFolder.h"
#include "win32/ColorDialog.h"
#include "win32/DibCanvas.h"
#include "win32/FontDialog.h"
#include "win32/HelpLauncher.h"
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
        program_.gEditorTheme = theme_;
    }

    void TearDown() override {
        ColorDialogAnswers::SetNextAnswers({});
        FontDialogAnswers::SetNextAnswers({});
        HelpLaunches::Intercept(false);
        HelpLaunches::Clear();
    }

    // Opens the editor on program_.gEditorTheme, owned by `owner`, and lets `user` act on it once
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
    program_.gEditorTheme = theme_;
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

TEST_F(ThemeEditorDialogTest, F1OpensTheTopicOfTheFocusedControl) {
    test::WriteBytes(folder_.File("Moravel.HLP"), "<html><body>help</body></html>");
    program_.gHelpFile = folder_.File("Moravel.HLP");
    theme_.ForeType = ForeKind::Pattern;
    theme_.ForeEdge = 1;
    theme_.BackType = BackKind::Image;
    program_.gEditorTheme = theme_;
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
        f1(1, IDC_cboBackName);
        f1(2, IDC_cmdGraphVColor_0);
        f1(3, IDC_optGraphHLineMode_0 + 1);
        f1(4, IDC_txtTextSuffix);
        f1(4, IDC_optTextPosition_0 + 4);
        f1(4, IDC_optPage_0 + 4);
        f1(4, IDOK);
    });
    EXPECT_EQ(topics, (std::vector<std::string>{"2001", "2104", "2102", "2204", "2502", "2404",
                                                "2306", "2304", "2002", "2003"}));
    EXPECT_EQ(HelpLaunches::Opened().size(), topics.size());
}

}  // namespace
}  // namespace moravel
