#include "app/text/text_insertion.h"

#include <gtest/gtest.h>

#include "app/common/qt_text.h"
#include "core/model/fixed_clock_for_test.h"

namespace {

using tidemark::MakeTime;

TEST(TextInsertion, OnePictureMayHoldDateAndTimeElements) {
    const tidemark::SystemTime time = MakeTime(2004, 5, 6, 13, 45, 7);
    EXPECT_EQ(dateTimeText(time, fromQString(QStringLiteral("yyyy/MM/dd HH:mm"))),
              QStringLiteral("2004/05/06 13:45"));
    EXPECT_EQ(dateTimeText(time, fromQString(QStringLiteral("H'時'm'分' yyyy'年'M'月'd'日'"))),
              QStringLiteral("13時45分 2004年5月6日"));
    // No picture: the program's own, long date and time.
    EXPECT_EQ(dateTimeText(time, {}), QStringLiteral("2004年5月6日 13:45:07"));
}

TEST(TextInsertion, FileNameTemplateExpandsItsThreeDirectives) {
    const QString path = QStringLiteral("/home/user/メモ/todo.txt");
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("%f <file://%F>"),
         QStringLiteral("todo.txt <file:///home/user/メモ/todo.txt>")},
        {QStringLiteral("100%% %f"), QStringLiteral("100% todo.txt")},
        {QStringLiteral("%x%F%"), QStringLiteral("%x/home/user/メモ/todo.txt%")},
        {QStringLiteral("plain"), QStringLiteral("plain")},
    };
    for (const auto& [pattern, expected] : cases)
        EXPECT_EQ(fileNameText(path, pattern), expected) << pattern.toStdString();
    EXPECT_EQ(fileNameText(QStringLiteral("C:\\dir\\a.txt"), QStringLiteral("%f")),
              QStringLiteral("a.txt"));
}

TEST(TextInsertion, FileNameTextIsCutAtItsByteLimitWithoutSplittingACharacter) {
    // Two bytes a character: the limit (odd) falls inside one.
    const QString path(800, QChar(u'あ'));
    const QString text = fileNameText(path, QStringLiteral("%F"));
    EXPECT_EQ(fromQString(text).Size(), kFileNameTextBytes - 1);
    EXPECT_EQ(text, path.left(kFileNameTextBytes / 2));
}

TEST(TextInsertion, DroppedFilesAreEachFollowedByOneSpace) {
    EXPECT_EQ(droppedFilesText({QStringLiteral("/a/x.txt"), QStringLiteral("/b/y.txt")},
                               QStringLiteral("%f")),
              QStringLiteral("x.txt y.txt "));
}

}  // namespace
