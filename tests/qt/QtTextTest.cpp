#include "qt/QtText.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

TEST(QtTextTest, JapaneseTextCrossesBothWaysAndAViewEndsWhereItEnds) {
    const std::string caption = "テーマ(&T) ＭＳ ゴシック";
    const QString shown = ToQString(caption);
    EXPECT_EQ(shown, QStringLiteral("テーマ(&T) ＭＳ ゴシック"));
    EXPECT_EQ(ToStdString(shown), caption);

    // A view into a longer text: only its own characters, not up to the next NUL.
    const std::string_view head = std::string_view(caption).substr(0, caption.find('('));
    EXPECT_EQ(ToQString(head), QStringLiteral("テーマ"));
    EXPECT_EQ(ToStdString(QString()), "");
}

}  // namespace
}  // namespace moravel
