#include "platform/qsettings_value_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTextStream>

#include "core/settings/default_note.h"
#include "core/settings/recent_notes.h"
#include "core/settings/settings.h"
#include "core/settings/settings_format.h"
#include "core/settings/value_names.h"
#include "platform/platform_test_support.h"
#include "platform/qt_font_service.h"
#include "platform/qt_settings_text_source.h"
#include "platform/system_drag_scroll_source.h"

namespace {

using tidemark::ByteString;

QString userFile() {
    return testConfigDir() + QStringLiteral("/Corvane/Tidemark.conf");
}
QString systemFile() {
    return testSystemConfigDir() + QStringLiteral("/Corvane/Tidemark.conf");
}

void writeTextFile(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

QString hex(const std::vector<std::uint8_t>& bytes) {
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                          static_cast<qsizetype>(bytes.size()))
                                   .toHex());
}

class QSettingsValueStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(userFile());
        QFile::remove(systemFile());
    }
};

TEST_F(QSettingsValueStoreTest, LivesInTheTemporaryConfigurationFolder) {
    QSettingsValueStore store;
    EXPECT_EQ(store.fileName(), userFile());
    ASSERT_TRUE(store.SetString("default", "/n/a.tmk"));
    EXPECT_TRUE(QFile::exists(userFile()));
    EXPECT_TRUE(userFile().startsWith(QDir::tempPath()));
}

TEST_F(QSettingsValueStoreTest, KeepsEveryByteOfABinaryValue) {
    std::vector<std::uint8_t> bytes(tidemark::SettingsFormat::kSize);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    {
        QSettingsValueStore store;
        ASSERT_TRUE(store.SetBinary(tidemark::ValueName::kSettings, bytes));
    }
    QSettingsValueStore store;
    EXPECT_EQ(store.QueryBinary(tidemark::ValueName::kSettings), bytes);
    EXPECT_EQ(store.QueryBinary("tmk.script1.0"), std::nullopt);
}

TEST_F(QSettingsValueStoreTest, StoresTextsAsBytesAndListsDeletesNames) {
    QSettingsValueStore store;
    const std::string kanji = "/n/\x93\xfa\x8b\x4c.tmk";  // CP932, not valid UTF-8
    ASSERT_TRUE(store.SetString("history0", kanji));
    ASSERT_TRUE(store.SetString("history1", "/n/b.tmk"));
    ASSERT_TRUE(store.SetBinary("accelerator", std::vector<std::uint8_t>{0x41, 0x9C, 0, 0, 0}));
    EXPECT_EQ(store.QueryString("history0"), ByteString(kanji));

    std::vector<std::string> names = store.ValueNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"accelerator", "history0", "history1"}));

    EXPECT_TRUE(store.DeleteValue("history1"));
    EXPECT_FALSE(store.QueryString("history1"));
    EXPECT_TRUE(store.DeleteValue("never-there"));
    EXPECT_FALSE(store.DeleteValue(""));  // would clear the whole store
    EXPECT_EQ(store.ValueNames().size(), 2u);
}

TEST_F(QSettingsValueStoreTest, ReadsValuesWrittenAsPlainText) {
    // What an installer or a user writes by hand: script engines by extension.
    writeTextFile(userFile(), QStringLiteral("[General]\n.js=JavaScript\n.py=Python\n"));
    QSettingsValueStore store;
    EXPECT_EQ(store.QueryString(".js"), ByteString("JavaScript"));
    std::vector<std::string> names = store.ValueNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".js", ".py"}));
}

TEST_F(QSettingsValueStoreTest, UserAndMachineScopesStayApart) {
    writeTextFile(systemFile(), QStringLiteral("[General]\n.vbs=VBScript\n"));
    QSettingsValueStore user;
    QSettingsValueStore machine(QSettingsValueStore::Scope::System);
    ASSERT_TRUE(user.SetString(".js", "JavaScript"));

    EXPECT_FALSE(user.QueryString(".vbs"));
    EXPECT_EQ(machine.QueryString(".vbs"), ByteString("VBScript"));
    EXPECT_FALSE(machine.QueryString(".js"));

    EXPECT_FALSE(machine.SetString(".pl", "Perl"));  // read-only
    EXPECT_FALSE(machine.DeleteValue(".vbs"));
    EXPECT_EQ(QSettingsValueStore(QSettingsValueStore::Scope::System).ValueNames(),
              std::vector<std::string>{".vbs"});
}

