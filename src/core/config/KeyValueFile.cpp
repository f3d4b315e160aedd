#include "core/config/KeyValueFile.h"

#include <cstdio>

#include "core/base/Strings.h"

namespace moravel {

bool ReadKeyValues(std::string_view text, std::string_view sectionLine,
                   const std::function<void(std::string_view, std::string_view)>& onValue) {
    bool inSection = false;
    bool found = false;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", pos);
        if (end == std::string_view::npos) {
            break;  // a last line without CR LF is not read
        }
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 2;
        if (!line.empty() && line.front() == '[') {
            inSection = ToLowerAscii(line) == sectionLine;
            found = found || inSection;
            continue;
        }
        if (!inSection) {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        std::string_view value = TrimSpaces(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        const std::string key = ToLowerAscii(TrimSpaces(line.substr(0, equals)));
        onValue(key, value);
    }
    return found;
}

std::string ColorToHex(std::int32_t color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "&H%08X", static_cast<unsigned>(color));
    return buffer;
}

namespace detail {

std::string ToLowerKey(std::string_view key) {
    return ToLowerAscii(key);
}

void ApplyValue(FieldKind kind, std::string* text, std::int32_t* integer, double* real,
                std::string_view value) {
    switch (kind) {
        case FieldKind::Text:
        case FieldKind::QuotedText:
            *text = std::string(value);
            break;
        case FieldKind::Integer:
        case FieldKind::Color:
            if (const auto number = ParseInt32(value)) {
                *integer = *number;
            }
            break;
        case FieldKind::Real:
            if (const auto number = ParseReal(value)) {
                *real = *number;
            }
            break;
    }
}

void AppendLine(std::string& out, std::string_view key, FieldKind kind, const std::string* text,
                const std::int32_t* integer, const double* real) {
    out += key;
    out += '=';
    switch (kind) {
        case FieldKind::Text:
            out += *text;
            break;
        case FieldKind::QuotedText:
            out += '"';
            out += *text;
            out += '"';
            break;
        case FieldKind::Integer:
            out += std::to_string(*integer);
            break;
        case FieldKind::Color:
            out += ColorToHex(*integer);
            break;
        case FieldKind::Real:
            out += FormatReal(*real);
            break;
    }
    out += "\r\n";
}

}  // namespace detail
}  // namespace moravel
