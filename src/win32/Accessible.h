// What screen readers are told of the windows the program draws itself: the main window's graph
// and the editor's swatches and pictures. A window's object gives the role, name and value its
// face says, asked each time a reader asks; everything else a reader asks (place, state, parent,
// hit-testing) is the system's standard answer for the window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace moravel {

class UsageAnnouncer;

// What an object says of itself; what it leaves empty (0 for the role) is the system's.
struct AccessibleFace {
    LONG role = 0;
    std::function<std::string()> name;
    std::function<std::string()> value;
};

// The accessible object of one window's client area, made at a reader's first request. A reader
// may hold it longer than the window lives: once this goes, the object fails every call with
// CO_E_OBJNOTCONNECTED and asks the face nothing again.
class OwnAccessible {
  public:
    explicit OwnAccessible(AccessibleFace face) : face_(std::move(face)) {}
    ~OwnAccessible();
    OwnAccessible(const OwnAccessible&) = delete;
    OwnAccessible& operator=(const OwnAccessible&) = delete;

    // The answer to WM_GETOBJECT for `window`: this object for its client area, `otherwise`'s
    // answer for any other object.
    LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId,
                            WNDPROC otherwise = DefWindowProcW);

  private:
    class Object;

    AccessibleFace face_;
    Object* object_ = nullptr;  // one reference, ours
};

// The main window: a chart named "CPU使用率" (or its English) whose value is the usage the
// announcer last announced. `announcer` outlives this.
class GraphAccessible : public OwnAccessible {
  public:
    explicit GraphAccessible(const UsageAnnouncer& announcer);
};

// Gives a control of a dialog a name of its own (and a role, 0 for the system's), asked of
// `name` each time: a drawn control, or one whose caption does not say what it is. It lasts as
// long as the control.
void NameControl(HWND control, std::function<std::string()> name, LONG role = 0);

// Names the control `id` of a dialog after its label `labelId` (without the access key's mark):
// for a list, a scroll bar or a box whose own text is its value, a button whose caption does not
// say what it changes ("..."), or a control that no label precedes.
void NameByLabel(HWND dialog, int id, int labelId);

// Tells readers that a window's value or name changed.
void AnnounceValue(HWND window);
void AnnounceName(HWND window);

}  // namespace moravel
