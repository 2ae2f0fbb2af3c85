#include "core/common/cp932_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace tidemark {
namespace {

TEST(Cp932ToUnicode, DecodesDoubleByteHalfWidthAndAsciiCharacters) {
    // 日本 ｱ \ ~ and a zero byte, which is ordinary content.
    const std::string cp932("\x93\xfa\x96\x7b\xb1\\~\0z", 9);
    EXPECT_EQ(Cp932ToUtf8(cp932), std::string("日本ｱ\\~\0z", 13));
    EXPECT_EQ(Cp932ToUtf16(cp932), std::u16string(u"日本ｱ\\~\0z", 7));
    EXPECT_EQ(Cp932ToUtf8(""), "");
    EXPECT_EQ(Cp932ToUtf16(""), u"");
}

TEST(Cp932ToUnicode, ReplacesEachInvalidCharacterWithOneReplacementCharacter) {
    struct Case {
        std::string cp932;
        std::string utf8;
    };
    const Case cases[] = {
        {"\x80", "\uFFFD"},
        {"\xa0z", "\uFFFDz"},
        {"\xfd\xfe\xff", "\uFFFD\uFFFD\uFFFD"},
        {"a\x81", "a\uFFFD"},              // lead byte cut off at the end
        {"\x85\x40z", "\uFFFDz"},          // an unassigned pair is one character
        {"\x81\n\x82\xa0", "\uFFFD\nあ"},  // a stray lead byte does not eat the line end
        {"\x85\x81\x40", "\uFFFD@"},       // 85 81 is one (unassigned) character
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
    }
    EXPECT_EQ(Cp932ToUtf16("a\x81\n\x85\x40"), u"a\uFFFD\n\uFFFD");
}

TEST(Cp932ToUnicode, HandlesLongTextsWithManyInvalidBytes) {
    std::string cp932;
    for (int i = 0; i < 50000; ++i)
        cp932 += "\x80\x93\xfa";
    const std::string utf8 = Cp932ToUtf8(cp932);
    ASSERT_EQ(utf8.size(), 50000u * 6);
    EXPECT_EQ(utf8.substr(utf8.size() - 6), "\uFFFD日");
    const std::u16string utf16 = Cp932ToUtf16(cp932);
    ASSERT_EQ(utf16.size(), 50000u * 2);
    EXPECT_EQ(utf16.substr(utf16.size() - 2), u"\uFFFD日");
}

TEST(UnicodeToCp932, EncodesEverythingCp932Holds) {
    const Cp932Text text = Utf8ToCp932("メモ帳 ｱ a\\b");
    EXPECT_TRUE(text.Complete());
    EXPECT_EQ(text.bytes, "\x83\x81\x83\x82\x92\xa0 \xb1 a\\b");
    EXPECT_EQ(Utf16ToCp932(u"メモ帳 ｱ a\\b").bytes, text.bytes);
}

TEST(UnicodeToCp932, StoresCommonUnicodeVariantsAsTheirCp932Characters) {
    // Wave dash and minus sign as they arrive from other systems.
    const Cp932Text text = Utf8ToCp932("\u301C\u2212");
    EXPECT_TRUE(text.Complete());
    EXPECT_EQ(text.bytes, "\x81\x60\x81\x7c");
}

TEST(UnicodeToCp932, ReportsEveryCharacterItCannotStore) {
    struct Case {
        std::string utf8;
        std::string bytes;
        std::u32string lost;
    };
    const Case cases[] = {
        {"a😀b😀", "ab", U"😀😀"},
        {"한글", "", U"한글"},
        {"x\u00e9\u00a0", "x", U"\u00e9\u00a0"},
        {"a\xff"
         "b",
         "ab", U"\uFFFD"},              // not UTF-8
        {"a\xe3\x81", "a", U"\uFFFD"},  // cut-off sequence counts once
        {"\xe3\x81"
         "b",
         "b", U"\uFFFD"},
        {"\xc0\xaf", "", U"\uFFFD\uFFFD"},  // overlong form
        {"\xed\xa0\x80"
         "a",
         "a", U"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
    };
    for (const Case& c : cases) {
        const Cp932Text text = Utf8ToCp932(c.utf8);
        EXPECT_EQ(text.bytes, c.bytes) << c.utf8;
        EXPECT_EQ(text.lost, c.lost) << c.utf8;
        EXPECT_FALSE(text.Complete());
    }
}

TEST(UnicodeToCp932, ReportsUnpairedSurrogatesAndCharactersBeyondTheBmpFromUtf16) {
    const Cp932Text text = Utf16ToCp932(
        u"a\xD800"
        u"b😀\xDC00"
        u"c");
    EXPECT_EQ(text.bytes, "abc");
    EXPECT_EQ(text.lost, U"\uFFFD😀\uFFFD");
}

TEST(UnicodeToCp932, ConvertsCleanlyAfterAFailedConversion) {
    EXPECT_FALSE(Utf8ToCp932("a\xe3").Complete());
    const Cp932Text text = Utf8ToCp932("い");
    EXPECT_TRUE(text.Complete());
    EXPECT_EQ(text.bytes, "\x82\xa2");
}

TEST(Cp932Codec, RoundTripsEveryDecodableDoubleByteCharacterThroughUtf16) {
    int checked = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string unicode = Cp932ToUtf16(bytes);
            ASSERT_EQ(unicode.size(), 1u);
            if (unicode[0] == u'\uFFFD')
                continue;
            const Cp932Text back = Utf16ToCp932(unicode);
            ASSERT_TRUE(back.Complete()) << std::hex << lead << ' ' << trail;
            // Duplicates (NEC and IBM codes of one character) come back as one of them; the
            // character must survive.
            ASSERT_EQ(Cp932ToUtf16(back.bytes), unicode) << std::hex << lead << ' ' << trail;
            ++checked;
        }
    }
    EXPECT_GT(checked, 7000);
}

}  // namespace
}  // namespace tidemark
