#include "app/frame/default_note_file.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

TEST(DefaultNoteFile, TakesTheFirstFreeNumber) {
    QSet<QString> taken;
    auto exists = [&](const QString& path) { return taken.contains(path); };
    EXPECT_EQ(freeDefaultNotePath("/d", exists), QStringLiteral("/d/マイ ノート.tmk"));
    taken << QStringLiteral("/d/マイ ノート.tmk");
    EXPECT_EQ(freeDefaultNotePath("/d", exists), QStringLiteral("/d/マイ ノート1.tmk"));
    taken << QStringLiteral("/d/マイ ノート1.tmk") << QStringLiteral("/d/マイ ノート3.tmk");
    EXPECT_EQ(freeDefaultNotePath("/d", exists), QStringLiteral("/d/マイ ノート2.tmk"));
}

TEST(DefaultNoteFile, GivesUpAfterNineThousandNineHundredNinetyNine) {
    int asked = 0;
    auto allTaken = [&](const QString&) {
        ++asked;
        return true;
    };
    EXPECT_FALSE(freeDefaultNotePath("/d", allTaken).has_value());
    EXPECT_EQ(asked, 10000);  // the plain name and the numbers 1 to 9999
}

}  // namespace
