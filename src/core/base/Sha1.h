// SHA-1 (FIPS 180-4), for names derived from paths; not for anything that needs security.
#pragma once

#include <string>
#include <string_view>

namespace moravel {

// The SHA-1 digest of `bytes` as 40 lowercase hexadecimal digits.
std::string Sha1Hex(std::string_view bytes);

}  // namespace moravel
