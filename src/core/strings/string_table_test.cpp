#include "core/strings/string_table.h"

#include <cstdint>
#include <limits>
#include <string_view>

#include <gtest/gtest.h>

namespace tidemark {
namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        std::uint32_t smallest = 0;
        if (byte < 0x80) {
            ++i;
            continue;
        } else if ((byte & 0xE0) == 0xC0) {
            length = 2, code = byte & 0x1Fu, smallest = 0x80;
        } else if ((byte & 0xF0) == 0xE0) {
            length = 3, code = byte & 0x0Fu, smallest = 0x800;
        } else if ((byte & 0xF8) == 0xF0) {
            length = 4, code = byte & 0x07u, smallest = 0x10000;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

TEST(StringTableTest, IdsAreStrictlyIncreasing) {
    auto table = StringTable();
    ASSERT_FALSE(table.empty());
    for (std::size_t i = 1; i < table.size(); ++i) {
        EXPECT_LT(table[i - 1].id, table[i].id) << "entry " << i << " is out of order or repeated";
    }
}

// Catches texts pasted in another encoding, escapes typed wrongly ("\r" without "\n") and
// message directives the formatter would leave unfilled.
TEST(StringTableTest, EveryTextIsWellFormed) {
    // Templates with placeholders of their own (export templates, the file-name picture).
    auto usesOwnPlaceholders = [](std::uint32_t id) {
        return id == 10021 || id == 10022 || id == 10047;
    };
    for (const StringEntry& entry : StringTable()) {
        SCOPED_TRACE(entry.id);
        std::string_view text = entry.text;
        EXPECT_FALSE(text.empty());
        EXPECT_TRUE(IsValidUtf8(text));
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r') {
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "lone CR at " << i;
            }
            if (text[i] == '%' && !usesOwnPlaceholders(entry.id)) {
                ASSERT_LT(i + 1, text.size()) << "'%' at the end";
                char next = text[i + 1];
                EXPECT_TRUE(next == 's' || next == 'd' || next == '%')
                    << "unexpected directive %" << next;
                ++i;
            }
        }
    }
}

TEST(StringTableTest, TextsAreExactlyAsWritten) {
    struct Case {
        std::uint32_t id;
        std::string_view text;
    };
    const Case cases[] = {
        {10001, "Tidemark"},
        {10005, "ノート本体"},
        {10006, "Tidemark ノートファイル(*.tmk)\\*.tmk\\すべてのファイル(*.*)\\*.*\\"},
        {10036, "メニュー "},  // the place number follows the blank
        {11129, "並べ替え(&S).."},
        {12001, " "},
        {12006, "%d/%d 項目"},
        {13002,
         "削除してしまうと、復元することはできません。\n"
         "選択している項目を削除してもよろしいですか?"},
        {15002, "ﾒﾓｸﾞﾙｰﾌﾟ.."},
        {20010, "%s は Tidemark ノートファイル ではありません。"},
        {20032, "%s\r\n\r\nスクリプト:\t%s\r\n行:\t%d\r\n文字:\t%d\r\n\r\n%s"},
        {20044, "\"%s\"というファイルの読み込みに失敗しました。(%d)"},
        {20047, "備考のテキストに\"\"(長さ0の文字列)を設定できません。"},
        {20051,
         "表題に指定しようとした文字列の長さが259バイトを越えています。\r\n"
         "表題には259バイト以下の文字列を指定してください。"},
        {20070, "メモリ不足が発生しました。(%d)"},
        {42001, "登録されているスクリプトを実行します"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StringById(c.id), c.text) << c.id;
    }
}

TEST(StringTableTest, ExportTemplatesEndEveryLineWithCrLf) {
    const std::string_view rule = "------------------------------------------------";
    ASSERT_EQ(rule.size(), 48u);
    std::string memo;
    memo.append(rule).append("\r\n表題: %h\r\n更新日時: %m\r\n%R: %r\r\n");
    memo.append(rule).append("\r\n%s\r\n");
    EXPECT_EQ(StringById(10021), memo);
    EXPECT_EQ(StringById(10022),
              ">>>>> メモグループ: %h >>>>>>>>>>>>>>>>>>>>\r\n%s\r\n"
              "<<<<<<<<<<<<<<<<<<<< メモグループ: %h <<<<<\r\n\r\n");
}

TEST(StringTableTest, UnknownIdsGiveEmptyText) {
    auto table = StringTable();
    const std::uint32_t present[] = {table.front().id, table.back().id, 20070};
    for (std::uint32_t id : present) {
        EXPECT_TRUE(HasString(id)) << id;
        EXPECT_FALSE(StringById(id).empty()) << id;
    }
    // Below the first id, a gap inside a range, an id never used, above the last.
    const std::uint32_t absent[] = {0, 10000, 20058, 42002,
                                    std::numeric_limits<std::uint32_t>::max()};
    for (std::uint32_t id : absent) {
        EXPECT_FALSE(HasString(id)) << id;
        EXPECT_TRUE(StringById(id).empty()) << id;
    }
}

}  // namespace
}  // namespace tidemark