TEST_F(QSettingsValueStoreTest, AStoreThatCannotBeWrittenGivesDefaultsAndIgnoresWrites) {
    // Its folder would have to be made below a plain file.
    QString blocker = testConfigDir() + QStringLiteral("/blocker");
    writeTextFile(blocker, QStringLiteral("not a folder"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker);
    QSettingsValueStore store;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, testConfigDir());

    EXPECT_FALSE(store.SetString("default", "/n/a.tmk"));
    EXPECT_FALSE(store.QueryString("default"));
    EXPECT_TRUE(store.ValueNames().empty());

    QtFontService fonts;
    SystemDragScrollSource drag;
    tidemark::Settings settings;
    ASSERT_TRUE(settings.Load(tidemark::SettingsEnvironment{store, fonts, drag, false}));
    EXPECT_EQ(settings.NewMemoSkipAttrs, 0x22u);
    EXPECT_FALSE(tidemark::Settings::Exists(store));
}

// The settings a window would hold after a first run and a few changes.
tidemark::Settings ChangedSettings(tidemark::ValueStore& store) {
    QtFontService fonts;
    SystemDragScrollSource drag;
    tidemark::Settings settings;
    settings.Load(tidemark::SettingsEnvironment{store, fonts, drag, false});
    settings.ApplyEmptyDefaults(fonts, QtSettingsTextSource(QLocale(QLocale::Japanese)));
    settings.TabWidth = 4;
    settings.ShowGridLines = 1;
    settings.AutoSave = 1;
    settings.ScriptFolder = "/home/u/\x83\x58\x83\x4e\x83\x8a\x83\x76\x83\x67";  // スクリプト
    settings.SimpleBand = {0, 200, 1, 1};
    settings.PageMargins = {1000, 1500, 1000, 1500};
    return settings;
}

TEST_F(QSettingsValueStoreTest, SettingsWrittenByOneProcessAreReadByAnother) {
    QSettingsValueStore store;
    tidemark::Settings settings = ChangedSettings(store);
    ASSERT_TRUE(settings.Save(store));

    int exitCode = 0;
    QString output = runChild({QStringLiteral("read-settings")}, &exitCode);
    ASSERT_EQ(exitCode, 0) << output.toStdString();
    EXPECT_EQ(output.trimmed(), hex(tidemark::WriteSettingsImage(settings)));
}

TEST_F(QSettingsValueStoreTest, AnOpenStoreSeesWhatAnotherProcessSaved) {
    QSettingsValueStore store;
    tidemark::RecentNotes mine;
    mine.Add("/n/mine.tmk");
    ASSERT_TRUE(mine.Save(store));
    EXPECT_EQ(tidemark::ReadDefaultNote(store), ByteString());

    int exitCode = 0;
    runChild({QStringLiteral("add-note"), QStringLiteral("/n/theirs.tmk")}, &exitCode);
    ASSERT_EQ(exitCode, 0);

    EXPECT_EQ(tidemark::ReadDefaultNote(store), ByteString("/n/theirs.tmk"));
    tidemark::RecentNotes reloaded;
    reloaded.Load(store);
    ASSERT_EQ(reloaded.Count(), 2u);
    EXPECT_EQ(reloaded.Slot(0), ByteString("/n/mine.tmk"));
    EXPECT_EQ(reloaded.MostRecent(), ByteString("/n/theirs.tmk"));
}

}  // namespace

int childMain(const QStringList& arguments) {
    QSettingsValueStore store;
    if (arguments.value(0) == QStringLiteral("read-settings")) {
        QtFontService fonts;
        SystemDragScrollSource drag;
        tidemark::Settings settings;
        // Resident, so that a missing record is not written by the reader.
        if (!settings.Load(tidemark::SettingsEnvironment{store, fonts, drag, true}))
            return 3;
        if (!tidemark::Settings::Exists(store))
            return 4;
        QTextStream(stdout) << hex(tidemark::WriteSettingsImage(settings)) << '\n';
        return 0;
    }
    if (arguments.value(0) == QStringLiteral("add-note") && arguments.size() == 2) {
        ByteString path(arguments[1].toStdString());
        tidemark::RecentNotes recent;
        recent.Load(store);
        recent.Add(path);
        bool saved = recent.Save(store) && tidemark::WriteDefaultNote(store, path);
        return saved ? 0 : 5;
    }
    return 1;
}
