// The user's Run value in the registry, which Windows starts at log-on: the key
// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run, the value "Moravel".
#include <windows.h>

#include "core/os/Autostart.h"
#include "core/os/Autostart_win.h"
#include "core/os/Paths.h"
#include "core/os/WideText_win.h"

namespace moravel {
namespace {

class RegistryKey {
  public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

}  // namespace

RunKeyAutostart::RunKeyAutostart(std::string subKey, std::string valueName)
    : subKey_(Utf8ToWide(subKey)), valueName_(Utf8ToWide(valueName)) {}

bool RunKeyAutostart::StartsProgram(const std::string& program) const {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, subKey_.c_str(), valueName_.c_str(), RRF_RT_REG_SZ, nullptr,
                     nullptr, &bytes) != ERROR_SUCCESS) {
        return false;
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, subKey_.c_str(), valueName_.c_str(), RRF_RT_REG_SZ, nullptr,
                     value.data(), &bytes) != ERROR_SUCCESS) {
        return false;
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return CompareFileNames(RunValueProgram(WideToUtf8(value)), program) == 0;
}

bool RunKeyAutostart::Enable(const std::string& program) {
    RegistryKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        key.out(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring text = Utf8ToWide(RunValueText(program));
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), valueName_.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

bool RunKeyAutostart::Disable() {
    RegistryKey key;
    const LONG opened =
        RegOpenKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, KEY_SET_VALUE, key.out());
    if (opened == ERROR_FILE_NOT_FOUND) {
        return true;  // no key, no value
    }
    if (opened != ERROR_SUCCESS) {
        return false;
    }
    const LONG deleted = RegDeleteValueW(key.get(), valueName_.c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

std::unique_ptr<Autostart> MakeAutostart() {
    return std::make_unique<RunKeyAutostart>(std::string(kRunKey), std::string(kRunValueName));
}

}  // namespace moravel
