#include "win32/HelpLauncher.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "core/app/Help.h"
#include "core/app/Texts.h"
#include "core/config/Config.h"
#include "core/os/FileSystem.h"
#include "core/os/TextFile.h"
#include "core/os/WideText_win.h"
#include "win32/Prompts.h"

namespace moravel {
namespace {

// A help file larger than this is shown as it is, not copied.
constexpr std::uintmax_t kMaxCopiedHelpBytes = std::uintmax_t{16} * 1024 * 1024;

bool& Intercepted() {
    static bool intercepted = false;
    return intercepted;
}

std::vector<std::string>& OpenedUrls() {
    static std::vector<std::string> opened;
    return opened;
}

bool Unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/' || c == ':';
}

void Inform(HWND owner, const std::string& text, MessageIcon icon) {
    MessageRequest message;
    message.text = text;
    message.caption = std::string(kAppTitle);
    message.icon = icon;
    ShowMessage(owner, message);
}

// The desktop's program for web pages, or "" when it is not known.
std::wstring BrowserProgram() {
    wchar_t program[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (FAILED(AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, L".html", L"open", program,
                                 &length))) {
        return L"";
    }
    return program;
}

// ShellExecuteW reports success with a value above 32.
bool Launched(HINSTANCE result) {
    return reinterpret_cast<INT_PTR>(result) > 32;
}

// Opens `url` in the browser: the browser is started with the URL so that the fragment survives
// (the shell drops it from a file URL it opens itself); the shell's own way is the fallback.
bool OpenUrl(HWND owner, const std::string& url) {
    if (Intercepted()) {
        OpenedUrls().push_back(url);
        return true;
    }
    const std::wstring wide = Utf8ToWide(url);
    const std::wstring browser = BrowserProgram();
    if (!browser.empty()) {
        const std::wstring argument = L"\"" + wide + L"\"";
        if (Launched(ShellExecuteW(owner, L"open", browser.c_str(), argument.c_str(), nullptr,
                                   SW_SHOWNORMAL))) {
            return true;
        }
    }
    return Launched(ShellExecuteW(owner, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

// `path` made absolute (a URL has no current folder).
std::string FullPath(const std::string& path) {
    const std::wstring wide = Utf8ToWide(path);
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return path;
    }
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) {
        return path;
    }
    full.resize(written);
    return WideToUtf8(full);
}

}  // namespace

std::string FileUrl(std::string_view path, HelpContext context) {
    std::string url = "file:";
    // A UNC path names its server where a local path has an empty host.
    const bool unc = path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
                     (path[1] == '\\' || path[1] == '/');
    url += unc ? "//" : "///";
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (std::size_t i = unc ? 2 : 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (c == '\\') {
            url += '/';
        } else if (Unreserved(c)) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0xF];
        }
    }
    return url + "#" + HelpAnchor(context);
}

std::string HelpPage(const std::string& helpFile) {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    std::string bytes;
    if (length == 0 || length > MAX_PATH ||
        ReadFileBytes(helpFile, kMaxCopiedHelpBytes, bytes) != ReadStatus::Ok) {
        return FullPath(helpFile);
    }
    const std::string page = WideToUtf8(folder) + "Moravel-help.html";
    return ReplaceFileContents(page, bytes) ? page : FullPath(helpFile);
}

void ShowHelp(HWND owner, std::string_view helpFile, HelpContext context) {
    const HelpTarget target = ResolveHelp(helpFile, context);
    if (target.noHelp || !IsFile(target.file)) {
        Inform(owner, std::string(Localised(kNoHelpMessage)), MessageIcon::Information);
        return;
    }
    if (!OpenUrl(owner, FileUrl(HelpPage(target.file), target.context))) {
        Inform(owner, HelpFileErrorMessage(target.file), MessageIcon::None);
    }
}

void HelpLaunches::Intercept(bool on) {
    Intercepted() = on;
}

const std::vector<std::string>& HelpLaunches::Opened() {
    return OpenedUrls();
}

void HelpLaunches::Clear() {
    OpenedUrls().clear();
}

}  // namespace moravel
