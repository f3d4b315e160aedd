#include "win32/fomThemeSetup.h"

#include <oleacc.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "core/app/Texts.h"
#include "core/os/WideText_win.h"
#include "core/render/Colour.h"
#include "win32/Accessible.h"
#include "win32/ColorDialog.h"
#include "win32/DialogItems.h"
#include "win32/FontDialog.h"
#include "win32/HelpLauncher.h"
#include "win32/Prompts.h"
#include "win32/SurfaceDisplay.h"
#include "win32/WindowHelpers.h"
#include "win32/fomThemeSetupResource.h"

namespace moravel {
namespace {

constexpr int kSwatchToButton = 10;   // a colour's "..." button follows its swatch by 10
constexpr int kCaptionToSwatch = 10;  // and the swatch its caption
constexpr int kHorizontalPage = 100;  // the horizontal lines' numbers: the vertical ones' + 100
constexpr int kPatternPageStep = 10;  // a click beside a scroll bar's thumb

// Every swatch; the position in this list is that of its brush.
constexpr std::array<int, 13> kSwatches = {
    IDC_lblForeColor_0,       IDC_lblForeColor_0 + 1, IDC_lblForeColor_0 + 2,
    IDC_lblBackColor,         IDC_lblGraphVColor_0,   IDC_lblGraphVColor_0 + 1,
    IDC_lblGraphVColor_0 + 2, IDC_lblGraphHColor_0,   IDC_lblGraphHColor_0 + 1,
    IDC_lblGraphHColor_0 + 2, IDC_lblTextColor_0,     IDC_lblTextColor_0 + 1,
    IDC_lblTextColor_0 + 2};

// A group of option buttons with consecutive numbers and what a click on one of them does.
struct OptionGroup {
    int first;
    int count;
    void (*click)(ThemeEditorState& state, std::int32_t index);
};

const OptionGroup kOptionGroups[] = {
    {IDC_optPage_0, 5, [](ThemeEditorState& s, std::int32_t i) { s.SelectPage(i); }},
    {IDC_optForeType_0, 4, [](ThemeEditorState& s, std::int32_t i) { s.SelectForeType(i); }},
    {IDC_optBackType_0, 3, [](ThemeEditorState& s, std::int32_t i) { s.SelectBackType(i); }},
    {IDC_optTextType_0, 3, [](ThemeEditorState& s, std::int32_t i) { s.SelectTextType(i); }},
    {IDC_optTextPosition_0, 9,
     [](ThemeEditorState& s, std::int32_t i) { s.SelectTextPosition(i); }},
    {IDC_optGraphVType_0, 4, [](ThemeEditorState& s, std::int32_t i) { s.SelectVLineType(i); }},
    {IDC_optGraphVLineType_0, 3,
     [](ThemeEditorState& s, std::int32_t i) { s.optGraphVLineType.Select(i); }},
    {IDC_optGraphVLineMode_0, 3,
     [](ThemeEditorState& s, std::int32_t i) { s.optGraphVLineMode.Select(i); }},
    {IDC_optGraphHType_0, 4, [](ThemeEditorState& s, std::int32_t i) { s.SelectHLineType(i); }},
    {IDC_optGraphHLineType_0, 3,
     [](ThemeEditorState& s, std::int32_t i) { s.optGraphHLineType.Select(i); }},
    {IDC_optGraphHLineMode_0, 3,
     [](ThemeEditorState& s, std::int32_t i) { s.optGraphHLineMode.Select(i); }},
};

// Device pixels to each pixel of the pictures: whole multiples only, so that the pattern
// previews stay sharp; the font sample is drawn at the same density.
int PixelScale() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    return std::max(1, dpi / USER_DEFAULT_SCREEN_DPI);
}

// Turns button `selected` of the `count` buttons from `first` on and the others off; -1 turns
// them all off.
void CheckOptions(HWND dialog, int first, int count, std::int32_t selected) {
    for (int i = 0; i < count; ++i) {
        CheckDlgButton(dialog, first + i, i == selected ? BST_CHECKED : BST_UNCHECKED);
    }
}

void Enable(HWND dialog, std::initializer_list<int> ids, bool enabled) {
    for (const int id : ids) {
        EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
    }
}

void EnableRange(HWND dialog, int first, int count, bool enabled) {
    for (int i = 0; i < count; ++i) {
        EnableWindow(GetDlgItem(dialog, first + i), enabled ? TRUE : FALSE);
    }
}

int SwatchIndex(int id) {
    const auto* found = std::find(kSwatches.begin(), kSwatches.end(), id);
    return found == kSwatches.end() ? -1 : static_cast<int>(found - kSwatches.begin());
}

// The help topics by control. Within a page the tens say the group: 0 the type options, 1 to 3 a
// colour's caption, swatch and button (the units say which colour), then the page's own rows.
HelpContext GraphPageTopic(int tens, int units) {
    namespace h = ThemeEditorHelp;
    switch (tens) {
        case 0:
            return units == 5 ? h::ForeEdge : h::ForeType;
        case 1:
        case 2:
        case 3:
            return units == 3 ? h::ForeGraphColour : h::ForeLineColours;
        case 4:
            return h::ForeNo;
        case 5:
            return h::ForeName;
        default:
            return h::ForePosition;
    }
}

HelpContext BackPageTopic(int tens) {
    namespace h = ThemeEditorHelp;
    static constexpr HelpContext kByTens[] = {h::BackType,   h::BackColour, h::BackColour,
                                              h::BackColour, h::BackNo,     h::BackName};
    return kByTens[std::clamp(tens, 0, 5)];
}

HelpContext LinePageTopic(bool vertical, int tens) {
    const LinePageHelp help = LinePageHelpOf(vertical);
    switch (tens) {
        case 0:
            return help.type;
        case 4:
            return help.lineKind;
        case 5:
            return help.lineMode;
        default:
            return help.colours;
    }
}

HelpContext TextPageTopic(int tens, int units) {
    namespace h = ThemeEditorHelp;
    switch (tens) {
        case 0:
            return h::TextType;
        case 1:
        case 2:
        case 3:
            return units == 1 ? h::TextColour : h::TextEdgeColours;
        case 4:
            return h::TextAdditional;
        case 5:
            return h::TextFont;
        default:
            return h::TextPosition;
    }
}

HelpContext HelpContextOf(int id) {
    namespace h = ThemeEditorHelp;
    const int tens = id % 100 / 10;
    const int units = id % 10;
    switch (THEMESETUP_PAGE_OF(id)) {
        case 0:
            return GraphPageTopic(tens, units);
        case 1:
            return BackPageTopic(tens);
        case 2:
            return LinePageTopic(true, tens);
        case 3:
            return LinePageTopic(false, tens);
        case 4:
            return TextPageTopic(tens, units);
        default:
            break;
    }
    if (id >= IDC_optPage_0 && id <= IDC_optPage_4) {
        return h::Pages;
    }
    switch (id) {
        case IDC_Label1:
        case IDC_txtTitle:
            return h::Title;
        case IDOK:
            return h::Ok;
        case IDCANCEL:
            return h::Cancel;
        default:
            return HelpContext::None;
    }
}

}  // namespace

