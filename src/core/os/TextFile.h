// Whole-file text input and output in the ANSI code page.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace moravel {

inline constexpr std::uintmax_t kNoSizeLimit = std::numeric_limits<std::uintmax_t>::max();

// The file's text converted from the ANSI code page, bytes taken exactly as stored. A file that
// does not exist or cannot be read gives `defaultText`; one larger than maxBytes reads as "".
std::string ReadTextFile(const std::string& path, const std::string& defaultText,
                         std::uintmax_t maxBytes = kNoSizeLimit);

// Replaces the file with `text` in the ANSI code page, atomically. Returns the number of bytes
// written, or -1 (the old file then stays as it was).
std::int32_t WriteTextFile(const std::string& path, std::string_view text);

// True when `path` names an existing file, not a folder.
bool IsFile(const std::string& path);

}  // namespace moravel
