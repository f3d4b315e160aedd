// UTF-8 and UTF-16 for the Win32 calls (Windows only).
#pragma once

#include <string>
#include <string_view>

namespace moravel {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace moravel
