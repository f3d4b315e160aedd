// The first start holds a named mutex in the session's namespace; the name carries the user and
// the program folder.
#include <windows.h>

#include "core/os/FileSystem.h"
#include "core/os/SingleInstance.h"
#include "core/os/WideText_win.h"

namespace moravel {

struct SingleInstance::State {
    HANDLE mutex = nullptr;
    std::string path;  // no socket file here
};

std::string SingleInstanceName(std::string_view folder) {
    return SingleInstanceNameFor(EnvironmentVariable("USERNAME").value_or(""), folder);
}

SingleInstance::SingleInstance(std::string name)
    : name_(std::move(name)), state_(std::make_unique<State>()) {}

SingleInstance::SingleInstance(std::string name, std::string /*folder*/)
    : SingleInstance(std::move(name)) {}

SingleInstance::~SingleInstance() {
    if (state_->mutex != nullptr) {
        CloseHandle(state_->mutex);
    }
}

InstanceClaim SingleInstance::Claim() {
    if (state_->mutex != nullptr) {
        return InstanceClaim::First;
    }
    // Names may hold no backslash beyond the namespace's own.
    std::wstring name = Utf8ToWide(name_);
    for (wchar_t& c : name) {
        c = c == L'\\' ? L'_' : c;
    }
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str());
    if (mutex == nullptr) {
        return InstanceClaim::Failed;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return InstanceClaim::Running;
    }
    state_->mutex = mutex;
    return InstanceClaim::First;
}

int SingleInstance::RequestDescriptor() const {
    return -1;
}

int SingleInstance::TakeRequests() {
    return 0;
}

const std::string& SingleInstance::SocketPath() const {
    return state_->path;
}

}  // namespace moravel