fomThemeSetup::fomThemeSetup(HWND owner, ProgramState& program)
    : owner_(owner),
      program_(program),
      pixelScale_(PixelScale()),
      fonts_(static_cast<double>(USER_DEFAULT_SCREEN_DPI) * pixelScale_),
      state_(std::make_unique<ThemeEditorState>(fonts_, images_, pixelScale_)) {}

fomThemeSetup::~fomThemeSetup() = default;

int fomThemeSetup::Edit() {
    state_->Begin(program_.editorTheme);
    RunDialog(IDD_THEMESETUP, owner_, &fomThemeSetup::DialogProc, reinterpret_cast<LPARAM>(this));
    if (state_->EditResult >= 0) {
        program_.editorTheme = state_->WorkTheme;
        return state_->EditResult;
    }
    return -1;
}

INT_PTR CALLBACK fomThemeSetup::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    return ServeDialog(dialog, message, wParam, lParam, &fomThemeSetup::dialog_,
                       &fomThemeSetup::HandleMessage);
}

INT_PTR fomThemeSetup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            Form_Load();
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_HSCROLL:
            OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            // A swatch's brush; null lets the dialog paint the other captions as usual.
            return reinterpret_cast<INT_PTR>(SwatchBrushOf(reinterpret_cast<HWND>(lParam)));
        case WM_DRAWITEM:
            DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_HELP:
            OnHelp(*reinterpret_cast<const HELPINFO*>(lParam));
            return TRUE;
        case WM_WINDOWPOSCHANGED:
            if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0) {
                Form_Show();
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void fomThemeSetup::Form_Load() {
    SetWindowTextW(dialog_, Utf8ToWide(Localised(kThemeEditorCaption)).c_str());
    if (owner_ != nullptr && IsWindowVisible(owner_) != FALSE) {
        PlaceDialog(dialog_, owner_, PlaceMode::Cascade);
    }
    state_->Load();
    FitPictureBoxes();
    FillImageLists();
    NameDrawnControls();
    WriteWidgets();
}

// What a screen reader says of the controls that have no caption of their own, as on the other
// front end: a swatch its caption and colour, a "..." button the colour it changes, the pictures
// what they show, the nine places their place, the lists and bars their label.
void fomThemeSetup::NameDrawnControls() {
    for (const int id : kSwatches) {
        NameControl(GetDlgItem(dialog_, id), [this, id] {
            return SwatchName(ItemText(dialog_, id - kCaptionToSwatch), *SwatchOf(id));
        });
        NameByLabel(dialog_, id + kSwatchToButton, id - kCaptionToSwatch);
    }
    NameControl(
        GetDlgItem(dialog_, IDC_picForeNo),
        [this] { return PatternPreviewName(state_->hscForeNo); }, ROLE_SYSTEM_GRAPHIC);
    NameControl(
        GetDlgItem(dialog_, IDC_picBackNo),
        [this] { return PatternPreviewName(state_->hscBackNo); }, ROLE_SYSTEM_GRAPHIC);
    NameControl(
        GetDlgItem(dialog_, IDC_picTextFont),
        [this] { return FontSampleName(state_->WorkTheme.TextFont); }, ROLE_SYSTEM_GRAPHIC);
    for (int i = 0; i < 9; ++i) {
        NameControl(GetDlgItem(dialog_, IDC_optTextPosition_0 + i),
                    [i] { return std::string(TextPositionName(i)); });
    }
    // The pattern bars and the image lists, whose own text is their value.
    NameByLabel(dialog_, IDC_hscForeNo, IDC_lblForeNoLbl);
    NameByLabel(dialog_, IDC_hscBackNo, IDC_lblBackNoLbl);
    NameByLabel(dialog_, IDC_cboForeName, IDC_lblForeName);
    NameByLabel(dialog_, IDC_cboBackName, IDC_lblBackName);
}

// Shown: above the always-on-top main window, when it is one (raised once the dialog is on the
// screen, where the raise shows), which stays on top.
void fomThemeSetup::Form_Show() {
    if (KeepsOnTop(program_.settings.TopMost)) {
        RaiseDialog(dialog_);
    }
}

// The picture boxes take the size of the pictures they show, inside their frames.
void fomThemeSetup::FitPictureBoxes() {
    const std::pair<int, const Surface*> boxes[] = {{IDC_picForeNo, &state_->picForeNo},
                                                    {IDC_picBackNo, &state_->picBackNo},
                                                    {IDC_picTextFont, &state_->picTextFont}};
    for (const auto& [id, picture] : boxes) {
        const HWND box = GetDlgItem(dialog_, id);
        RECT frame = {};
        RECT client = {};
        GetWindowRect(box, &frame);
        GetClientRect(box, &client);
        const int width = picture->Width() + (frame.right - frame.left) - client.right;
        const int height = picture->Height() + (frame.bottom - frame.top) - client.bottom;
        SetWindowPos(box, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void fomThemeSetup::FillImageLists() {
    const std::pair<int, const ImageList*> lists[] = {{IDC_cboForeName, &state_->cboForeName},
                                                      {IDC_cboBackName, &state_->cboBackName}};
    for (const auto& [id, list] : lists) {
        const HWND combo = GetDlgItem(dialog_, id);
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const ImageListEntry& entry : list->entries) {
            const LRESULT index = SendMessageW(
                combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(entry.text).c_str()));
            SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index),
                         static_cast<LPARAM>(entry.itemData));
        }
    }
}

