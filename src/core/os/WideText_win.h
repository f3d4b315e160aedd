// UTF-8 and UTF-16 for the Win32 calls (Windows only).
#pragma once

#include <string>
#include <string_view>

namespace moravel {

std::wstring Utf8ToWide(std::string_view text);
// The same into `wide`, reusing its memory (for text converted every frame).
void Utf8ToWide(std::string_view text, std::wstring& wide);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace moravel
