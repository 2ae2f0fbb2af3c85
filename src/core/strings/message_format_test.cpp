#include "core/strings/message_format.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace tidemark {
namespace {

struct FormatCase {
    const char* name;
    std::string_view pattern;
    std::vector<MessageArg> args;
    std::string_view expected;
};

TEST(MessageFormatTest, FormatsDirectives) {
    const FormatCase cases[] = {
        {"plain text", "ノート本体", {}, "ノート本体"},
        {"text", "%s は存在しません。", {"a b.tmk"}, "a b.tmk は存在しません。"},
        {"two directives in order", "%d/%d 項目", {3, 12}, "3/12 項目"},
        {"negative decimal", "(%d)", {-38}, "(-38)"},
        {"%i", "%i", {7}, "7"},
        {"%ld", "%ld", {70000L}, "70000"},
        {"zero-padded width", "%02d:%02d", {5, 123}, "05:123"},
        {"zero padding after the sign", "%05d", {-42}, "-0042"},
        {"space padding", "[%5d]", {42}, "[   42]"},
        {"left-justified", "[%-5d]", {42}, "[42   ]"},
        {"precision gives least digits", "%.3d", {7}, "007"},
        {"precision overrides the zero flag", "[%08.3d]", {7}, "[     007]"},
        {"hexadecimal", "%x %X", {255, 255}, "ff FF"},
        {"alternate hexadecimal", "%#x %#X %#x", {255, 255, 0}, "0xff 0XFF 0"},
        {"unsigned of a negative int is 32-bit", "%u", {-1}, "4294967295"},
        {"unsigned of a negative int64 is 64-bit",
         "%u",
         {std::int64_t{-1}},
         "18446744073709551615"},
        {"hex of a negative int8 is 8-bit", "%x", {std::int8_t{-1}}, "ff"},
        {"unsigned value under %d is not reinterpreted",
         "%d",
         {std::uint32_t{0x80000001}},
         "2147483649"},
        {"most negative int64",
         "%d",
         {std::numeric_limits<std::int64_t>::min()},
         "-9223372036854775808"},
        {"integer under %s is decimal",
         "I/Oエラー(%s)が発生しました。",
         {112},
         "I/Oエラー(112)が発生しました。"},
        {"text width counts characters", "[%4s]", {"表題"}, "[  表題]"},
        {"text left-justified", "[%-4s]", {"ab"}, "[ab  ]"},
        {"text precision cuts whole characters", "[%.1s]", {"表題"}, "[表]"},
        {"percent sign", "100%% %s", {"x"}, "100% x"},
        {"escaped percent takes no argument", "%%d %d", {9}, "%d 9"},
        {"missing argument stays literal", "%s: %5d", {"x"}, "x: %5d"},
        {"text under %d stays literal but is used up", "%d %s", {"abc", "def"}, "%d def"},
        {"unknown directive takes no argument", "%q %s", {"x"}, "%q x"},
        {"wide-character text directive is unknown", "%ls %s", {"x"}, "%ls x"},
        {"percent at the end", "50%", {}, "50%"},
        {"incomplete directive at the end", "%-0", {1}, "%-0"},
        {"width beyond the limit is literal", "%99999d%d", {7}, "%99999d7"},
        {"arguments left over are ignored", "%s", {"a", "b", 3}, "a"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatText(c.pattern, c.args), c.expected) << c.name;
    }
}

TEST(MessageFormatTest, ArgumentsFromStrings) {
    std::string name = "plan.tmk";
    EXPECT_EQ(FormatText("%s/%s", {name, std::string("x")}), "plan.tmk/x");
    const char* missing = nullptr;
    EXPECT_EQ(FormatText("[%s]", {missing}), "[]");
}

TEST(MessageFormatTest, FormatStringFillsTableTexts) {
    EXPECT_EQ(FormatString(20070, {1034}), "メモリ不足が発生しました。(1034)");
    EXPECT_EQ(FormatString(20010, {"plan.tmk"}),
              "plan.tmk は Tidemark ノートファイル ではありません。");
    EXPECT_EQ(
        FormatString(20032, {"Tidemarkスクリプト実行時エラー", "sample.js", 3, 14, "失敗"}),
        "Tidemarkスクリプト実行時エラー\r\n\r\nスクリプト:\tsample.js\r\n行:\t3\r\n文字:\t14\r\n"
        "\r\n失敗");
    EXPECT_EQ(FormatString(0, {"x"}), "");
}

}  // namespace
}  // namespace tidemark