void fomThemeSetup::WriteWidgets() {
    const ThemeEditorState& s = *state_;
    writing_ = true;
    WriteText(IDC_txtTitle, s.txtTitle);
    CheckOptions(dialog_, IDC_optPage_0, 5, s.optPage.Selected());
    ShowPage(s.optPage.Value());
    WriteGraphPage();
    WriteBackPage();
    WriteLinePage(true);
    WriteLinePage(false);
    WriteTextPage();
    writing_ = false;
    ShowPictures();
}

void fomThemeSetup::WriteGraphPage() {
    const ThemeEditorState& s = *state_;
    CheckOptions(dialog_, IDC_optForeType_0, 4, s.optForeType.Selected());
    Enable(dialog_, {IDC_optForeType_0 + 2}, s.PatternChoicesEnabled());
    CheckDlgButton(dialog_, IDC_chkForeEdge, s.chkForeEdge ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, IDC_chkForePosition, s.chkForePosition ? BST_CHECKED : BST_UNCHECKED);
    // Setting a scroll bar's range enables it: its value goes in before the rules.
    WriteScroll(IDC_hscForeNo, s.hscForeNo, s.lblForeNo);
    const GraphPageEnabling& g = s.graphPage;
    Enable(dialog_,
           {IDC_lblForeColorLbl_0, IDC_cmdForeColor_0, IDC_lblForeColorLbl_0 + 1,
            IDC_cmdForeColor_0 + 1},
           g.lineColours);
    Enable(dialog_, {IDC_lblForeColorLbl_0 + 2, IDC_cmdForeColor_0 + 2}, g.graphColour);
    Enable(dialog_, {IDC_lblForeNoLbl, IDC_hscForeNo, IDC_lblForeNo, IDC_picForeNo}, g.pattern);
    Enable(dialog_, {IDC_lblForeName, IDC_cboForeName}, g.fileName);
    Enable(dialog_, {IDC_chkForeEdge}, g.edge);
    Enable(dialog_, {IDC_chkForePosition}, g.stretch);
    SendDlgItemMessageW(dialog_, IDC_cboForeName, CB_SETCURSEL,
                        static_cast<WPARAM>(s.cboForeName.selected), 0);
}

