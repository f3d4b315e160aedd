// A fresh folder for one test, removed afterwards, and small file helpers.
#pragma once

#include <string>
#include <string_view>

namespace moravel::test {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing separator.
    const std::string& path() const { return path_; }
    // path() + separator + name.
    std::string File(std::string_view name) const;

  private:
    std::string path_;
};

// Writes raw bytes (no conversion); creates missing folders.
void WriteBytes(const std::string& path, std::string_view bytes);
// Reads raw bytes; "" when the file cannot be read.
std::string ReadBytes(const std::string& path);

// Sets MORAVEL_HOME for the lifetime of the object, so ProgramFolder() is `folder`.
class ScopedProgramFolder {
  public:
    explicit ScopedProgramFolder(const std::string& folder);
    ~ScopedProgramFolder();
    ScopedProgramFolder(const ScopedProgramFolder&) = delete;
    ScopedProgramFolder& operator=(const ScopedProgramFolder&) = delete;

  private:
    std::string previous_;
    bool hadPrevious_;
};

// Sets the environment variable `name` for the lifetime of the object.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    const char* name_;
    std::string previous_;
    bool hadPrevious_;
};

// Makes the program an installed one for the lifetime of the object: the shipped themes and help
// in `data`, the user's files in `user` (made only when the program first writes there).
class ScopedInstalledFolders {
  public:
    ScopedInstalledFolders(const std::string& data, const std::string& user);
    ~ScopedInstalledFolders();
    ScopedInstalledFolders(const ScopedInstalledFolders&) = delete;
    ScopedInstalledFolders& operator=(const ScopedInstalledFolders&) = delete;
};

}  // namespace moravel::test
