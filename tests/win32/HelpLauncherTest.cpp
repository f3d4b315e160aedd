#include "win32/HelpLauncher.h"

#include <gtest/gtest.h>

#include "core/app/Help.h"
#include "core/config/Config.h"
#include "support/TempFolder.h"
#include "win32/Prompts.h"

namespace moravel {
namespace {

TEST(FileUrlTest, FileUrlsEscapeWhatAUrlCannotHold) {
    EXPECT_EQ(FileUrl("C:\\Program Files\\Moravel\\Moravel-help.html", HelpContext{12}),
              "file:///C:/Program%20Files/Moravel/Moravel-help.html#12");
    EXPECT_EQ(FileUrl("C:\\ヘルプ\\#1 100%.html", HelpContext::Contents),
              "file:///C:/%E3%83%98%E3%83%AB%E3%83%97/%231%20100%25.html#1");
    EXPECT_EQ(FileUrl("\\\\server\\share\\Moravel.HLP", HelpContext{3}),
              "file://server/share/Moravel.HLP#3");
}

class HelpLauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HelpLaunches::Intercept(true);
        HelpLaunches::Clear();
        Win32MessagePrompt::ClearAsked();
        Win32MessagePrompt::SetNextAnswers({MessageAnswer::Ok, MessageAnswer::Ok});
    }
    void TearDown() override {
        Win32MessagePrompt::SetNextAnswers({});
        HelpLaunches::Intercept(false);
    }

    test::TempFolder folder_;
};

TEST_F(HelpLauncherTest, WithoutAHelpFileTheProgramSaysItHasNone) {
    ShowHelp(nullptr, "", HelpContext::Contents);
    ShowHelp(nullptr, folder_.File("Moravel.HLP"), HelpContext::Contents);  // named, not there
    EXPECT_TRUE(HelpLaunches::Opened().empty());
    ASSERT_EQ(Win32MessagePrompt::Asked().size(), 2u);
    for (const MessageRequest& asked : Win32MessagePrompt::Asked()) {
        EXPECT_EQ(asked.text, kNoHelpMessage);
        EXPECT_EQ(asked.caption, kAppTitle);
        EXPECT_EQ(asked.icon, MessageIcon::Information);
        EXPECT_EQ(asked.buttons, MessageButtons::Ok);
    }
}

TEST_F(HelpLauncherTest, TheTopicOpensAtItsAnchorInAPageCopyOfTheHelpFile) {
    const std::string html = "<html><body><a name=\"12\">設定</a></body></html>";
    const std::string helpFile = folder_.File("Moravel.HLP");
    test::WriteBytes(helpFile, html);
    ShowHelp(nullptr, helpFile, HelpContext{12});
    ASSERT_EQ(HelpLaunches::Opened().size(), 1u);
    const std::string& url = HelpLaunches::Opened()[0];
    const std::string tail = "/Moravel-help.html#12";
    ASSERT_GT(url.size(), tail.size());
    EXPECT_EQ(url.substr(0, 8), "file:///");
    EXPECT_EQ(url.substr(url.size() - tail.size()), tail);
    EXPECT_EQ(test::ReadBytes(HelpPage(helpFile)), html);
    EXPECT_TRUE(Win32MessagePrompt::Asked().empty());

    // Another help file is shown as well.
    const std::string other = folder_.File("Other.HLP");
    test::WriteBytes(other, "<html>other</html>");
    ShowHelp(nullptr, other, HelpContext{2});
    ASSERT_EQ(HelpLaunches::Opened().size(), 2u);
    EXPECT_EQ(test::ReadBytes(HelpPage(other)), "<html>other</html>");
}

}  // namespace
}  // namespace moravel