void fomThemeSetup::WriteBackPage() {
    const ThemeEditorState& s = *state_;
    CheckOptions(dialog_, IDC_optBackType_0, 3, s.optBackType.Selected());
    Enable(dialog_, {IDC_optBackType_0 + 1}, s.PatternChoicesEnabled());
    WriteScroll(IDC_hscBackNo, s.hscBackNo, s.lblBackNo);
    const BackPageEnabling& b = s.backPage;
    Enable(dialog_, {IDC_lblBackColorLbl, IDC_cmdBackColor}, b.colour);
    Enable(dialog_, {IDC_lblBackNoLbl, IDC_hscBackNo, IDC_lblBackNo, IDC_picBackNo}, b.pattern);
    Enable(dialog_, {IDC_lblBackName, IDC_cboBackName}, b.fileName);
    SendDlgItemMessageW(dialog_, IDC_cboBackName, CB_SETCURSEL,
                        static_cast<WPARAM>(s.cboBackName.selected), 0);
}

void fomThemeSetup::WriteLinePage(bool vertical) {
    const ThemeEditorState& s = *state_;
    const int page = vertical ? 0 : kHorizontalPage;
    CheckOptions(dialog_, IDC_optGraphVType_0 + page, 4,
                 (vertical ? s.optGraphVType : s.optGraphHType).Selected());
    CheckOptions(dialog_, IDC_optGraphVLineType_0 + page, 3,
                 (vertical ? s.optGraphVLineType : s.optGraphHLineType).Selected());
    CheckOptions(dialog_, IDC_optGraphVLineMode_0 + page, 3,
                 (vertical ? s.optGraphVLineMode : s.optGraphHLineMode).Selected());
    const LinePageEnabling& e = vertical ? s.vLinePage : s.hLinePage;
    for (int i = 0; i < 3; ++i) {
        Enable(dialog_, {IDC_lblGraphVColorLbl_0 + page + i, IDC_cmdGraphVColor_0 + page + i},
               e.colours[static_cast<std::size_t>(i)]);
    }
    Enable(dialog_, {IDC_lblGraphVLineType + page, IDC_lblGraphVLineMode + page}, e.lineKind);
    EnableRange(dialog_, IDC_optGraphVLineType_0 + page, 3, e.lineKind);
    EnableRange(dialog_, IDC_optGraphVLineMode_0 + page, 3, e.lineKind);
}

