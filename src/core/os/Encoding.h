// Text in the files' code page and UTF-8. The files' code page is 932 (Shift_JIS as Windows has
// it) on every system, whatever the system's own ANSI code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace moravel {

// Bytes of the ANSI code page to UTF-8. Never fails: a byte that does not decode becomes U+FFFD.
std::string AnsiToUtf8(std::string_view bytes);

// UTF-8 to the ANSI code page. Never fails: a character the code page cannot hold, or a byte of
// broken UTF-8, is written as "?".
std::string Utf8ToAnsi(std::string_view text);

// Length of the well-formed UTF-8 sequence starting at text[pos], or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos);

// The characters of `text` that the code page cannot hold, each once, in the order they first
// come, separated by spaces; "" when it holds them all.
std::string CharactersOutsideCodePage(std::string_view text);

// The longest prefix of `text` whose ANSI form takes at most maxBytes bytes, cut between
// characters.
std::string TruncateToAnsiBytes(std::string_view text, std::size_t maxBytes);

}  // namespace moravel
