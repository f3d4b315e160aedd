// The theme editor: every field of one theme on five pages of a resource dialog, with the colour
// and font dialogs. The setup dialog fills the program's editorTheme, calls Edit() and reads it
// back on 0. The controls show a ThemeEditorState and forward the user's actions to it.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "core/app/ProgramState.h"
#include "core/dialogs/ThemeEditorState.h"
#include "win32/GdiFontEngine.h"
#include "win32/Handles.h"
#include "win32/WicImageLoader.h"

namespace moravel {

class fomThemeSetup {
  public:
    // `owner` is the window the editor cascades from (the setup dialog); it may be null.
    fomThemeSetup(HWND owner, ProgramState& program);
    ~fomThemeSetup();
    fomThemeSetup(const fomThemeSetup&) = delete;
    fomThemeSetup& operator=(const fomThemeSetup&) = delete;

    // Shows the editor modally on a copy of program.editorTheme. Returns 0 after OK, with the
    // edited theme in editorTheme; -1 after cancel or closing the window, editorTheme unchanged.
    int Edit();

    // The open dialog's window, null while none is open (for tests).
    HWND hwnd() const { return dialog_; }

  private:
    static constexpr std::size_t kSwatchCount = 13;

    // The brush a swatch is painted with, made again when its colour changes.
    struct SwatchBrush {
        COLORREF colour = 0;
        BrushHandle brush;
    };

    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Form_Load();
    void Form_Show();
    void FitPictureBoxes();
    void FillImageLists();
    void NameDrawnControls();

    // Shows the state: every control's value, the enabling rules and the pictures.
    void WriteWidgets();
    void WriteGraphPage();
    void WriteBackPage();
    void WriteLinePage(bool vertical);
    void WriteTextPage();
    void ShowPage(std::int32_t page);
    void ShowPictures();
    void WriteScroll(int id, const ScrollValue& scroll, const std::string& counter);
    void WriteText(int id, const std::string& text);

    // The user's actions, by control.
    void OnCommand(int id, int code);
    bool OnOption(int id);
    void OnTextChange(int id);
    void OnScroll(HWND bar, int request);
    void OnHelp(const HELPINFO& info);
    HBRUSH SwatchBrushOf(HWND control);
    void DrawPicture(const DRAWITEMSTRUCT& item);

    // The colour a swatch shows, by its control or its "..." button's; null for other controls.
    std::int32_t* SwatchOf(int id);
    // The colour dialog for one swatch; a chosen colour replaces the swatch's.
    void PickColour(std::int32_t& swatch);
    void cmdExit_Click();
    void cmdCancel_Click();
    void cmdTextFont_Click();

    HWND owner_;
    ProgramState& program_;
    int pixelScale_;  // device pixels per pixel of the pictures
    GdiFontEngine fonts_;
    WicImageLoader images_;
    std::unique_ptr<ThemeEditorState> state_;
    HWND dialog_ = nullptr;
    bool writing_ = false;  // the controls are being written from the state
    std::array<SwatchBrush, kSwatchCount> swatchBrushes_;
};

}  // namespace moravel
