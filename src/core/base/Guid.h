// Name-based identifiers (version-5 UUIDs: the SHA-1 of a namespace and a name), for identities
// that stay the same from run to run without being stored anywhere.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace moravel {

// A UUID's 16 bytes in the order its text writes them.
struct Guid {
    std::array<std::uint8_t, 16> bytes{};
    friend bool operator==(const Guid&, const Guid&) = default;
};

// The version-5 UUID of the bytes of `name` in the namespace `space`.
Guid NameBasedGuid(const Guid& space, std::string_view name);

// The UUID as text: 32 lowercase hexadecimal digits in groups of 8, 4, 4, 4 and 12.
std::string GuidText(const Guid& guid);

}  // namespace moravel
