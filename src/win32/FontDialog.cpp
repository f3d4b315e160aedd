#include "win32/FontDialog.h"

#include <dlgs.h>

#include <cmath>
#include <cwchar>
#include <limits>

#include "core/base/Strings.h"
#include "core/dialogs/FontChoice.h"
#include "core/dialogs/ScriptedAnswers.h"
#include "core/os/WideText_win.h"
#include "win32/Handles.h"

namespace moravel {
namespace {

// Asked by the font the dialog opens on; the flags of each are kept beside.
ScriptedAnswers<FontDialogAnswers::Answer, LOGFONTW>& Script() {
    static ScriptedAnswers<FontDialogAnswers::Answer, LOGFONTW> script;
    return script;
}

std::vector<DWORD>& AskedFlagWords() {
    static std::vector<DWORD> asked;
    return asked;
}

// What the dialog showed when it opened.
struct Shown {
    std::wstring face;
    double points = std::numeric_limits<double>::quiet_NaN();
};

double ScreenDpiX() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

// The font the dialog opens with: the height of the size in whole pixels (as a character height,
// so that the dialog shows the size itself and not the size of a taller cell).
LOGFONTW LogFontFor(const FontChoice& choice, double dpi) {
    LOGFONTW font = {};
    font.lfHeight = -static_cast<LONG>(RoundHalfEven(choice.points * dpi / 72.0));
    font.lfWeight = choice.weight;
    font.lfItalic = choice.italic ? 1 : 0;
    font.lfUnderline = choice.underline ? 1 : 0;
    font.lfStrikeOut = choice.strikeOut ? 1 : 0;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = Utf8ToWide(choice.face);  // at most 31 ANSI bytes, so 31 characters
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return font;
}

double ParsePoints(std::wstring text) {
    for (wchar_t& c : text) {
        c = c == L',' ? L'.' : c;
    }
    wchar_t* end = nullptr;
    const double points = std::wcstod(text.c_str(), &end);
    return end != text.c_str() && points > 0 ? points : std::numeric_limits<double>::quiet_NaN();
}

// Reads the face and size boxes once the dialog has set itself up.
UINT_PTR CALLBACK ReadShownFont(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* record = reinterpret_cast<const CHOOSEFONTW*>(lParam);
        auto* shown = reinterpret_cast<Shown*>(record->lCustData);
        wchar_t text[LF_FACESIZE] = {};
        if (GetDlgItemTextW(dialog, cmb1, text, LF_FACESIZE) > 0) {
            shown->face = text;
        }
        if (GetDlgItemTextW(dialog, cmb3, text, LF_FACESIZE) > 0) {
            shown->points = ParsePoints(text);
        }
        return TRUE;
    }
    return FALSE;
}

// The user's answer as a font choice: a face or size left as shown keeps where it came from.
FontChoice ChosenFont(const CHOOSEFONTW& record, const FontChoice& opened, const Shown& shown) {
    const LOGFONTW& font = *record.lpLogFont;
    FontChoice chosen;
    chosen.face =
        CompareStringOrdinal(font.lfFaceName, -1, shown.face.c_str(), -1, TRUE) == CSTR_EQUAL
            ? opened.face
            : WideToUtf8(font.lfFaceName);
    const double points = record.iPointSize / 10.0;  // tenths of a point
    chosen.points = points == shown.points ? opened.points : points;
    chosen.weight = font.lfWeight;
    chosen.italic = font.lfItalic != 0;
    chosen.underline = font.lfUnderline != 0;
    chosen.strikeOut = font.lfStrikeOut != 0;
    return chosen;
}

}  // namespace

void FontDialogAnswers::SetNextAnswers(std::deque<Answer> answers) {
    Script().SetNext(std::move(answers));
}

const std::vector<LOGFONTW>& FontDialogAnswers::Asked() {
    return Script().Asked();
}

const std::vector<DWORD>& FontDialogAnswers::AskedFlags() {
    return AskedFlagWords();
}

void FontDialogAnswers::ClearAsked() {
    Script().ClearAsked();
    AskedFlagWords().clear();
}

std::int32_t ShowFontDialog(HWND owner, std::string& faceName, double& size, std::int32_t& style) {
    const FontChoice opened = FontChoiceFor(faceName, size, style);
    const double dpi = ScreenDpiX();
    LOGFONTW font = LogFontFor(opened, dpi);
    Shown shown;
    CHOOSEFONTW record = {};
    record.lStructSize = sizeof(record);
    record.hwndOwner = owner;
    record.lpLogFont = &font;
    record.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE | CF_ENABLEHOOK;
    record.lpfnHook = ReadShownFont;
    record.lCustData = reinterpret_cast<LPARAM>(&shown);
    record.nSizeMin = static_cast<INT>(kFontDialogMinPoints);
    record.nSizeMax = static_cast<INT>(kFontDialogMaxPoints);
    AskedFlagWords().push_back(record.Flags);

    bool confirmed = false;
    if (auto answer = Script().Take(font)) {
        shown.face = font.lfFaceName;
        shown.points = std::round(-font.lfHeight * 72.0 / dpi);
        confirmed = *answer && (*answer)(record);
    } else {
        confirmed = ChooseFontW(&record) != 0;
    }
    if (!confirmed) {
        return -1;
    }
    ApplyFontChoice(ChosenFont(record, opened, shown), faceName, size, style);
    return 0;
}

}  // namespace moravel
