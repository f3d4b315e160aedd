// The common dialogs and message boxes, answered through their hooks: what the system would be
// given, and what becomes of its answers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/dialogs/ComDlg.h"
#include "core/render/Colour.h"
#include "win32/ColorDialog.h"
#include "win32/FileDialog.h"
#include "win32/FontDialog.h"
#include "win32/Handles.h"
#include "win32/Prompts.h"

namespace moravel {
namespace {

const HWND kOwner = reinterpret_cast<HWND>(0x1234);

FileDialogRequest SaveAsRequest(const std::string& fileName) {
    Win32FileDialog backend;
    clsComDlg dialog(backend);
    dialog.Filter = "テーマファイル(tm)|*.tm";
    dialog.OwnerhWnd = Win32FileDialog::OwnerHandle(kOwner);
    dialog.Flags = 0x28080C;
    dialog.DialogTitle = "名前を付けて保存";
    dialog.FileName = fileName;
    dialog.FilterIndex = 1;
    return dialog.BuildRequest(FileDialogAction::Save);
}

TEST(FileDialogTest, TheRecordCarriesTheRequestInTheSystemsShape) {
    FileDialogRecord dialog(SaveAsRequest("C:\\Moravel\\Themes\\夜.tm"), nullptr);
    const OPENFILENAMEW& record = dialog.record();
    EXPECT_EQ(record.lStructSize, sizeof(OPENFILENAMEW));
    EXPECT_EQ(record.hwndOwner, kOwner);
    EXPECT_EQ(dialog.filter(), std::wstring(L"テーマファイル(tm)\0*.tm\0\0", 18));
    EXPECT_EQ(record.lpstrFilter, dialog.filter().c_str());
    EXPECT_EQ(record.nFilterIndex, 1u);
    EXPECT_STREQ(record.lpstrFile, L"夜.tm");
    EXPECT_EQ(record.nMaxFile, 255u);
    EXPECT_EQ(record.nMaxFileTitle, 255u);
    EXPECT_STREQ(record.lpstrInitialDir, L"C:\\Moravel\\Themes");
    EXPECT_STREQ(record.lpstrTitle, L"名前を付けて保存");
    EXPECT_EQ(record.Flags, 0x28080Cu);
    EXPECT_EQ(record.lpstrDefExt, nullptr);

    // No file: an empty file box and the system's own folder.
    FileDialogRecord bare(SaveAsRequest(""), nullptr);
    EXPECT_STREQ(bare.record().lpstrFile, L"");
    EXPECT_EQ(bare.record().lpstrInitialDir, nullptr);
    FileDialogRequest none;
    EXPECT_EQ(FileDialogRecord(none, nullptr).record().lpstrFilter, nullptr);
}

TEST(FileDialogTest, ALongFileNameIsCutToTheBufferWithItsClosingNul) {
    FileDialogRecord plain(SaveAsRequest("C:\\" + std::string(300, 'a')), nullptr);
    EXPECT_EQ(std::wstring(plain.record().lpstrFile), std::wstring(254, L'a'));
    // U+1F600 takes two UTF-16 units: a pair that would not fit whole is left out.
    FileDialogRecord pairs(SaveAsRequest("C:\\" + std::string(253, 'a') + "😀"), nullptr);
    EXPECT_EQ(std::wstring(pairs.record().lpstrFile), std::wstring(253, L'a'));
}

TEST(FileDialogTest, TheAnswerIsTheFileBufferUpToItsDoubleNul) {
    FileDialogRecord dialog(SaveAsRequest(""), nullptr);
    OPENFILENAMEW& record = dialog.record();
    wcscpy(record.lpstrFile, L"C:\\テーマ\\new.tm");
    record.nFilterIndex = 2;
    FileDialogAnswer answer = dialog.Answer();
    EXPECT_EQ(answer.path, "C:\\テーマ\\new.tm");
    EXPECT_EQ(answer.filterIndex, 2);

    // Several files: the folder and the names, NUL between them.
    const wchar_t several[] = L"C:\\x\0a.tm\0b.tm\0";
    std::copy(std::begin(several), std::end(several), record.lpstrFile);
    EXPECT_EQ(dialog.Answer().path, std::string("C:\\x\0a.tm\0b.tm", 14));
    // A full buffer has no second NUL to stop at.
    std::fill_n(record.lpstrFile, 254, L'b');
    EXPECT_EQ(dialog.Answer().path, std::string(254, 'b'));
}

TEST(FileDialogTest, ScriptedAnswersReachClsComDlg) {
    Win32FileDialog backend;
    clsComDlg dialog(backend);
    dialog.Filter = "テーマファイル(tm)|*.tm";
    dialog.FileName = "C:\\old.tm";
    dialog.FilterIndex = 1;
    Win32FileDialog::ClearAsked();
    Win32FileDialog::SetNextAnswers({FileDialogAnswer{"C:\\new.tm", 3}, std::nullopt});
    dialog.Action(FileDialogAction::Save);
    EXPECT_EQ(dialog.FileName, "C:\\new.tm");
    EXPECT_EQ(dialog.FilterIndex, 3);
    dialog.Action(FileDialogAction::Open);  // cancelled
    EXPECT_EQ(dialog.FileName, "");
    EXPECT_EQ(dialog.FilterIndex, 3);
    ASSERT_EQ(Win32FileDialog::Asked().size(), 2u);
    EXPECT_EQ(Win32FileDialog::Asked()[0].action, FileDialogAction::Save);
    EXPECT_EQ(Win32FileDialog::Asked()[0].fileBox, "old.tm");
    EXPECT_EQ(Win32FileDialog::Asked()[1].action, FileDialogAction::Open);
}

TEST(ColorDialogTest, CustomColoursStartBlackAndCarryOverWithinTheRun) {
    ColorDialogAnswers::ClearAsked();
    ColorDialogAnswers::SetNextAnswers({
        [](CHOOSECOLORW& record) {
            EXPECT_EQ(record.lStructSize, sizeof(CHOOSECOLORW));
            EXPECT_EQ(record.hwndOwner, kOwner);
            EXPECT_EQ(record.Flags, static_cast<DWORD>(CC_RGBINIT));
            EXPECT_EQ(record.rgbResult, 0x00336699u);
            for (int i = 0; i < kCustomColourCount; ++i) {
                EXPECT_EQ(record.lpCustColors[i], 0u) << i;
            }
            record.lpCustColors[3] = RGB(255, 0, 0);  // the user defines a custom colour
            record.rgbResult = RGB(255, 0, 0);
            return true;
        },
        [](CHOOSECOLORW& record) {
            EXPECT_EQ(record.lpCustColors[3], RGB(255, 0, 0));
            EXPECT_EQ(record.rgbResult, ResolveColour(kButtonFaceColour));
            return false;
        },
    });
    EXPECT_EQ(ShowColorDialog(kOwner, 0x00336699), 0x0000FF);
    EXPECT_EQ(ShowColorDialog(kOwner, static_cast<std::int32_t>(kButtonFaceColour)), -1);
    EXPECT_EQ(CustomColours()[3], RGB(255, 0, 0));
    ASSERT_EQ(ColorDialogAnswers::Asked().size(), 2u);
    EXPECT_EQ(ColorDialogAnswers::Asked()[0], 0x00336699);
}

double ScreenDpiX() {
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSX);
}

TEST(FontDialogTest, TheDialogOpensOnTheThemesFontWithinTheLimits) {
    FontDialogAnswers::ClearAsked();
    FontDialogAnswers::SetNextAnswers({[](CHOOSEFONTW& record) {
        EXPECT_EQ(record.lStructSize, sizeof(CHOOSEFONTW));
        EXPECT_EQ(record.hwndOwner, kOwner);
        EXPECT_EQ(record.nSizeMin, 1);
        EXPECT_EQ(record.nSizeMax, 300);
        EXPECT_EQ(record.Flags & ~static_cast<DWORD>(CF_ENABLEHOOK), 0x2041u);
        return false;
    }});
    std::string face = "ＭＳ ゴシック";
    double size = 14;
    std::int32_t style = 1 | 4;
    EXPECT_EQ(ShowFontDialog(kOwner, face, size, style), -1);
    EXPECT_EQ(face, "ＭＳ ゴシック");
    EXPECT_EQ(size, 14);
    EXPECT_EQ(style, 5);

    ASSERT_EQ(FontDialogAnswers::Asked().size(), 1u);
    const LOGFONTW& font = FontDialogAnswers::Asked()[0];
    EXPECT_EQ(font.lfHeight, -static_cast<LONG>(std::lround(14 * ScreenDpiX() / 72)));
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(font.lfStrikeOut, 0);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(font.lfFaceName, L"ＭＳ ゴシック");

    // A face of more than 31 bytes in the code page is cut between characters.
    FontDialogAnswers::SetNextAnswers({nullptr});
    std::string longFace = "とても長い名前のフォントフェイスですよ";  // 19 characters
    ShowFontDialog(kOwner, longFace, size, style);
    const std::wstring sent = FontDialogAnswers::Asked()[1].lfFaceName;
    EXPECT_EQ(sent.size(), 15u);  // 15 double-byte characters make 30 bytes
    EXPECT_EQ(longFace, "とても長い名前のフォントフェイスですよ");  // cancelled: untouched
}

TEST(FontDialogTest, TheConfirmedFontBecomesFaceSizeAndStyleBits) {
    // A light weight counts as bold, since only 400 is not; the size comes in tenths of a point.
    // Underline is not offered (no effects), so it stays as it was.
    FontDialogAnswers::SetNextAnswers({[](CHOOSEFONTW& record) {
        wcscpy(record.lpLogFont->lfFaceName, L"IPAPGothic");
        record.lpLogFont->lfWeight = 300;
        record.lpLogFont->lfItalic = 1;
        record.lpLogFont->lfStrikeOut = 1;
        record.iPointSize = 105;
        return true;
    }});
    std::string face = "ＭＳ ゴシック";
    double size = 14;
    std::int32_t style = 4;
    EXPECT_EQ(ShowFontDialog(kOwner, face, size, style), 0);
    EXPECT_EQ(face, "IPAPGothic");
    EXPECT_EQ(size, 10.5);
    EXPECT_EQ(style, 1 | 2 | 4 | 8);
}

TEST(FontDialogTest, WhatTheUserLeftAsShownKeepsWhereItCameFrom) {
    // 10.5 points is shown as 11, the whole points of its 14 pixels; OK without a change keeps
    // 10.5. The face is left as named.
    FontDialogAnswers::SetNextAnswers({
        [](CHOOSEFONTW& record) {
            record.iPointSize = static_cast<INT>(
                std::lround(-record.lpLogFont->lfHeight * 72.0 / ScreenDpiX()) * 10);
            return true;
        },
        [](CHOOSEFONTW& record) {
            record.iPointSize = 120;
            return true;
        },
    });
    std::string face = "ＭＳ ゴシック";
    double size = 10.5;
    std::int32_t style = 0;
    EXPECT_EQ(ShowFontDialog(kOwner, face, size, style), 0);
    EXPECT_EQ(face, "ＭＳ ゴシック");
    EXPECT_EQ(size, 10.5);
    EXPECT_EQ(ShowFontDialog(kOwner, face, size, style), 0);
    EXPECT_EQ(size, 12);
}

TEST(PromptsTest, MessageBoxesHaveTheRequestsIconButtonsAndDefault) {
    MessageRequest request;
    EXPECT_EQ(MessageBoxStyle(request), static_cast<UINT>(MB_OK));
    request.icon = MessageIcon::Critical;
    EXPECT_EQ(MessageBoxStyle(request), static_cast<UINT>(MB_OK | MB_ICONHAND));
    request.icon = MessageIcon::Exclamation;
    EXPECT_EQ(MessageBoxStyle(request), static_cast<UINT>(MB_ICONEXCLAMATION));
    request.icon = MessageIcon::Information;
    EXPECT_EQ(MessageBoxStyle(request), static_cast<UINT>(MB_ICONASTERISK));
    request.icon = MessageIcon::Question;
    request.buttons = MessageButtons::OkCancel;
    EXPECT_EQ(MessageBoxStyle(request), static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    request.defaultButton = MessageDefault::Second;
    EXPECT_EQ(MessageBoxStyle(request),
              static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
    request.buttons = MessageButtons::Ok;  // one button: no second to default to
    EXPECT_EQ(MessageBoxStyle(request), static_cast<UINT>(MB_OK | MB_ICONQUESTION));
}

TEST(PromptsTest, ScriptedAnswersAreGivenInTurnAndTheQuestionsRecorded) {
    Win32MessagePrompt::ClearAsked();
    Win32MessagePrompt::SetNextAnswers({MessageAnswer::Cancel, MessageAnswer::Ok});
    Win32MessagePrompt prompt(kOwner);
    MessageRequest request;
    request.text = "削除しますか？";
    request.buttons = MessageButtons::OkCancel;
    EXPECT_EQ(prompt.Show(request), MessageAnswer::Cancel);
    ShowMessage(kOwner, request);
    ASSERT_EQ(Win32MessagePrompt::Asked().size(), 2u);
    EXPECT_EQ(Win32MessagePrompt::Asked()[1].text, "削除しますか？");
}

}  // namespace
}  // namespace moravel
