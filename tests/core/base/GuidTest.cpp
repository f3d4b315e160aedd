#include <gtest/gtest.h>

#include "core/base/Guid.h"

namespace moravel {
namespace {

// The namespaces of RFC 9562 and names whose version-5 UUIDs are known.
TEST(NameBasedGuid, KnownVersionFiveUuids) {
    const Guid dns{{0x6b, 0xa7, 0xb8, 0x10, 0x9d, 0xad, 0x11, 0xd1, 0x80, 0xb4, 0x00, 0xc0, 0x4f,
                    0xd4, 0x30, 0xc8}};
    const Guid url{{0x6b, 0xa7, 0xb8, 0x11, 0x9d, 0xad, 0x11, 0xd1, 0x80, 0xb4, 0x00, 0xc0, 0x4f,
                    0xd4, 0x30, 0xc8}};
    EXPECT_EQ(GuidText(dns), "6ba7b810-9dad-11d1-80b4-00c04fd430c8");
    EXPECT_EQ(GuidText(NameBasedGuid(dns, "www.example.com")),
              "2ed6657d-e927-568b-95e1-2665a8aea6a2");
    EXPECT_EQ(GuidText(NameBasedGuid(url, "")), "1b4db7eb-4057-5ddf-91e0-36dec72071f5");
}

}  // namespace
}  // namespace moravel
