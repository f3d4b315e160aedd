#include <gtest/gtest.h>

#include "core/base/Strings.h"
#include "core/dialogs/OptionGroup.h"

namespace moravel {
namespace {

TEST(ParseInt32, AcceptsDecimalAndHexForms) {
    EXPECT_EQ(ParseInt32("5"), 5);
    EXPECT_EQ(ParseInt32("  -12\t"), -12);
    EXPECT_EQ(ParseInt32("+7"), 7);
    EXPECT_EQ(ParseInt32("&H10"), 16);
    EXPECT_EQ(ParseInt32("&h00007F00"), 0x7F00);
    EXPECT_EQ(ParseInt32("&H8000000F"), static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(ParseInt32("&HFFFFFFFF"), -1);
    EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
}

TEST(ParseInt32, RejectsWhatIsNotA32BitNumber) {
    for (const char* text :
         {"", " ", "abc", "12abc", "1 2", "2147483648", "-2147483649", "&H", "&H123456789", "&HG",
          "- 5", "--5", "0x10", "1.5", "99999999999999999999999"}) {
        EXPECT_FALSE(ParseInt32(text).has_value()) << text;
    }
}

TEST(ParseReal, UsesAPointWhateverTheLocaleAndRejectsNonFinite) {
    EXPECT_EQ(ParseReal("10.5"), 10.5);
    EXPECT_EQ(ParseReal(" 14 "), 14.0);
    EXPECT_EQ(ParseReal("-.5"), -0.5);
    EXPECT_EQ(ParseReal("1e2"), 100.0);
    EXPECT_EQ(ParseReal("&H10"), 16.0);
    for (const char* text : {"", "10,5", "inf", "nan", "-inf", "1e400", "1.2.3", "+", "."}) {
        EXPECT_FALSE(ParseReal(text).has_value()) << text;
    }
}

TEST(FormatReal, WritesTheShortestFormThatReadsBack) {
    EXPECT_EQ(FormatReal(14), "14");
    EXPECT_EQ(FormatReal(10.5), "10.5");
    EXPECT_EQ(FormatReal(0.1), "0.1");
    EXPECT_EQ(ParseReal(FormatReal(1.0 / 3.0)), 1.0 / 3.0);
}

TEST(RoundHalfEven, RoundsHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(62.5), 62);
    EXPECT_EQ(RoundHalfEven(63.5), 64);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
}

TEST(TrimSpaces, TrimsOnlySpaces) {
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(TrimSpaces("\ta\t"), "\ta\t");
    EXPECT_EQ(TrimSpaces("   "), "");
}

TEST(SelectedOptionIndex, TakesTheLowestSelectedIndexOfTheGroup) {
    const OptionState trayOptions[] = {{3, true}, {1, false}, {2, true}};
    EXPECT_EQ(SelectedOptionIndex(trayOptions, 1), 2);
    const OptionState none[] = {{0, false}, {1, false}};
    EXPECT_EQ(SelectedOptionIndex(none, 7), 7);
    EXPECT_EQ(SelectedOptionIndex({}, -1), -1);
}

}  // namespace
}  // namespace moravel
