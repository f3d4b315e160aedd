#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/app/Help.h"
#include "core/app/ShellRules.h"
#include "core/app/Texts.h"
#include "core/cpu/CpuSampler.h"
#include "core/dialogs/AboutBox.h"
#include "core/dialogs/SetupDialog.h"
#include "core/dialogs/ThemeEditorState.h"
#include "core/dialogs/ThemeFileFlows.h"

namespace moravel {
namespace {

class EnglishTexts : public ::testing::Test {
  protected:
    EnglishTexts() { SetUiLanguage(UiLanguage::English); }
    ~EnglishTexts() override { SetUiLanguage(UiLanguage::Japanese); }
};

// The placeholders %1 to %9 a text holds, in order of appearance.
std::string Placeholders(std::string_view text) {
    std::string found;
    for (std::size_t pos = text.find('%'); pos != std::string_view::npos && pos + 1 < text.size();
         pos = text.find('%', pos + 1)) {
        if (text[pos + 1] >= '1' && text[pos + 1] <= '9') {
            found += text[pos + 1];
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

TEST_F(EnglishTexts, EveryTextOfTheCatalogueHasItsEnglish) {
    std::set<std::string_view> seen;
    for (const TextTranslation& t : TextCatalogue()) {
        EXPECT_TRUE(seen.insert(t.japanese).second) << "twice: " << t.japanese;
        EXPECT_FALSE(t.english.empty()) << t.japanese;
        EXPECT_EQ(Placeholders(t.english), Placeholders(t.japanese)) << t.japanese;
        // An access key stays an access key.
        EXPECT_EQ(t.japanese.find('&') == std::string_view::npos,
                  t.english.find('&') == std::string_view::npos)
            << t.japanese;
    }
}

TEST_F(EnglishTexts, EveryJapaneseTextTheCoreShowsIsTranslated) {
    std::vector<std::string_view> shown = {
        kHideCaption,         kShowCaption,         kFellBackTipNote,   kNoHelpMessage,
        kCpuUsageFailureText, kThemeEditorCaption,  kNoImageEntry,      kAboutCaption,
        kRightsNotice,        kLegalNotice,         kThemeFileFilter,   kSaveAsTitle,
        kNewThemeName,        kSetupCaption,        kCustomThemeSuffix, kAutostartCaption,
        kCpuFigureCaption,    kNoTrayText,          kCpuViewCaption,    kAlertCaption,
        kAlertPercentCaption, kAlertSecondsCaption, kAlertSecondsUnit,
    };
    for (const CycleChoice& c : kCycleChoices) {
        shown.push_back(c.text);
    }
    for (const IconModeChoice& c : kIconModeChoices) {
        shown.push_back(c.caption);
    }
    for (const std::string_view text : shown) {
        EXPECT_NE(Localised(text), text) << text;
    }
    for (std::int32_t i = 0; i < 9; ++i) {
        EXPECT_EQ(TextPositionName(i).find_first_of("\xE3\xE4\xE5\xE6\xE7\xE8\xE9"),
                  std::string_view::npos);
    }
    for (const MenuItem& item : PopupMenuItems(WindowState::Shown, true)) {
        EXPECT_EQ(item.caption.find_first_of("\xE3\xE4\xE5\xE6\xE7\xE8\xE9"),
                  std::string_view::npos)
            << item.caption;
    }
    EXPECT_EQ(TrayTipText(42, true), "CPU usage 42 % (processor time)");
    EXPECT_EQ(TrayTipText(37, false, {5, 98}), "CPU usage 37 % (CPU5 98 %)");
    EXPECT_EQ(SaveFailedMessage("a.tm").text, "The theme file a.tm could not be saved.");
    EXPECT_EQ(HelpFileErrorMessage("x.HLP"), "The help file x.HLP cannot be opened.");
}

TEST(JapaneseTexts, StayAsTheyAre) {
    ASSERT_EQ(CurrentUiLanguage(), UiLanguage::Japanese);
    for (const TextTranslation& t : TextCatalogue()) {
        EXPECT_EQ(Localised(t.japanese), t.japanese);
    }
    EXPECT_EQ(TrayTipText(42, true), "CPU使用率 42 % （プロセッサ時間）");
    EXPECT_EQ(LocalisedWith("テーマファイル %1(%2) を削除します。宜しいですか？", {"夜", "n.tm"}),
              "テーマファイル 夜(n.tm) を削除します。宜しいですか？");
}

}  // namespace
}  // namespace moravel
