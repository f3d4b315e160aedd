#include "core/os/TextFile.h"

#include "core/os/Encoding.h"
#include "core/os/FileSystem.h"

namespace moravel {

std::string ReadTextFile(const std::string& path, const std::string& defaultText,
                         std::uintmax_t maxBytes) {
    std::string bytes;
    switch (ReadFileBytes(path, maxBytes, bytes)) {
        case ReadStatus::Missing:
            return defaultText;
        case ReadStatus::TooLarge:
            return "";
        case ReadStatus::Ok:
            break;
    }
    return AnsiToUtf8(bytes);
}

std::int32_t WriteTextFile(const std::string& path, std::string_view text) {
    const std::string bytes = Utf8ToAnsi(text);
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX) || !ReplaceFileContents(path, bytes)) {
        return -1;
    }
    return static_cast<std::int32_t>(bytes.size());
}

bool IsFile(const std::string& path) {
    return PathIsFile(path);
}

}  // namespace moravel
