// The main window as a screen reader sees it: a chart named after the CPU usage, whose value is
// the usage as text. The announcer in the core decides what it says and when; everything else a
// reader asks (place, state, parent, hit-testing) is the system's standard answer for the window.
#pragma once

#include <windows.h>

namespace moravel {

class UsageAnnouncer;

// The accessible object of one window's client area, made at a reader's first request. A reader
// may hold it longer than the window lives: once this goes, the object fails every call with
// CO_E_OBJNOTCONNECTED and touches neither the window nor the announcer again.
class GraphAccessible {
  public:
    // `announcer` outlives this.
    explicit GraphAccessible(const UsageAnnouncer& announcer) : announcer_(announcer) {}
    ~GraphAccessible();
    GraphAccessible(const GraphAccessible&) = delete;
    GraphAccessible& operator=(const GraphAccessible&) = delete;

    // The answer to WM_GETOBJECT for `window`: the graph for its client area, the system's
    // answer for any other object.
    LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId);

  private:
    class Object;

    const UsageAnnouncer& announcer_;
    Object* object_ = nullptr;  // one reference, ours
};

// Tells readers that the graph's value changed.
void AnnounceValue(HWND window);

}  // namespace moravel
