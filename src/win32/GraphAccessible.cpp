#include "win32/GraphAccessible.h"

#include <oleacc.h>

#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "core/app/UsageAnnouncer.h"
#include "core/os/WideText_win.h"
#include "win32/Com.h"
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

// The chart's role, name and value are its own; every other call, and every call about another
// child, goes to the standard object of the window's client area. Readers call it on the
// window's thread (COM marshals calls from other apartments and processes there).
class GraphAccessible::Object final : public IAccessible {
  public:
    Object(ComPtr<IAccessible> standard, const UsageAnnouncer& announcer)
        : standard_(std::move(standard)), announcer_(&announcer) {}
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // The window and the announcer are going: no call reaches them any more.
    void Disconnect() {
        standard_.reset();
        announcer_ = nullptr;
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
        if (!IsSelf(child)) {
            return Standard(&IAccessible::get_accName, child, name);
        }
        return announcer_ != nullptr ? ReturnText(UsageAnnouncer::Name(), name)
                                     : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child)) {
            return Standard(&IAccessible::get_accValue, child, value);
        }
        return announcer_ != nullptr ? ReturnText(announcer_->ValueText(), value)
                                     : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) {
            return Standard(&IAccessible::get_accRole, child, role);
        }
        if (announcer_ == nullptr) {
            return CO_E_OBJNOTCONNECTED;
        }
        if (role == nullptr) {
            return E_POINTER;
        }
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_CHART;
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

    template <typename Call, typename... Args>
    HRESULT Standard(Call call, Args... args) {
        if (!standard_) {
            return CO_E_OBJNOTCONNECTED;
        }
        return (standard_.get()->*call)(args...);
    }

    LONG references_ = 1;
    ComPtr<IAccessible> standard_;
    const UsageAnnouncer* announcer_;
};
#pragma GCC diagnostic pop

GraphAccessible::~GraphAccessible() {
    if (object_ != nullptr) {
        object_->Disconnect();
        object_->Release();
    }
}

LRESULT GraphAccessible::AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId) {
    // The object's identifier is a DWORD, widened to the LPARAM without its sign.
    if (static_cast<LONG>(static_cast<DWORD>(objectId)) == OBJID_CLIENT && EnsureComApartment()) {
        if (object_ == nullptr) {
            ComPtr<IAccessible> standard;
            if (SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT,
                                                    IID_PPV_ARGS(standard.put())))) {
                object_ = new (std::nothrow) Object(std::move(standard), announcer_);
            }
        }
        if (object_ != nullptr) {
            return LresultFromObject(__uuidof(IAccessible), flags, object_);
        }
    }
    return DefWindowProcW(window, WM_GETOBJECT, flags, objectId);
}

void AnnounceValue(HWND window) {
    if (window != nullptr) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
}

}  // namespace moravel
