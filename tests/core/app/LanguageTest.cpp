#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/Language.h"

namespace moravel {
namespace {

TEST(Language, TheSettingElseTheSystemChooses) {
    constexpr UiLanguage ja = UiLanguage::Japanese;
    constexpr UiLanguage en = UiLanguage::English;
    const struct {
        const char* setting;
        std::vector<std::string> system;
        UiLanguage chosen;
    } cases[] = {
        // The system's: Japanese for a Japanese locale or UI language, or one naming no language.
        {"", {"ja_JP.UTF-8"}, ja},
        {"", {"ja"}, ja},
        {"", {"C"}, ja},
        {"", {"C.UTF-8"}, ja},
        {"", {"POSIX"}, ja},
        {"", {""}, ja},
        {"", {"en_US.UTF-8"}, en},
        {"", {"de_DE@euro"}, en},
        {"", {"jam_JM"}, en},          // Jamaican, not Japanese
        {"", {"en-US", "ja-JP"}, ja},  // Windows: an English UI with a Japanese locale
        {"", {"ja-JP", "en-GB"}, ja},
        {"", {"en-US", "fr-FR"}, en},
        {"", {"en-US", ""}, en},
        // The setting overrides it; a value it does not know follows the system.
        {"ja", {"en_US.UTF-8"}, ja},
        {" JA ", {"en_US.UTF-8"}, ja},
        {"en", {"ja_JP.UTF-8"}, en},
        {"en", {"C"}, en},
        {"fr", {"ja_JP.UTF-8"}, ja},
        {"fr", {"en_US.UTF-8"}, en},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseLanguage(c.setting, c.system), c.chosen)
            << '"' << c.setting << "\" " << (c.system.empty() ? "" : c.system.front());
    }
}

}  // namespace
}  // namespace moravel
