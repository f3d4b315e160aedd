#include <gtest/gtest.h>

#include "core/app/Texts.h"
#include "core/app/UsageAnnouncer.h"

namespace moravel {
namespace {

TEST(UsageAnnouncer, AnnouncesMovesOfFivePointsAndTheFocus) {
    UsageAnnouncer announcer;
    EXPECT_EQ(announcer.ValueText(), "0 %");
    const struct {
        bool focus;
        std::int32_t usage;
        bool announced;
        const char* value;
    } steps[] = {
        {false, 40, true, "40 %"},  // the first second always
        {false, 44, false, "40 %"},
        {false, 36, false, "40 %"},
        {false, 45, true, "45 %"},  // five points up
        {false, 41, false, "45 %"},
        {false, 40, true, "40 %"},  // and down
        {true, 42, true, "42 %"},   // the focus, however little it moved
        {false, 46, false, "42 %"},
        {false, 100, true, "100 %"},
        {false, -2147483647, true, "-2147483647 %"},  // no overflow on a test history's extremes
        {false, 2147483647, true, "2147483647 %"},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(s.focus ? announcer.Focus(s.usage) : announcer.Update(s.usage), s.announced)
            << s.usage;
        EXPECT_EQ(announcer.ValueText(), s.value) << s.usage;
    }
}

TEST(UsageAnnouncer, TheNameFollowsTheLanguage) {
    EXPECT_EQ(UsageAnnouncer::Name(), "CPU使用率");
    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(UsageAnnouncer::Name(), "CPU usage");
    SetUiLanguage(UiLanguage::Japanese);
}

}  // namespace
}  // namespace moravel
