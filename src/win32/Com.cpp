#include "win32/Com.h"

#include <objbase.h>

namespace moravel {
namespace {

// One per thread: CoInitializeEx at the first use, and the matching CoUninitialize at the end of
// the thread, only when the initialisation was ours to undo.
class Apartment {
  public:
    Apartment() {
        const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        joined_ = SUCCEEDED(result);  // S_OK, or S_FALSE when the thread was already in an STA
        usable_ = joined_ || result == RPC_E_CHANGED_MODE;
    }
    ~Apartment() {
        if (joined_) {
            CoUninitialize();
        }
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

    bool usable() const { return usable_; }

  private:
    bool joined_ = false;
    bool usable_ = false;
};

}  // namespace

bool EnsureComApartment() {
    thread_local const Apartment apartment;
    return apartment.usable();
}

}  // namespace moravel
