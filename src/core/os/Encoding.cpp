#include "core/os/Encoding.h"

#include <algorithm>
#include <vector>

namespace moravel {

std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return 0;
    }
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        minimum = 0x80;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        minimum = 0x800;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        minimum = 0x10000;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() - pos < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if ((c & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return length;
}

std::string CharactersOutsideCodePage(std::string_view text) {
    std::vector<std::string_view> found;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = std::max<std::size_t>(Utf8SequenceLength(text, pos), 1);
        const std::string_view piece = text.substr(pos, length);
        pos += length;
        if (piece != "?" && Utf8ToAnsi(piece) == "?" &&
            std::find(found.begin(), found.end(), piece) == found.end()) {
            found.push_back(piece);
        }
    }
    std::string list;
    for (const std::string_view piece : found) {
        list += list.empty() ? "" : " ";
        list += piece;
    }
    return list;
}

std::string TruncateToAnsiBytes(std::string_view text, std::size_t maxBytes) {
    // No character takes more bytes in the ANSI code page than in UTF-8 (a double-byte character
    // is three or four in UTF-8, one the code page lacks becomes one "?"), so a text whose UTF-8
    // fits fits as it is, with no conversion at all: the tray's tip every second.
    if (text.size() <= maxBytes) {
        return std::string(text);
    }
    std::string result;
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t length = Utf8SequenceLength(text, pos);
        if (length == 0) {
            length = 1;
        }
        const std::string_view piece = text.substr(pos, length);
        const std::size_t bytes = Utf8ToAnsi(piece).size();
        if (used + bytes > maxBytes) {
            break;
        }
        result.append(piece);
        used += bytes;
        pos += length;
    }
    return result;
}

}  // namespace moravel
