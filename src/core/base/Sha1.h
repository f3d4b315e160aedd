// SHA-1 (FIPS 180-4), for names derived from paths; not for anything that needs security.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace moravel {

using Sha1Digest = std::array<std::uint8_t, 20>;

// The SHA-1 digest of `bytes`.
Sha1Digest Sha1(std::string_view bytes);

// The same as 40 lowercase hexadecimal digits.
std::string Sha1Hex(std::string_view bytes);

}  // namespace moravel
