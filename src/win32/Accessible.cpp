#include "win32/Accessible.h"

#include <oleacc.h>

#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "core/app/UsageAnnouncer.h"
#include "core/dialogs/ThemeEditorState.h"
#include "core/os/WideText_win.h"
#include "win32/Com.h"
#include "win32/DialogItems.h"
#include "win32/Handles.h"

namespace moravel {
namespace {

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT ReturnText(std::string_view text, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    const std::wstring wide = Utf8ToWide(text);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

// A COM object goes by its own Release, never by a delete through an interface: the interfaces
// have no virtual destructor, and need none.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The role, name and value the face gives are the object's own; every other call, and every
// call about another child, goes to the system's standard object of the window's client area,
// where there is one. Readers call it on the window's thread (COM marshals calls from other
// apartments and processes there).
class OwnAccessible::Object final : public IAccessible {
  public:
    Object(ComPtr<IAccessible> standard, const AccessibleFace& face)
        : standard_(std::move(standard)), face_(&face) {}
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // The window and what the face reads are going: no call reaches them any more.
    void Disconnect() {
        standard_.reset();
        face_ = nullptr;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // No late binding: readers call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT /*index*/, LCID /*locale*/,
                                          ITypeInfo** info) override {
        if (info != nullptr) {
            *info = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID /*iid*/, LPOLESTR* /*names*/, UINT /*count*/,
                                            LCID /*locale*/, DISPID* /*ids*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID /*id*/, REFIID /*iid*/, LCID /*locale*/, WORD /*flags*/,
                                     DISPPARAMS* /*parameters*/, VARIANT* /*result*/,
                                     EXCEPINFO* /*exception*/, UINT* /*argumentError*/) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child) || (face_ != nullptr && !face_->name)) {
            return Standard(&IAccessible::get_accName, child, name);
        }
        return face_ != nullptr ? ReturnText(face_->name(), name) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child) || (face_ != nullptr && !face_->value)) {
            return Standard(&IAccessible::get_accValue, child, value);
        }
        return face_ != nullptr ? ReturnText(face_->value(), value) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || (face_ != nullptr && face_->role == 0)) {
            return Standard(&IAccessible::get_accRole, child, role);
        }
        if (face_ == nullptr) {
            return CO_E_OBJNOTCONNECTED;
        }
        if (role == nullptr) {
            return E_POINTER;
        }
        role->vt = VT_I4;
        role->lVal = face_->role;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return Standard(&IAccessible::get_accParent, parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return Standard(&IAccessible::get_accChildCount, count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return Standard(&IAccessible::get_accChild, child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return Standard(&IAccessible::get_accDescription, child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Standard(&IAccessible::get_accState, child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return Standard(&IAccessible::get_accHelp, child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return Standard(&IAccessible::get_accHelpTopic, file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return Standard(&IAccessible::get_accKeyboardShortcut, child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return Standard(&IAccessible::get_accFocus, child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return Standard(&IAccessible::get_accSelection, children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Standard(&IAccessible::get_accDefaultAction, child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return Standard(&IAccessible::accSelect, flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return Standard(&IAccessible::accLocation, left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return Standard(&IAccessible::accNavigate, direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return Standard(&IAccessible::accHitTest, x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return Standard(&IAccessible::accDoDefaultAction, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return Standard(&IAccessible::put_accName, child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return Standard(&IAccessible::put_accValue, child, value);
    }

  private:
    ~Object() = default;  // by Release only

    // The standard object's answer; none where the system has no such object for the window.
    template <typename Call, typename... Args>
    HRESULT Standard(Call call, Args... args) {
        if (face_ == nullptr) {
            return CO_E_OBJNOTCONNECTED;
        }
        if (!standard_) {
            return E_NOTIMPL;
        }
        return (standard_.get()->*call)(args...);
    }

    LONG references_ = 1;
    ComPtr<IAccessible> standard_;
    const AccessibleFace* face_;
};
#pragma GCC diagnostic pop

OwnAccessible::~OwnAccessible() {
    if (object_ != nullptr) {
        object_->Disconnect();
        object_->Release();
    }
}

LRESULT OwnAccessible::AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId,
                                       WNDPROC otherwise) {
    // The object's identifier is a DWORD, widened to the LPARAM without its sign.
    if (static_cast<LONG>(static_cast<DWORD>(objectId)) == OBJID_CLIENT && EnsureComApartment()) {
        if (object_ == nullptr) {
            ComPtr<IAccessible> standard;
            if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT,
                                                 IID_PPV_ARGS(standard.put())))) {
                standard.reset();  // the face alone, then
            }
            object_ = new (std::nothrow) Object(std::move(standard), face_);
        }
        if (object_ != nullptr) {
            return LresultFromObject(__uuidof(IAccessible), flags, object_);
        }
    }
    return CallWindowProcW(otherwise, window, WM_GETOBJECT, flags, objectId);
}

GraphAccessible::GraphAccessible(const UsageAnnouncer& announcer)
    : OwnAccessible({ROLE_SYSTEM_CHART, [] { return std::string(UsageAnnouncer::Name()); },
                     [&announcer] { return announcer.ValueText(); }}) {}

namespace {

// A control with a face of its own: the control's procedure is taken over for WM_GETOBJECT and
// given back when the control goes.
struct NamedControl {
    WNDPROC previous;
    OwnAccessible accessible;
};

constexpr wchar_t kNamedControl[] = L"Moravel.NamedControl";

LRESULT CALLBACK NamedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* named = static_cast<NamedControl*>(GetPropW(control, kNamedControl));
    if (named == nullptr) {
        return DefWindowProcW(control, message, wParam, lParam);
    }
    const WNDPROC previous = named->previous;
    if (message == WM_GETOBJECT) {
        return named->accessible.AnswerGetObject(control, wParam, lParam, previous);
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(control, kNamedControl);
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        delete named;
    }
    return CallWindowProcW(previous, control, message, wParam, lParam);
}

}  // namespace

void NameControl(HWND control, std::function<std::string()> name, LONG role) {
    if (control == nullptr || GetPropW(control, kNamedControl) != nullptr) {
        return;
    }
    auto* named =
        new (std::nothrow) NamedControl{nullptr, OwnAccessible({role, std::move(name), nullptr})};
    if (named == nullptr || SetPropW(control, kNamedControl, named) == FALSE) {
        delete named;
        return;
    }
    named->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NamedControlProc)));
    if (named->previous == nullptr) {  // not taken over: the control stays as it was
        RemovePropW(control, kNamedControl);
        delete named;
    }
}

void NameByLabel(HWND dialog, int id, int labelId) {
    NameControl(GetDlgItem(dialog, id),
                [dialog, labelId] { return WithoutAccessKey(ItemText(dialog, labelId)); });
}

void AnnounceValue(HWND window) {
    if (window != nullptr) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
}

void AnnounceName(HWND window) {
    if (window != nullptr) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
}

}  // namespace moravel