void fomThemeSetup::WriteTextPage() {
    const ThemeEditorState& s = *state_;
    CheckOptions(dialog_, IDC_optTextType_0, 3, s.optTextType.Selected());
    CheckOptions(dialog_, IDC_optTextPosition_0, 9, s.optTextPosition.Selected());
    WriteText(IDC_lblTextPosition, s.lblTextPosition);
    const TextPageEnabling& t = s.textPage;
    Enable(dialog_,
           {IDC_lblTextColorLbl_0, IDC_cmdTextColor_0, IDC_txtTextPrefix, IDC_txtTextSuffix,
            IDC_cmdTextFont, IDC_Frame5},
           t.text);
    EnableRange(dialog_, IDC_optTextPosition_0, 9, t.text);  // the buttons inside Frame5
    Enable(dialog_,
           {IDC_lblTextColorLbl_0 + 1, IDC_cmdTextColor_0 + 1, IDC_lblTextColorLbl_0 + 2,
            IDC_cmdTextColor_0 + 2},
           t.edgeColours);
    WriteText(IDC_txtTextPrefix, s.txtTextPrefix);
    WriteText(IDC_txtTextSuffix, s.txtTextSuffix);
}

void fomThemeSetup::WriteScroll(int id, const ScrollValue& scroll, const std::string& counter) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = 0;
    info.nMax = scroll.max;
    info.nPos = scroll.value;
    SetScrollInfo(GetDlgItem(dialog_, id), SB_CTL, &info, TRUE);
    WriteText(id + 1, counter);  // the counter beside the scroll bar
}

// Sets a control's text only when it differs, so that a text box being typed in keeps its caret.
void fomThemeSetup::WriteText(int id, const std::string& text) {
    if (ItemText(dialog_, id) != text) {
        SetDlgItemTextW(dialog_, id, Utf8ToWide(text).c_str());
    }
}

// Shows the controls of `page` and hides those of the other pages.
void fomThemeSetup::ShowPage(std::int32_t page) {
    for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const int on = THEMESETUP_PAGE_OF(GetDlgCtrlID(child));
        if (on < 0) {
            continue;
        }
        const bool shown = (GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown != (on == page)) {
            ShowWindow(child, on == page ? SW_SHOWNA : SW_HIDE);
        }
    }
}

