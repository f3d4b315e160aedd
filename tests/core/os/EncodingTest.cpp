#include <gtest/gtest.h>

#include "core/os/Encoding.h"

namespace moravel {
namespace {

// "ＭＳ ゴシック" in CP932.
constexpr std::string_view kMsGothicCp932 = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
constexpr std::string_view kMsGothic = "ＭＳ ゴシック";

TEST(Encoding, JapaneseTextRoundTripsThroughCp932) {
    EXPECT_EQ(AnsiToUtf8(kMsGothicCp932), kMsGothic);
    EXPECT_EQ(Utf8ToAnsi(kMsGothic), kMsGothicCp932);
    EXPECT_EQ(Utf8ToAnsi("初期値"), "\x8F\x89\x8A\xFA\x92\x6C");
    EXPECT_EQ(AnsiToUtf8("\x8F\x89\x8A\xFA\x92\x6C"), "初期値");
}

TEST(Encoding, BackslashAndTildeStayAscii) {
    // CP932, unlike strict Shift_JIS, keeps 0x5C and 0x7E as ASCII: paths survive.
    EXPECT_EQ(AnsiToUtf8("C:\\a~b"), "C:\\a~b");
    EXPECT_EQ(Utf8ToAnsi("C:\\a~b"), "C:\\a~b");
}

TEST(Encoding, UndecodableBytesBecomeReplacementCharacters) {
    // 0x82 at the end is a lead byte without its trail.
#ifndef _WIN32
    // 0x80 is unassigned in iconv's CP932 (Windows' own table gives it U+0080).
    EXPECT_EQ(AnsiToUtf8("a\x80"
                         "b"),
              "a\xEF\xBF\xBD"
              "b");
#endif
    EXPECT_EQ(AnsiToUtf8("a\x82"
                         "\x20"),
              "a\xEF\xBF\xBD"
              " ");  // a lead byte before a byte that cannot trail it
    EXPECT_EQ(AnsiToUtf8("x\x82"), "x\xEF\xBF\xBD");
    EXPECT_EQ(AnsiToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Encoding, CharactersCp932CannotHoldAreWrittenAsQuestionMarks) {
    EXPECT_EQ(Utf8ToAnsi("a\xF0\x9F\x98\x80"
                         "b"),
              "a?b");                        // an emoji
    EXPECT_EQ(Utf8ToAnsi("\xC3\xA9"), "?");  // é
    EXPECT_EQ(Utf8ToAnsi("a\xFF"
                         "b"),
              "a?b");                        // broken UTF-8
    EXPECT_EQ(Utf8ToAnsi("\xE3\x81"), "?");  // cut-off sequence
}

TEST(Encoding, CharactersOutsideTheCodePageAreNamedOnce) {
    const struct {
        std::string_view text;
        std::string_view outside;
    } cases[] = {
        {"初期値 ＭＳ ゴシック ｶﾅ ①～∑ \\~?", ""},  // CP932's own extensions and ASCII
        {"Café é😀é", "é 😀"},
        {"Ω αβ", ""},  // Greek is in the code page
        {"\xC3\xA9\xFF", "é \xFF"},
    };
    for (const auto& [text, outside] : cases) {
        EXPECT_EQ(CharactersOutsideCodePage(text), outside) << text;
    }
}

TEST(Encoding, TruncateToAnsiBytesCutsBetweenCharacters) {
    EXPECT_EQ(TruncateToAnsiBytes(kMsGothic, 31), kMsGothic);
    EXPECT_EQ(TruncateToAnsiBytes(kMsGothic, 4), "ＭＳ");
    EXPECT_EQ(TruncateToAnsiBytes(kMsGothic, 3), "Ｍ");
    EXPECT_EQ(TruncateToAnsiBytes("abc", 0), "");
}

TEST(Encoding, NoTextTakesMoreAnsiBytesThanUtf8Bytes) {
    // What lets a text that fits in UTF-8 through unconverted: half-width katakana, the yen sign,
    // Greek, a character outside the code page, broken and cut-off sequences.
    for (const std::string_view text : {"CPU使用率 100 %", "ｶﾀｶﾅ", "\xC2\xA5", "αβγ", "😀x",
                                        "\xFF\xFE\x61\x62", "\xE3\x81", "a\x80\x80\x62"}) {
        EXPECT_LE(Utf8ToAnsi(text).size(), text.size()) << text;
        EXPECT_EQ(TruncateToAnsiBytes(text, text.size()), text);
        // One byte less always cuts the text, at a character.
        const std::string shorter = TruncateToAnsiBytes(text, Utf8ToAnsi(text).size() - 1);
        EXPECT_LT(shorter.size(), text.size()) << text;
        EXPECT_EQ(text.substr(0, shorter.size()), shorter);
    }
}

}  // namespace
}  // namespace moravel
