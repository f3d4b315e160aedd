#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "core/os/Paths.h"
#include "core/os/ProgramFolder.h"

namespace moravel::test {
namespace fs = std::filesystem;

namespace {

void SetEnv(const char* name, const std::string* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value->c_str() : "");
#else
    if (value) {
        setenv(name, value->c_str(), 1);
    } else {
        unsetenv(name);
    }
#endif
}

}  // namespace

TempFolder::TempFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("moravel-test-" + std::to_string(random()));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            path_ = candidate.string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Give back any rights a test took away, so everything can be removed.
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(path_, ec);
}

std::string TempFolder::File(std::string_view name) const {
    return JoinPath(path_, name);
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScopedProgramFolder::ScopedProgramFolder(const std::string& folder) {
    const char* previous = std::getenv("MORAVEL_HOME");
    hadPrevious_ = previous != nullptr;
    previous_ = previous ? previous : "";
    SetEnv("MORAVEL_HOME", &folder);
}

ScopedProgramFolder::~ScopedProgramFolder() {
    SetEnv("MORAVEL_HOME", hadPrevious_ ? &previous_ : nullptr);
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    const char* previous = std::getenv(name);
    hadPrevious_ = previous != nullptr;
    previous_ = previous ? previous : "";
    SetEnv(name, &value);
}

ScopedEnvironment::~ScopedEnvironment() {
    SetEnv(name_, hadPrevious_ ? &previous_ : nullptr);
}

ScopedInstalledFolders::ScopedInstalledFolders(const std::string& data, const std::string& user) {
    const ProgramFolders folders{AddBackslash(data), AddBackslash(user), false};
    OverrideProgramFolders(&folders);
}

ScopedInstalledFolders::~ScopedInstalledFolders() {
    OverrideProgramFolders(nullptr);
}

}  // namespace moravel::test