void fomThemeSetup::ShowPictures() {
    for (const int id : {IDC_picForeNo, IDC_picBackNo, IDC_picTextFont}) {
        InvalidateRect(GetDlgItem(dialog_, id), nullptr, FALSE);
    }
    for (std::size_t i = 0; i < kSwatches.size(); ++i) {
        const std::int32_t* colour = SwatchOf(kSwatches[i]);
        if (!swatchBrushes_[i].brush ||
            swatchBrushes_[i].colour != ResolveColour(static_cast<Colour>(*colour))) {
            InvalidateRect(GetDlgItem(dialog_, kSwatches[i]), nullptr, TRUE);
            AnnounceName(GetDlgItem(dialog_, kSwatches[i]));  // the name says the colour
        }
    }
}

void fomThemeSetup::OnCommand(int id, int code) {
    switch (id) {
        case IDOK:
            cmdExit_Click();
            return;
        case IDCANCEL:  // the cancel button, Esc and closing the window
            cmdCancel_Click();
            return;
        case IDC_txtTitle:
        case IDC_txtTextPrefix:
        case IDC_txtTextSuffix:
            if (code == EN_CHANGE && !writing_) {
                OnTextChange(id);
            }
            return;
        case IDC_cboForeName:
        case IDC_cboBackName:
            if (code == CBN_SELCHANGE) {
                ImageList& list = id == IDC_cboForeName ? state_->cboForeName : state_->cboBackName;
                list.selected =
                    static_cast<std::int32_t>(SendDlgItemMessageW(dialog_, id, CB_GETCURSEL, 0, 0));
            }
            return;
        default:
            break;
    }
    if (code != BN_CLICKED) {
        return;
    }
    const bool ticked = IsDlgButtonChecked(dialog_, id) == BST_CHECKED;
    if (id == IDC_chkForeEdge) {
        state_->SetForeEdge(ticked);
    } else if (id == IDC_chkForePosition) {
        state_->SetForePosition(ticked);
    } else if (id == IDC_cmdTextFont) {
        cmdTextFont_Click();
        return;
    } else if (std::int32_t* swatch = SwatchOf(id - kSwatchToButton)) {
        PickColour(*swatch);
        return;
    } else if (!OnOption(id)) {
        return;
    }
    WriteWidgets();
}

bool fomThemeSetup::OnOption(int id) {
    for (const OptionGroup& group : kOptionGroups) {
        if (id >= group.first && id < group.first + group.count) {
            group.click(*state_, id - group.first);
            return true;
        }
    }
    return false;
}

void fomThemeSetup::OnTextChange(int id) {
    const std::string text = ItemText(dialog_, id);
    if (id == IDC_txtTitle) {
        state_->txtTitle = text;
        return;
    }
    if (id == IDC_txtTextPrefix) {
        state_->SetTextPrefix(text);
    } else {
        state_->SetTextSuffix(text);
    }
    ShowPictures();
}

// The scroll bars follow the thumb while it is dragged, as the previews and counters do.
void fomThemeSetup::OnScroll(HWND bar, int request) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (GetScrollInfo(bar, SB_CTL, &info) == FALSE) {
        return;
    }
    int value = info.nPos;
    switch (request) {
        case SB_LINELEFT:
            value -= 1;
            break;
        case SB_LINERIGHT:
            value += 1;
            break;
        case SB_PAGELEFT:
            value -= kPatternPageStep;
            break;
        case SB_PAGERIGHT:
            value += kPatternPageStep;
            break;
        case SB_LEFT:
            value = info.nMin;
            break;
        case SB_RIGHT:
            value = info.nMax;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            value = info.nTrackPos;
            break;
        default:  // SB_ENDSCROLL
            return;
    }
    const int id = GetDlgCtrlID(bar);
    if (id == IDC_hscForeNo) {
        state_->SetForePattern(value);
    } else if (id == IDC_hscBackNo) {
        state_->SetBackPattern(value);
    } else {
        return;
    }
    WriteWidgets();
}

