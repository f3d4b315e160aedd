// The registry under HKEY_DYN_DATA through the ANSI registry calls.
#include <windows.h>

#include "core/cpu/CpuInfo.h"

namespace moravel {
namespace {

HKEY ToHandle(DynDataRegistry::Key key) {
    return reinterpret_cast<HKEY>(key);
}

class Win32DynDataRegistry final : public DynDataRegistry {
  public:
    bool Open(const char* subKey, Key& key) override {
        HKEY handle = nullptr;
        if (RegOpenKeyExA(HKEY_DYN_DATA, subKey, 0, KEY_READ, &handle) != ERROR_SUCCESS) {
            return false;
        }
        key = reinterpret_cast<Key>(handle);
        return true;
    }
    bool QuerySize(Key key, const char* name, std::uint32_t& size) override {
        DWORD bytes = 0;
        if (RegQueryValueExA(ToHandle(key), name, nullptr, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS) {
            return false;
        }
        size = bytes;
        return true;
    }
    bool Read(Key key, const char* name, std::span<std::byte> buffer) override {
        DWORD bytes = static_cast<DWORD>(buffer.size());
        return RegQueryValueExA(ToHandle(key), name, nullptr, nullptr,
                                reinterpret_cast<BYTE*>(buffer.data()), &bytes) == ERROR_SUCCESS;
    }
    void Close(Key key) override { RegCloseKey(ToHandle(key)); }
};

}  // namespace

std::unique_ptr<DynDataRegistry> MakeDynDataRegistry() {
    return std::make_unique<Win32DynDataRegistry>();
}

}  // namespace moravel
