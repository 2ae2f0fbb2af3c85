#include "core/textio/export_template.h"

#include <gtest/gtest.h>

#include <string>

#include "core/common/cp932_codec.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/note_test_support.h"
#include "core/textio/text_exporter.h"

namespace tidemark {
namespace {

std::string Sjis(std::string_view utf8) {
    return Utf8ToCp932(utf8).bytes;
}

// A memo and a group outside the root's tree, so that each is a chain of its own.
class TemplateLanguageTest : public ::testing::Test {
protected:
    FixedClock clock{MakeTime(2004, 5, 6, 13, 45, 7)};
    Note note{nullptr, &clock};
    ItemId memo = kNoItem;
    ItemId group = kNoItem;

    void SetUp() override {
        note.MakeNew(ByteString("root"));
        memo = AddMemo(note, kNoItem, "T");
        dynamic_cast<Memo*>(note.FindItem(memo))->SetRawBody(ByteString("B"));
        note.FindItem(memo)->SetRawRemarks(ByteString("rem"));
        note.FindItem(memo)->SetRawFlags(ItemFlags::kHasRemarks);
        group = AddGroup(note, kNoItem, "G");
        AddMemo(note, group, "child");
    }

    std::string ExportMemo(std::string_view memoFormat) {
        const ExportFormats formats{ExportTemplate(memoFormat), ExportTemplate("")};
        return ExportItemsToText(note, memo, formats);
    }
};

TEST_F(TemplateLanguageTest, PlaceholdersAndPercentSignsInTheMemoTemplate) {
    const struct {
        std::string format;
        std::string expected;
    } cases[] = {
        {"%h|%r|%s", "T|rem|B"},
        {"%m", "2004/05/06 13:45"},
        {"%R", Sjis("備考")},
        {"100%%", "100%"},
        {"%%h", "%h"},         // the escaped "%" does not start a placeholder
        {"%x%H%S", "%x%H%S"},  // no placeholder: both characters stay; case matters
        {"end%", "end%"},      // a lone "%" at the very end
        {"%", "%"},
        {"%%%", "%%"},
        {"%\r\n%h", "%\r\nT"},
        {Sjis("%表%h"), Sjis("%表T")},  // "%" before a double-byte character keeps both
        {std::string("a\0%h", 4), std::string("a\0T", 3)},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExportMemo(c.format), c.expected) << "template: " << c.format;
    }
}

TEST_F(TemplateLanguageTest, TrailBytesThatLookLikePlaceholderLettersAreNotPlaceholders) {
    // "ド" is 0x83 0x68: its trail byte is an "h". After "%" it is one character, kept whole.
    const std::string format = "%" + Sjis("ド") + "%h";
    EXPECT_EQ(ExportMemo(format), "%" + Sjis("ド") + "T");
}

TEST_F(TemplateLanguageTest, RemarksAreWrittenOnlyWhileTheyAreSet) {
    // The stored text stays when the remarks are cleared; the export must not show it.
    note.FindItem(memo)->SetRawFlags(0);
    EXPECT_EQ(ExportMemo("[%r]"), "[]");
}

TEST_F(TemplateLanguageTest, TheNotesOwnRemarksCaptionReplacesTheStandardOne) {
    note.View().remarksCaption = ByteString(Sjis("メモ欄"));
    EXPECT_EQ(ExportMemo("%R: %r"), Sjis("メモ欄: rem"));
}

TEST_F(TemplateLanguageTest, ContentsOfAGroupUseEachChildsOwnTemplate) {
    const ExportFormats formats{ExportTemplate("(%h:%s)"), ExportTemplate("[%h{%s}%s]")};
    // %s twice writes the contents twice.
    EXPECT_EQ(ExportItemsToText(note, group, formats), "[G{(child:)}(child:)]");
}

TEST(ExportTemplateDefaults, MatchTheTemplatesTheProgramShipsWith) {
    const std::string rule(48, '-');
    const std::string memo =
        rule + "\r\n" + Sjis("表題: %h\r\n更新日時: %m\r\n") + "%R: %r\r\n" + rule + "\r\n%s\r\n";
    const std::string group = Sjis(">>>>> メモグループ: %h ") + std::string(20, '>') + "\r\n" +
                              "%s\r\n" + std::string(20, '<') + Sjis(" メモグループ: %h <<<<<") +
                              "\r\n\r\n";
    const ExportFormats defaults = ExportFormats::Defaults();
    EXPECT_EQ(defaults.memo.Text(), memo);
    EXPECT_EQ(defaults.group.Text(), group);
}

}  // namespace
}  // namespace tidemark