// F1 opens the topic of the control that has the focus.
void fomThemeSetup::OnHelp(const HELPINFO& info) {
    if (info.iContextType != HELPINFO_WINDOW) {
        return;
    }
    auto item = static_cast<HWND>(info.hItemHandle);
    while (item != nullptr && GetParent(item) != dialog_ && item != dialog_) {
        item = GetParent(item);  // a part of a control: the control
    }
    const int id = item != nullptr && item != dialog_ ? GetDlgCtrlID(item) : 0;
    ShowHelp(dialog_, program_.helpFile, HelpContextOf(id));
}

HBRUSH fomThemeSetup::SwatchBrushOf(HWND control) {
    const int id = GetDlgCtrlID(control);
    const int index = SwatchIndex(id);
    if (index < 0) {
        return nullptr;
    }
    SwatchBrush& swatch = swatchBrushes_[static_cast<std::size_t>(index)];
    const COLORREF colour = ResolveColour(static_cast<Colour>(*SwatchOf(id)));
    if (!swatch.brush || swatch.colour != colour) {
        swatch.brush.reset(CreateSolidBrush(colour));
        swatch.colour = colour;
    }
    return swatch.brush.get();
}

void fomThemeSetup::DrawPicture(const DRAWITEMSTRUCT& item) {
    const Surface* picture = nullptr;
    switch (item.CtlID) {
        case IDC_picForeNo:
            picture = &state_->picForeNo;
            break;
        case IDC_picBackNo:
            picture = &state_->picBackNo;
            break;
        case IDC_picTextFont:
            picture = &state_->picTextFont;
            break;
        default:
            return;
    }
    const RECT& box = item.rcItem;
    if (box.right - box.left > picture->Width() || box.bottom - box.top > picture->Height()) {
        FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
    }
    PaintSurface(item.hDC, box.left, box.top, *picture);
}

std::int32_t* fomThemeSetup::SwatchOf(int id) {
    ThemeEditorState& s = *state_;
    const auto within = [id](int first) { return id >= first && id < first + 3; };
    if (id == IDC_lblBackColor) {
        return &s.lblBackColor;
    }
    if (within(IDC_lblForeColor_0)) {
        return &s.lblForeColor[static_cast<std::size_t>(id - IDC_lblForeColor_0)];
    }
    if (within(IDC_lblGraphVColor_0)) {
        return &s.lblGraphVColor[static_cast<std::size_t>(id - IDC_lblGraphVColor_0)];
    }
    if (within(IDC_lblGraphHColor_0)) {
        return &s.lblGraphHColor[static_cast<std::size_t>(id - IDC_lblGraphHColor_0)];
    }
    if (within(IDC_lblTextColor_0)) {
        return &s.lblTextColor[static_cast<std::size_t>(id - IDC_lblTextColor_0)];
    }
    return nullptr;
}

void fomThemeSetup::PickColour(std::int32_t& swatch) {
    ThemeEditorState::TakeColour(swatch, ShowColorDialog(dialog_, swatch));
    WriteWidgets();
}

void fomThemeSetup::cmdExit_Click() {
    Win32MessagePrompt prompt(dialog_);
    if (state_->Accept(prompt)) {
        EndDialog(dialog_, IDOK);
    }
}

void fomThemeSetup::cmdCancel_Click() {
    EndDialog(dialog_, IDCANCEL);
}

void fomThemeSetup::cmdTextFont_Click() {
    FontRecord& font = state_->WorkTheme.TextFont;
    ShowFontDialog(dialog_, font.Name, font.Size, font.Style);
    state_->TextFontChanged();
    ShowPictures();
}

}  // namespace moravel
