// Code page 932 through the Win32 conversion calls, whatever the system's ANSI code page: the
// settings and theme files read and write the same on a Western Windows as on a Japanese one.
#include <windows.h>

#include "core/os/Encoding.h"
#include "core/os/WideText_win.h"

namespace moravel {
namespace {

constexpr UINT kFileCodePage = 932;

}  // namespace

std::wstring Utf8ToWide(std::string_view text) {
    std::wstring wide;
    Utf8ToWide(text, wide);
    return wide;
}

void Utf8ToWide(std::string_view text, std::wstring& wide) {
    if (text.empty()) {
        wide.clear();
        return;
    }
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    wide.resize(static_cast<std::size_t>(n));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                        nullptr, nullptr);
    return text;
}

namespace {

// The code page's bytes as UTF-16; every byte that does not start a character of the code page
// becomes U+FFFD and decoding goes on with the next byte (the system's own substitute would be a
// look-alike character of the code page, such as U+30FB in CP932).
std::wstring AnsiToWide(std::string_view bytes) {
    const int n = MultiByteToWideChar(kFileCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                      static_cast<int>(bytes.size()), nullptr, 0);
    if (n > 0) {
        std::wstring wide(static_cast<std::size_t>(n), L'\0');
        MultiByteToWideChar(kFileCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                            static_cast<int>(bytes.size()), wide.data(), n);
        return wide;
    }
    std::wstring wide;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const bool lead = IsDBCSLeadByteEx(kFileCodePage, static_cast<BYTE>(bytes[pos])) != 0;
        const int length = lead && pos + 1 < bytes.size() ? 2 : 1;
        wchar_t unit[2];
        const int m = MultiByteToWideChar(kFileCodePage, MB_ERR_INVALID_CHARS, bytes.data() + pos,
                                          length, unit, 2);
        if (m > 0) {
            wide.append(unit, static_cast<std::size_t>(m));
            pos += static_cast<std::size_t>(length);
        } else {
            wide.push_back(L'\xFFFD');
            pos += 1;
        }
    }
    return wide;
}

}  // namespace

std::string AnsiToUtf8(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    return WideToUtf8(AnsiToWide(bytes));
}

std::string Utf8ToAnsi(std::string_view text) {
    // Broken UTF-8 becomes U+FFFD on the way in and "?" on the way out.
    std::wstring wide = Utf8ToWide(text);
    if (wide.empty()) {
        return {};
    }
    // One "?" per character: a character beyond U+FFFF (two UTF-16 units) or a lone surrogate
    // becomes U+FFFD first, which code page 932 does not hold.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const wchar_t unit = wide[i];
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            if (unit <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
                wide[i + 1] <= 0xDFFF) {
                ++i;
            }
            wide[kept++] = L'\xFFFD';
        } else {
            wide[kept++] = unit;
        }
    }
    wide.resize(kept);
    // No best-fit look-alikes (e for é): what the code page cannot hold is written as "?".
    const int n = WideCharToMultiByte(kFileCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                      static_cast<int>(wide.size()), nullptr, 0, "?", nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(kFileCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                        static_cast<int>(wide.size()), bytes.data(), n, "?", nullptr);
    return bytes;
}

}  // namespace moravel
