// The built executables' resources as Windows reads them: the version Explorer and Apps & features
// show, and the manifest that lets them open paths longer than MAX_PATH.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/os/FileSystem.h"
#include "core/os/WideText_win.h"

namespace moravel {
namespace {

// The copyright line of LICENSE, which the version resource repeats.
std::string LicenseCopyright() {
    std::string text;
    if (ReadFileBytes(MORAVEL_SOURCE_DIR "/LICENSE", 1 << 16, text) != ReadStatus::Ok) {
        return "";
    }
    const std::size_t start = text.find("Copyright ");
    return start == std::string::npos ? "" : text.substr(start, text.find('\n', start) - start);
}

class VersionBlock {
  public:
    explicit VersionBlock(const std::wstring& file) {
        const DWORD size = GetFileVersionInfoSizeW(file.c_str(), nullptr);
        bytes_.resize(size);
        if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, bytes_.data())) {
            bytes_.clear();
        }
    }

    const VS_FIXEDFILEINFO* Fixed() {
        void* fixed = nullptr;
        UINT size = 0;
        return Query(L"\\", &fixed, &size) && size >= sizeof(VS_FIXEDFILEINFO)
                   ? static_cast<const VS_FIXEDFILEINFO*>(fixed)
                   : nullptr;
    }

    // A string of the block the first translation names, as Explorer looks it up.
    std::string String(const wchar_t* name) {
        void* translation = nullptr;
        UINT size = 0;
        if (!Query(L"\\VarFileInfo\\Translation", &translation, &size) || size < 4) {
            return "<no translation>";
        }
        const WORD* ids = static_cast<const WORD*>(translation);
        wchar_t key[80];
        std::swprintf(key, 80, L"\\StringFileInfo\\%04x%04x\\%ls", ids[0], ids[1], name);
        void* value = nullptr;
        if (!Query(key, &value, &size) || size == 0) {
            return "<missing>";
        }
        return WideToUtf8(std::wstring(static_cast<const wchar_t*>(value), size - 1));
    }

  private:
    bool Query(const wchar_t* key, void** value, UINT* size) {
        return !bytes_.empty() && VerQueryValueW(bytes_.data(), key, value, size);
    }

    std::vector<BYTE> bytes_;
};

std::string Manifest(const std::wstring& file) {
    const HMODULE module = LoadLibraryExW(
        file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    std::string text;
    if (module == nullptr) {
        return text;
    }
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (loaded != nullptr) {
        text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

TEST(VersionResources, EachExecutableNamesTheProductItsVersionAndItsLicence) {
    struct Case {
        const char* path;
        const char* fileName;
        const char* description;
    };
    const Case cases[] = {
        {MORAVEL_PROGRAM_EXE, "moravel.exe", "Moravel CPU load monitor"},
        {MORAVEL_TOOL_EXE, "moravel-tool.exe", "Moravel command-line tool"},
    };
    const std::string copyright = LicenseCopyright();
    ASSERT_FALSE(copyright.empty());
    unsigned major = 0, minor = 0, patch = 0;
    ASSERT_EQ(std::sscanf(MORAVEL_VERSION, "%u.%u.%u", &major, &minor, &patch), 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        VersionBlock block(Utf8ToWide(c.path));
        const VS_FIXEDFILEINFO* fixed = block.Fixed();
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(fixed->dwFileVersionMS, (major << 16) | minor);
        EXPECT_EQ(fixed->dwFileVersionLS, patch << 16);
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
        EXPECT_EQ(block.String(L"ProductName"), "Moravel");
        EXPECT_EQ(block.String(L"ProductVersion"), MORAVEL_VERSION);
        EXPECT_EQ(block.String(L"FileVersion"), MORAVEL_VERSION);
        EXPECT_EQ(block.String(L"FileDescription"), c.description);
        EXPECT_EQ(block.String(L"OriginalFilename"), c.fileName);
        EXPECT_EQ(block.String(L"LegalCopyright"), copyright);
        EXPECT_EQ(block.String(L"CompanyName"), "The Moravel authors");

        const std::string manifest = Manifest(Utf8ToWide(c.path));
        EXPECT_NE(manifest.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                                "WindowsSettings\">true</longPathAware>"),
                  std::string::npos);
        EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    }
}

}  // namespace
}  // namespace moravel
