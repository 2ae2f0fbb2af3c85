#include "app/frame/shortcuts/desktop_entry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/frame/shortcuts/desktop_entry_reader_for_test.h"

namespace {

TEST(ShortcutEntry, ExecArgumentsAreQuotedWithTheirReservedCharactersEscaped) {
    struct Case {
        QString argument;
        QString quoted;  // before the escapes of string values
        QString inFile;  // as the Exec line holds it
    };
    const Case cases[] = {
        {QStringLiteral("/home/u/plan.tmk"), QStringLiteral("\"/home/u/plan.tmk\""),
         QStringLiteral("\"/home/u/plan.tmk\"")},
        {QStringLiteral("my notes/a b.tmk"), QStringLiteral("\"my notes/a b.tmk\""),
         QStringLiteral("\"my notes/a b.tmk\"")},
        {QStringLiteral("say \"hi\""), QStringLiteral("\"say \\\"hi\\\"\""),
         QStringLiteral("\"say \\\\\"hi\\\\\"\"")},
        {QStringLiteral("$HOME`id`"), QStringLiteral("\"\\$HOME\\`id\\`\""),
         QStringLiteral("\"\\\\$HOME\\\\`id\\\\`\"")},
        // A backslash becomes two for the quoting and four in the file.
        {QStringLiteral("a\\b"), QStringLiteral("\"a\\\\b\""), QStringLiteral("\"a\\\\\\\\b\"")},
        {QStringLiteral("100% %f"), QStringLiteral("\"100%% %%f\""),
         QStringLiteral("\"100%% %%f\"")},
        {QStringLiteral("メモ/計画.tmk"), QStringLiteral("\"メモ/計画.tmk\""),
         QStringLiteral("\"メモ/計画.tmk\"")},
        {QString(), QStringLiteral("\"\""), QStringLiteral("\"\"")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(quotedExecArgument(c.argument), c.quoted) << c.argument.toStdString();
        EXPECT_EQ(escapedEntryValue(quotedExecArgument(c.argument)), c.inFile)
            << c.argument.toStdString();
        EXPECT_EQ(execArguments(escapedEntryValue(quotedExecArgument(c.argument))),
                  QStringList{c.argument})
            << c.argument.toStdString();
    }
}

TEST(ShortcutEntry, ValuesEscapeBackslashesLineBreaksTabsAndALeadingSpace) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("plain"), QStringLiteral("plain")},
        {QStringLiteral("a\\b"), QStringLiteral("a\\\\b")},
        {QStringLiteral("two\nlines\r"), QStringLiteral("two\\nlines\\r")},
        {QStringLiteral("tab\there"), QStringLiteral("tab\\there")},
        {QStringLiteral(" lead  inner "), QStringLiteral("\\slead  inner ")},
    };
    for (const auto& [value, escaped] : cases) {
        EXPECT_EQ(escapedEntryValue(value), escaped) << value.toStdString();
        EXPECT_EQ(unescapedEntryValue(escaped), value) << value.toStdString();
    }
}

TEST(ShortcutEntry, TheEntryStartsTheProgramOnTheNoteWithItsIcon) {
    const QString note = QStringLiteral("/home/u/my \"odd\" $notes\\50%.tmk");
    const QByteArray file =
        desktopEntryFor(QStringLiteral("計画"), QStringLiteral("/opt/t m/tidemark"), note);
    EXPECT_TRUE(file.startsWith("[Desktop Entry]\n"));
    const QMap<QString, QString> keys = desktopEntryKeys(file);
    EXPECT_EQ(keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(keys.value(QStringLiteral("Name")), QStringLiteral("計画"));
    EXPECT_EQ(keys.value(QStringLiteral("Icon")), QStringLiteral("tidemark"));
    EXPECT_EQ(keys.value(QStringLiteral("Terminal")), QStringLiteral("false"));
    EXPECT_EQ(execArguments(keys.value(QStringLiteral("Exec"))),
              (QStringList{QStringLiteral("/opt/t m/tidemark"), note}));
}

TEST(ShortcutEntry, WritingReplacesAFileWholeAndMakesItExecutable) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("new/sub/plan.desktop"));
    ASSERT_TRUE(writeDesktopEntry(path, "first"));
    ASSERT_TRUE(writeDesktopEntry(path, "second"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("second"));
    EXPECT_TRUE(file.permissions() & QFileDevice::ExeOwner);
    // Nothing but the entry is left in its folder.
    EXPECT_EQ(QDir(folder.filePath(QStringLiteral("new/sub")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("plan.desktop")});
}

TEST(ShortcutEntry, WritingFailsWhereTheFolderIsAFileOrTheNameAFolder) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile blocker(folder.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(writeDesktopEntry(folder.filePath(QStringLiteral("blocker/plan.desktop")), "x"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("taken.desktop")));
    EXPECT_FALSE(writeDesktopEntry(folder.filePath(QStringLiteral("taken.desktop")), "x"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("blocker"), QStringLiteral("taken.desktop")}));
}

}  // namespace
