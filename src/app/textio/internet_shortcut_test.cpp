#include "app/textio/internet_shortcut.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextInternetShortcutTest, UrlIsTakenFromItsSectionAndKey) {
    const struct {
        const char* name;
        std::string content;
        std::string url;
    } cases[] = {
        {"plain", "[InternetShortcut]\r\nURL=http://example.jp/\r\n", "http://example.jp/"},
        {"names in any case, blanks around",
         "[internetshortcut]\r\n  url =  http://example.jp/a b  \r\n", "http://example.jp/a b"},
        {"quoted", "[InternetShortcut]\nURL=\"http://example.jp/q\"\n", "http://example.jp/q"},
        {"key of another section first",
         "[Other]\r\nURL=http://wrong/\r\n[InternetShortcut]\r\nIconIndex=0\r\nURL=http://right/",
         "http://right/"},
        {"first key wins", "[InternetShortcut]\rURL=http://one/\rURL=http://two/\r", "http://one/"},
        {"section left again", "[InternetShortcut]\r\n[Other]\r\nURL=http://wrong/\r\n", ""},
        {"UTF-8 mark before the section", "\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://bom/\r\n",
         "http://bom/"},
        {"double-byte text kept",
         "[InternetShortcut]\r\nURL=file:///C:/\x83\x5C\x83\x74\x83\x67\r\n",
         "file:///C:/\x83\x5C\x83\x74\x83\x67"},
        {"no URL", "[InternetShortcut]\r\nIconIndex=0\r\n", ""},
        {"empty file", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(internetShortcutUrl(c.content), c.url);
    }
}

TEST(TextInternetShortcutTest, LongUrlIsCutWithoutSplittingACharacter) {
    const std::string ascii(3000, 'x');
    EXPECT_EQ(internetShortcutUrl("[InternetShortcut]\r\nURL=" + ascii),
              ascii.substr(0, kMaxShortcutUrlBytes));

    std::string kana;
    for (int i = 0; i < 1100; ++i)
        kana += "\x82\xa0";  // あ
    // 2,047 bytes would end inside the 1,024th character: 1,023 of them stay.
    EXPECT_EQ(internetShortcutUrl("[InternetShortcut]\r\nURL=" + kana), kana.substr(0, 2046));
}

}  // namespace
