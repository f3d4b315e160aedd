#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/app/Help.h"

namespace moravel {
namespace {

TEST(HelpFile, FollowsTheLanguageWhenItsFileIsThere) {
    constexpr UiLanguage ja = UiLanguage::Japanese;
    constexpr UiLanguage en = UiLanguage::English;
    const struct {
        UiLanguage language;
        std::set<std::string> files;
        const char* chosen;
    } cases[] = {
        {ja, {"/d/Moravel.HLP", "/d/Moravel.en.HLP"}, "/d/Moravel.HLP"},
        {ja, {"/d/Moravel.en.HLP"}, "Moravel.HLP"},  // never the English one for Japanese
        {en, {"/d/Moravel.HLP", "/d/Moravel.en.HLP"}, "/d/Moravel.en.HLP"},
        {en, {"/d/Moravel.HLP"}, "/d/Moravel.HLP"},  // the Japanese one rather than none
        {en, {}, "Moravel.HLP"},
    };
    for (const auto& c : cases) {
        const auto exists = [&](const std::string& path) { return c.files.count(path) > 0; };
        EXPECT_EQ(ChooseHelpFile(c.language, "/d/", exists), c.chosen)
            << (c.language == en ? "en " : "ja ") << c.files.size();
    }
}

}  // namespace
}  // namespace moravel
