#include <gtest/gtest.h>

#include "core/dialogs/AboutBox.h"

namespace moravel {
namespace {

TEST(AboutBox, VersionLine) {
    EXPECT_EQ(VersionLine("Moravel", 1, 1, 0), "Moravel Version 1.1");
    EXPECT_EQ(VersionLine("Moravel", 1, 1, 3), "Moravel Version 1.1.3");
}

// Runs timer steps until the timer stops; returns the frames shown.
std::vector<int> RunTimer(PressAnimation& a, bool running) {
    std::vector<int> frames;
    for (int guard = 0; running && guard < 10; ++guard) {
        running = a.Step();
        frames.push_back(a.PressFrame);
    }
    return frames;
}

TEST(AboutBox, PressSinksOneFramePerButtonAndRisesBack) {
    PressAnimation a;
    bool running = a.MouseDown(1);  // one step at once
    EXPECT_EQ(a.PressFrame, 1);
    EXPECT_FALSE(running);
    running = a.MouseDown(2);
    EXPECT_EQ(a.PressFrame, 2);
    EXPECT_TRUE(RunTimer(a, running).empty());

    running = a.MouseUp(2);
    EXPECT_TRUE(running);
    EXPECT_EQ(RunTimer(a, running), std::vector<int>{1});
    running = a.MouseUp(1);
    EXPECT_EQ(RunTimer(a, running), std::vector<int>{0});
}

TEST(AboutBox, ThreeButtonsReachTheLastFrameStepByStep) {
    PressAnimation a;
    a.PressButtons = 1 | 2;  // two buttons went down while the picture was still rising
    bool running = a.MouseDown(4);
    EXPECT_EQ(a.PressFrame, 1);
    EXPECT_EQ(a.PressTarget, 3);
    EXPECT_EQ(RunTimer(a, running), (std::vector<int>{2, 3}));
    // Releasing a button that is not held changes nothing but the target's recount.
    running = a.MouseUp(8);
    EXPECT_FALSE(running);
    EXPECT_EQ(a.PressFrame, 3);
    running = a.MouseUp(1 | 2 | 4);
    EXPECT_EQ(RunTimer(a, running), (std::vector<int>{2, 1, 0}));
}

}  // namespace
}  // namespace moravel
