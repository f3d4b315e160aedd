#include "core/base/Guid.h"

#include <algorithm>

#include "core/base/Sha1.h"

namespace moravel {

Guid NameBasedGuid(const Guid& space, std::string_view name) {
    std::string hashed(space.bytes.begin(), space.bytes.end());
    hashed.append(name);
    const Sha1Digest digest = Sha1(hashed);
    Guid guid;
    std::copy_n(digest.begin(), guid.bytes.size(), guid.bytes.begin());
    guid.bytes[6] = static_cast<std::uint8_t>((guid.bytes[6] & 0x0F) | 0x50);  // version 5
    guid.bytes[8] = static_cast<std::uint8_t>((guid.bytes[8] & 0x3F) | 0x80);  // the RFC's variant
    return guid;
}

std::string GuidText(const Guid& guid) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < guid.bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text += '-';
        }
        text += kDigits[guid.bytes[i] >> 4];
        text += kDigits[guid.bytes[i] & 0xF];
    }
    return text;
}

}  // namespace moravel
