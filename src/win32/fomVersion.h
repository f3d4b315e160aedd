// The about box: the program's icon, product and version, the rights and legal notices, and a
// scale that sinks while mouse buttons are held on it. A dialog of the resource script; the
// animation's steps are PressAnimation's.
#pragma once

#include <windows.h>

#include <array>

#include "core/config/Settings.h"
#include "core/dialogs/AboutBox.h"
#include "core/render/Surface.h"

namespace moravel {

// The about box's scale pictures from the program's resources, blended over the dialog's face.
// A picture that cannot be read stays empty.
std::array<Surface, kPressFrames> LoadPressFrames();

class fomVersion {
  public:
    // Shows `version` as the program's, beside `mainWindow`.
    fomVersion(HWND mainWindow, const ProgramVersion& version);
    ~fomVersion();
    fomVersion(const fomVersion&) = delete;
    fomVersion& operator=(const fomVersion&) = delete;

    // Shows the box modally.
    void Show();
    // Opens it without waiting (the same dialog procedure), for a caller that runs the messages.
    HWND Create();

    HWND hwnd() const { return hwnd_; }
    const PressAnimation& animation() const { return press_; }
    bool timerRunning() const { return timerRunning_; }
    const Surface& frame(std::int32_t index) const {
        return picAnime_[static_cast<std::size_t>(index)];
    }

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleMouse(UINT message, LPARAM lParam);

    void Form_Load();
    void picIcon_MouseDown(std::int32_t button);
    void picIcon_MouseUp(std::int32_t button);
    void picIcon_Paint(const DRAWITEMSTRUCT& item);
    void timPress_Timer();
    void cmdOk_Click();
    void StartTimer();
    void StopTimer();
    void ShowFrame();

    HWND mainWindow_;
    ProgramVersion version_;
    std::array<Surface, kPressFrames> picAnime_;
    PressAnimation press_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool timerRunning_ = false;
};

}  // namespace moravel
