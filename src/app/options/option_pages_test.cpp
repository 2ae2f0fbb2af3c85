#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QtTest/QTest>
#include <functional>
#include <memory>
#include <string>

#include "app/common/help_topics.h"
#include "app/common/qt_text.h"
#include "app/common/unstorable_notice.h"
#include "app/options/executable_files_filter.h"
#include "app/options/file_page.h"
#include "app/options/input_page.h"
#include "app/options/memo_page.h"
#include "app/options/output_page.h"
#include "app/options/tool_path_dialogs.h"
#include "app/options/tools_page.h"
#include "app/test_support.h"
#include "core/settings/key_table.h"
#include "core/settings/memory_value_store.h"
#include "core/settings/settings.h"
#include "platform/qt_font_service.h"

namespace {

using tidemark::ByteString;
using tidemark::Settings;

using PageMaker = std::unique_ptr<OptionsPage> (*)(const Settings&);

template <class Page>
std::unique_ptr<OptionsPage> makePage(const Settings& current) {
    return std::make_unique<Page>(current);
}

// The services an OptionsTarget refers to, none of which these pages use.
struct TargetServices {
    tidemark::KeyTable keys;
    tidemark::MemoryValueStore store;
    QtFontService fonts;

    OptionsTarget on(Settings& settings) { return {settings, keys, store, fonts}; }
};

// `page` applied to a copy of `settings`.
Settings appliedTo(OptionsPage& page, const Settings& settings, bool* applyNeeded = nullptr) {
    TargetServices services;
    Settings copy = settings;
    OptionsTarget target = services.on(copy);
    page.apply(target);
    if (applyNeeded)
        *applyNeeded = target.applyNeeded;
    return copy;
}

// A record as a window holds it after loading: every choice has a value the
// pages know and the texts have their defaults.
Settings loadedSettings() {
    Settings settings;
    settings.StartupMode = 5;
    settings.NewMemoAttrSource = 1;
    settings.ImportOtherFiles = 1;
    settings.ImportExtensions = "txt;htm;html";
    settings.MemoFormat = "%t\r\n%b\r\n";
    settings.GroupFormat = "[%t]\r\n";
    settings.EditorPath = "notepad.exe";
    settings.DateTimeFormat = "%s %s";
    settings.FileNameTemplate = "%f <file://%F>";
    return settings;
}

template <class Widget>
Widget* child(const OptionsPage& page, const char* name) {
    return page.findChild<Widget*>(QString::fromLatin1(name));
}

// Shows `page` as its own active window, so that it can take the focus.
void showActive(OptionsPage& page) {
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
}

TEST(OptionPages, EachPageHasItsTabTitleAndHelpTopic) {
    const struct {
        PageMaker page;
        const char* title;
        int topic;
    } cases[] = {
        {makePage<FilePage>, "ファイル", HelpTopic::kOptionsFile},
        {makePage<MemoPage>, "メモ", HelpTopic::kOptionsMemo},
        {makePage<InputPage>, "入力", HelpTopic::kOptionsImport},
        {makePage<OutputPage>, "出力", HelpTopic::kOptionsExport},
        {makePage<ToolsPage>, "ツール", HelpTopic::kOptionsTools},
    };
    for (const auto& c : cases) {
        const auto page = c.page(loadedSettings());
        EXPECT_EQ(page->title(), QString::fromUtf8(c.title));
        EXPECT_EQ(page->helpTopic(), c.topic) << c.title;
    }
}

// A record whose every field of these pages differs from the first run's,
// with texts of double-byte characters and line breaks.
Settings everythingSet() {
    Settings s = loadedSettings();
    s.StartupMode = 3;
    s.AutoSave = 1;
    s.NoShortcutOffer = 1;
    s.NoExclusiveOpen = 1;
    s.NewMemoAttrSource = 2;
    s.NewMemoSkipAttrs = 0x15;
    s.EditorNoColors = 1;
    s.HideEditorOnGroup = 1;
    s.HideEditorSlowly = 1;
    s.TypeBodyFirst = 1;
    s.TitleFromFirstLine = 1;
    s.HideMarks = 1;
    s.ImportExtensions = fromQString(QStringLiteral("txt;md;テキスト"));
    s.ImportOtherFiles = 3;
    s.LinkPlace = 1;
    s.MemoFormat = fromQString(QStringLiteral("■ %t\r\n\r\n%b\r\n"));
    s.GroupFormat = fromQString(QStringLiteral("【%t】\r\n"));
    s.ScriptFolder = fromQString(QStringLiteral("/home/利用者/scripts"));
    s.EditorPath = "/usr/bin/vim";
    s.DateTimeFormat = fromQString(QStringLiteral("%Y年%m月%d日"));
    s.FileNameTemplate = "%f";
    return s;
}

TEST(OptionPages, PagesLeftAloneGiveTheSettingsBackAsTheyCame) {
    Settings oddWords = loadedSettings();
    // Any non-zero word is on; a flag left alone keeps its word.
    oddWords.AutoSave = 7;
    oddWords.NoShortcutOffer = 0x100;
    oddWords.HideMarks = 0xFFFFFFFF;
    Settings dependentsAlone = loadedSettings();
    // Held checked under an unchecked leader: shown (disabled) and kept.
    dependentsAlone.HideEditorSlowly = 1;
    dependentsAlone.TitleFromFirstLine = 1;
    const struct {
        const char* name;
        Settings settings;
    } cases[] = {
        {"loaded", loadedSettings()},
        {"everything set", everythingSet()},
        {"odd flag words", oddWords},
        {"dependents without their leaders", dependentsAlone},
    };
    const PageMaker pages[] = {makePage<FilePage>, makePage<MemoPage>, makePage<InputPage>,
                               makePage<OutputPage>, makePage<ToolsPage>};
    for (const auto& c : cases) {
        for (PageMaker make : pages) {
            const auto page = make(c.settings);
            bool applyNeeded = true;
            const Settings stored = appliedTo(*page, c.settings, &applyNeeded);
            EXPECT_TRUE(stored == c.settings) << c.name << ", page " << page->title().toStdString();
            EXPECT_FALSE(applyNeeded) << c.name << ", page " << page->title().toStdString();
        }
    }
}

// A check box and the setting it edits: the bits `mask` of `field` (all of
// them for a flag). `checkedWhenSet` is false for the boxes that show the
// opposite of their setting. A box usable only under another is tested
// with that one set.
struct BoxCase {
    PageMaker page;
    const char* box;
    std::uint32_t Settings::*field;
    std::uint32_t mask;
    bool checkedWhenSet;
    tidemark::SettingFlag Settings::*leader = nullptr;
};

constexpr std::uint32_t kFlag = 0xFFFFFFFF;

const BoxCase kBoxes[] = {
    {makePage<FilePage>, "autoSave", &Settings::AutoSave, kFlag, true},
    {makePage<FilePage>, "shortcutOffer", &Settings::NoShortcutOffer, kFlag, false},
    {makePage<FilePage>, "exclusiveOpen", &Settings::NoExclusiveOpen, kFlag, false},
    {makePage<MemoPage>, "copyTextColour", &Settings::NewMemoSkipAttrs, 0x1, false},
    {makePage<MemoPage>, "copyBackgroundColour", &Settings::NewMemoSkipAttrs, 0x2, false},
    {makePage<MemoPage>, "copyStrikeOut", &Settings::NewMemoSkipAttrs, 0x4, false},
    {makePage<MemoPage>, "copyWordWrap", &Settings::NewMemoSkipAttrs, 0x8, false},
    {makePage<MemoPage>, "copyLinks", &Settings::NewMemoSkipAttrs, 0x10, false},
    {makePage<MemoPage>, "copyRemarks", &Settings::NewMemoSkipAttrs, 0x20, false},
    {makePage<MemoPage>, "editorColours", &Settings::EditorNoColors, kFlag, false},
    {makePage<MemoPage>, "hideEditor", &Settings::HideEditorOnGroup, kFlag, true},
    {makePage<MemoPage>, "hideSlowly", &Settings::HideEditorSlowly, kFlag, true,
     &Settings::HideEditorOnGroup},
    {makePage<MemoPage>, "bodyFirst", &Settings::TypeBodyFirst, kFlag, true},
    {makePage<MemoPage>, "titleFromBody", &Settings::TitleFromFirstLine, kFlag, true,
     &Settings::TypeBodyFirst},
    {makePage<MemoPage>, "hideMarks", &Settings::HideMarks, kFlag, true},
};

TEST(OptionPages, EachBoxShowsItsSettingAndAClickStoresTheOppositeOnly) {
    for (const BoxCase& c : kBoxes) {
        for (const bool startSet : {false, true}) {
            SCOPED_TRACE(std::string(c.box) + (startSet ? ", set" : ", clear"));
            Settings given = loadedSettings();
            // The neighbouring copy bits set, so that a box touching the
            // wrong bit shows.
            given.NewMemoSkipAttrs = 0x3F;
            if (c.leader)
                given.*c.leader = 1;
            const std::uint32_t setBits = c.mask == kFlag ? 1 : c.mask;
            given.*c.field = startSet ? (given.*c.field | setBits) : (given.*c.field & ~c.mask);
            const auto page = c.page(given);
            auto* box = child<QCheckBox>(*page, c.box);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->isChecked(), startSet == c.checkedWhenSet);

            box->click();
            Settings expected = given;
            expected.*c.field = startSet ? (given.*c.field & ~c.mask) : (given.*c.field | setBits);
            EXPECT_TRUE(appliedTo(*page, given) == expected);
        }
    }
}

TEST(OptionPages, CopyBoxesKeepTheBitsNoBoxShows) {
    Settings given = loadedSettings();
    given.NewMemoSkipAttrs = 0x40 | 0x80000000 | 0x2;
    MemoPage page(given);
    child<QCheckBox>(page, "copyTextColour")->click();
    child<QCheckBox>(page, "copyBackgroundColour")->click();
    EXPECT_EQ(appliedTo(page, given).NewMemoSkipAttrs, 0x40u | 0x80000000u | 0x1u);
}

// A radio button and the value it stands for.
struct ChoiceCase {
    PageMaker page;
    std::int32_t Settings::*field;
    std::int32_t value;
    const char* button;
};

const ChoiceCase kChoices[] = {
    {makePage<FilePage>, &Settings::StartupMode, 1, "startupNew"},
    {makePage<FilePage>, &Settings::StartupMode, 2, "startupChoose"},
    {makePage<FilePage>, &Settings::StartupMode, 3, "startupLast"},
    {makePage<FilePage>, &Settings::StartupMode, 4, "startupTemplate"},
    {makePage<FilePage>, &Settings::StartupMode, 5, "startupAsk"},
    {makePage<MemoPage>, &Settings::NewMemoAttrSource, 1, "attrFromGroup"},
    {makePage<MemoPage>, &Settings::NewMemoAttrSource, 2, "attrFromNeighbour"},
    {makePage<MemoPage>, &Settings::NewMemoAttrSource, 3, "attrNone"},
    {makePage<InputPage>, &Settings::ImportOtherFiles, 1, "otherFilesAsk"},
    {makePage<InputPage>, &Settings::ImportOtherFiles, 2, "otherFilesIgnore"},
    {makePage<InputPage>, &Settings::ImportOtherFiles, 3, "otherFilesLink"},
    {makePage<InputPage>, &Settings::LinkPlace, 0, "linkInBody"},
    {makePage<InputPage>, &Settings::LinkPlace, 1, "linkInRemarks"},
};

TEST(OptionPages, EachRadioButtonShowsItsValueAndAClickStoresIt) {
    for (const ChoiceCase& c : kChoices) {
        SCOPED_TRACE(c.button);
        Settings given = loadedSettings();
        given.*c.field = c.value;
        const auto shown = c.page(given);
        auto* button = child<QRadioButton>(*shown, c.button);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isChecked());

        // From every other button of its group.
        for (const ChoiceCase& other : kChoices) {
            if (other.field != c.field || other.value == c.value)
                continue;
            given.*c.field = other.value;
            const auto page = c.page(given);
            child<QRadioButton>(*page, c.button)->click();
            EXPECT_EQ(appliedTo(*page, given).*c.field, c.value) << "from " << other.button;
        }
    }
}

TEST(OptionPages, ValuesTheProgramDoesNotKnowShowAndStoreAsTheDefault) {
    const struct {
        PageMaker page;
        std::int32_t Settings::*field;
        std::int32_t given;
        const char* shownButton;
        std::int32_t stored;
    } cases[] = {
        {makePage<FilePage>, &Settings::StartupMode, 0, "startupAsk", 5},
        {makePage<FilePage>, &Settings::StartupMode, 6, "startupAsk", 5},
        {makePage<FilePage>, &Settings::StartupMode, -1, "startupAsk", 5},
        {makePage<MemoPage>, &Settings::NewMemoAttrSource, 0, "attrFromGroup", 1},
        {makePage<MemoPage>, &Settings::NewMemoAttrSource, 4, "attrFromGroup", 1},
        {makePage<InputPage>, &Settings::ImportOtherFiles, 0, "otherFilesAsk", 1},
        {makePage<InputPage>, &Settings::ImportOtherFiles, 4, "otherFilesAsk", 1},
        {makePage<InputPage>, &Settings::LinkPlace, 2, "linkInBody", 0},
        {makePage<InputPage>, &Settings::LinkPlace, -1, "linkInBody", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shownButton) + " from " + std::to_string(c.given));
        Settings given = loadedSettings();
        given.*c.field = c.given;
        const auto page = c.page(given);
        EXPECT_TRUE(child<QRadioButton>(*page, c.shownButton)->isChecked());
        EXPECT_EQ(appliedTo(*page, given).*c.field, c.stored);
    }
}

TEST(OptionPages, ChangesToTheEditorColoursHidingAndMarksNeedApplyingToTheWindows) {
    const struct {
        const char* control;
        bool applyNeeded;
    } cases[] = {
        {"editorColours", true},   {"hideEditor", true}, {"hideMarks", true},
        {"hideSlowly", false},     {"bodyFirst", false}, {"titleFromBody", false},
        {"copyTextColour", false}, {"attrNone", false},
    };
    for (const auto& c : cases) {
        Settings given = loadedSettings();
        given.HideEditorOnGroup = 1;  // so that the slow hiding can be clicked
        given.TypeBodyFirst = 1;
        MemoPage page(given);
        child<QAbstractButton>(page, c.control)->click();
        bool applyNeeded = !c.applyNeeded;
        const Settings stored = appliedTo(page, given, &applyNeeded);
        EXPECT_FALSE(stored == given) << c.control << " stored nothing";
        EXPECT_EQ(applyNeeded, c.applyNeeded) << c.control;
    }
}

TEST(OptionPages, DependentBoxesAreUsableOnlyUnderTheirLeaderAndFallWithIt) {
    const struct {
        const char* leader;
        const char* dependent;
        tidemark::SettingFlag Settings::*dependentField;
    } pairs[] = {
        {"hideEditor", "hideSlowly", &Settings::HideEditorSlowly},
        {"bodyFirst", "titleFromBody", &Settings::TitleFromFirstLine},
    };
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.dependent);
        const Settings given = loadedSettings();
        MemoPage page(given);
        auto* leader = child<QCheckBox>(page, p.leader);
        auto* dependent = child<QCheckBox>(page, p.dependent);
        EXPECT_FALSE(dependent->isEnabled());
        dependent->click();
        EXPECT_FALSE(dependent->isChecked());

        leader->click();
        EXPECT_TRUE(dependent->isEnabled());
        dependent->click();
        EXPECT_EQ(appliedTo(page, given).*p.dependentField, 1u);

        leader->click();
        EXPECT_FALSE(dependent->isEnabled());
        EXPECT_FALSE(dependent->isChecked());
        EXPECT_EQ(appliedTo(page, given).*p.dependentField, 0u);
    }
}

TEST(OptionPages, ExtensionsAreStoredWithoutTheBlanksAtTheirEnds) {
    const struct {
        QString typed;
        const char* stored;
    } cases[] = {
        {QStringLiteral(" \ttxt;md\t "), "txt;md"},
        {QStringLiteral("\u3000txt;md\u3000"), "txt;md"},
        {QStringLiteral("txt; md ;log"), "txt; md ;log"},
        {QStringLiteral(" \u3000\t"), ""},
    };
    for (const auto& c : cases) {
        const Settings given = loadedSettings();
        InputPage page(given);
        child<QLineEdit>(page, "extensions")->setText(c.typed);
        EXPECT_EQ(appliedTo(page, given).ImportExtensions, ByteString(c.stored))
            << c.typed.toStdString();
    }
    InputPage page(loadedSettings());
    EXPECT_EQ(child<QLineEdit>(page, "extensions")->text(), QStringLiteral("txt;htm;html"));
}

// A text field and the setting it edits.
struct FieldCase {
    PageMaker page;
    const char* edit;
    ByteString Settings::*field;
    std::size_t maxBytes;
};

const FieldCase kFields[] = {
    {makePage<InputPage>, "extensions", &Settings::ImportExtensions,
     Settings::kImportExtensionsBytes},
    {makePage<OutputPage>, "memoFormat", &Settings::MemoFormat, Settings::kFormatBytes},
    {makePage<OutputPage>, "groupFormat", &Settings::GroupFormat, Settings::kFormatBytes},
    {makePage<ToolsPage>, "scriptFolder", &Settings::ScriptFolder, Settings::kPathBytes},
    {makePage<ToolsPage>, "editorPath", &Settings::EditorPath, Settings::kPathBytes},
    {makePage<ToolsPage>, "dateTimeFormat", &Settings::DateTimeFormat, Settings::kPictureBytes},
    {makePage<ToolsPage>, "fileNameFormat", &Settings::FileNameTemplate, Settings::kPictureBytes},
};

// Types `text` at the caret of the field, as pasting does.
void typeInto(QWidget* edit, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        line->insert(text);
    else
        qobject_cast<QPlainTextEdit*>(edit)->insertPlainText(text);
}

QString shownText(QWidget* edit) {
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        return line->text();
    return qobject_cast<QPlainTextEdit*>(edit)->toPlainText();
}

TEST(OptionPages, TextFieldsShowTheirSettingAndStopAtItsLimitWithoutSplittingACharacter) {
    for (const FieldCase& c : kFields) {
        SCOPED_TRACE(c.edit);
        Settings given = loadedSettings();
        given.*c.field = fromQString(QStringLiteral("表題%t"));
        const auto page = c.page(given);
        QWidget* edit = child<QWidget>(*page, c.edit);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(shownText(edit), QStringLiteral("表題%t"));

        // Every limit is odd: a double-byte character that would end on the
        // limit's last byte stays out.
        if (auto* line = qobject_cast<QLineEdit*>(edit))
            line->end(false);
        else
            qobject_cast<QPlainTextEdit*>(edit)->moveCursor(QTextCursor::End);
        typeInto(edit, QString(static_cast<qsizetype>(c.maxBytes), u'あ'));
        const ByteString stored = appliedTo(*page, given).*c.field;
        EXPECT_EQ(stored.Size(), c.maxBytes - 1);
        EXPECT_FALSE(toQString(stored).contains(QChar(0xFFFD)));
        EXPECT_TRUE(toQString(stored).startsWith(QStringLiteral("表題%tあ")));
    }
}

TEST(OptionPages, ACharacterTheSettingsCannotHoldIsLeftOutAndNamedUnderItsField) {
    for (const FieldCase& c : kFields) {
        SCOPED_TRACE(c.edit);
        Settings given = loadedSettings();
        given.*c.field = "ab";
        const auto page = c.page(given);
        QWidget* edit = child<QWidget>(*page, c.edit);
        if (auto* line = qobject_cast<QLineEdit*>(edit))
            line->setCursorPosition(1);
        else
            qobject_cast<QPlainTextEdit*>(edit)->moveCursor(QTextCursor::NextCharacter);
        typeInto(edit, QStringLiteral("x😀y"));
        EXPECT_EQ(shownText(edit), QStringLiteral("axyb"));
        EXPECT_EQ(appliedTo(*page, given).*c.field, ByteString("axyb"));

        const std::string noticeName = std::string(c.edit) + "Unstorable";
        for (auto* notice : page->findChildren<UnstorableNotice*>()) {
            const bool underThisField = notice->objectName().toStdString() == noticeName;
            EXPECT_EQ(notice->isVisibleTo(page.get()), underThisField)
                << notice->objectName().toStdString();
            if (underThisField) {
                EXPECT_TRUE(notice->text().contains(QStringLiteral("😀")));
            }
        }
    }
}

TEST(OptionPages, TemplatesStoreLineBreaksAsCrLfAndCountThemAsTwoBytes) {
    const Settings given = loadedSettings();
    OutputPage page(given);
    auto* memo = child<QPlainTextEdit>(page, "memoFormat");
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("%t\n%b\n"));
    memo->setPlainText(QStringLiteral("  %t\n\n%b  "));
    EXPECT_EQ(appliedTo(page, given).MemoFormat, ByteString("  %t\r\n\r\n%b  "));

    QString lines;
    for (int i = 0; i < 300; ++i)
        lines += QStringLiteral("a\n");
    memo->setPlainText(lines);
    std::string expected;
    for (int i = 0; i < 170; ++i)
        expected += "a\r\n";
    expected += "a";
    EXPECT_EQ(appliedTo(page, given).MemoFormat, ByteString(expected));
}

// A page refusing to be left over the field `edit`, typed `typed`.
struct LeaveCase {
    PageMaker page;
    const char* edit;
    QString typed;
    // Where the focus is before, so that the check has to move it.
    const char* focusedBefore;
    const char* message;
};

TEST(OptionPages, LeavingWithoutATemplateOrEditorIsRefusedOverTheField) {
    const char* const kNoMemoFormat = "メモの出力フォーマットを指定してください。";
    const char* const kNoGroupFormat = "メモグループの出力フォーマットを指定してください。";
    const char* const kNoEditor = "外部エディタ名が正しくありません。";
    const LeaveCase cases[] = {
        {makePage<OutputPage>, "memoFormat", QString(), "groupFormat", kNoMemoFormat},
        {makePage<OutputPage>, "memoFormat", QStringLiteral(" \t\u3000"), "groupFormat",
         kNoMemoFormat},
        {makePage<OutputPage>, "memoFormat", QStringLiteral("\n  \n"), "groupFormat",
         kNoMemoFormat},
        {makePage<OutputPage>, "groupFormat", QStringLiteral("\u3000"), "memoFormat",
         kNoGroupFormat},
        {makePage<ToolsPage>, "editorPath", QString(), "dateTimeFormat", kNoEditor},
        {makePage<ToolsPage>, "editorPath", QStringLiteral("\t \u3000"), "dateTimeFormat",
         kNoEditor},
    };
    for (const LeaveCase& c : cases) {
        SCOPED_TRACE(std::string(c.edit) + " \"" + c.typed.toStdString() + "\"");
        const auto page = c.page(loadedSettings());
        ASSERT_NO_FATAL_FAILURE(showActive(*page));
        auto* edit = child<QWidget>(*page, c.edit);
        if (auto* line = qobject_cast<QLineEdit*>(edit))
            line->setText(c.typed);
        else
            qobject_cast<QPlainTextEdit*>(edit)->setPlainText(c.typed);
        QWidget* before = child<QWidget>(*page, c.focusedBefore);
        before->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([before] { return before->hasFocus(); }));

        DialogAnswerer answerer;
        answerer.thenMessage(QMessageBox::Ok);
        EXPECT_FALSE(page->leave());
        EXPECT_EQ(answerer.messages, QStringList{QString::fromUtf8(c.message)});
        // The window comes back to the page's focus child once active again
        // (the offscreen platform does not reactivate it after the box).
        EXPECT_EQ(page->focusWidget(), edit);
        page->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([edit] { return edit->hasFocus(); }));
    }
}

TEST(OptionPages, PagesWithSomethingInEveryRequiredFieldMayBeLeft) {
    Settings given = loadedSettings();
    given.MemoFormat = "%t";
    given.GroupFormat = " .";
    given.EditorPath = " vi ";
    given.ScriptFolder = "";  // not required
    const PageMaker pages[] = {makePage<FilePage>, makePage<MemoPage>, makePage<InputPage>,
                               makePage<OutputPage>, makePage<ToolsPage>};
    for (PageMaker make : pages) {
        const auto page = make(given);
        DialogAnswerer answerer;
        EXPECT_TRUE(page->leave()) << page->title().toStdString();
        QTest::qWait(20);
        EXPECT_TRUE(answerer.messages.isEmpty());
        EXPECT_EQ(answerer.unexpected, 0);
    }
}

TEST(OptionPages, ToolPathsAreStoredWithoutTheBlanksAtTheirEndsAndPicturesAsTyped) {
    const Settings given = loadedSettings();
    ToolsPage page(given);
    child<QLineEdit>(page, "scriptFolder")->setText(QStringLiteral(" /srv/スクリプト\u3000"));
    child<QLineEdit>(page, "editorPath")->setText(QStringLiteral("\t/usr/bin/vi "));
    child<QLineEdit>(page, "dateTimeFormat")->setText(QStringLiteral(" %Y %H "));
    child<QLineEdit>(page, "fileNameFormat")->setText(QStringLiteral("\u3000%f "));
    const Settings stored = appliedTo(page, given);
    EXPECT_EQ(stored.ScriptFolder, fromQString(QStringLiteral("/srv/スクリプト")));
    EXPECT_EQ(stored.EditorPath, ByteString("/usr/bin/vi"));
    EXPECT_EQ(stored.DateTimeFormat, ByteString(" %Y %H "));
    EXPECT_EQ(stored.FileNameTemplate, fromQString(QStringLiteral("\u3000%f ")));
}

TEST(OptionPages, BrowseButtonsAskFromTheTypedPathAndFillTheirField) {
    const struct {
        const char* button;
        const char* edit;
        bool folder;
    } cases[] = {
        {"browseFolder", "scriptFolder", true},
        {"browseEditor", "editorPath", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        ToolsPage page(loadedSettings());
        QString answer = QStringLiteral("/opt/chosen");
        QStringList starts;
        QWidget* asker = nullptr;
        auto chooser = [&](QWidget* parent, const QString& start) {
            asker = parent;
            starts << start;
            return answer;
        };
        // The other button must not reach this chooser.
        auto refuse = [](QWidget*, const QString&) {
            ADD_FAILURE() << "asked the wrong dialog";
            return QString();
        };
        page.setFolderChooser(c.folder ? ToolsPage::PathChooser(chooser) : refuse);
        page.setEditorChooser(c.folder ? ToolsPage::PathChooser(refuse) : chooser);
        auto* edit = child<QLineEdit>(page, c.edit);
        edit->setText(QStringLiteral("  /home/u/old\u3000"));

        child<QPushButton>(page, c.button)->click();
        EXPECT_EQ(asker, &page);
        EXPECT_EQ(edit->text(), QStringLiteral("/opt/chosen"));

        answer.clear();  // cancelled
        child<QPushButton>(page, c.button)->click();
        EXPECT_EQ(edit->text(), QStringLiteral("/opt/chosen"));
        EXPECT_EQ(starts,
                  (QStringList{QStringLiteral("/home/u/old"), QStringLiteral("/opt/chosen")}));
    }
}

TEST(ToolPathDialogs, TheFolderDialogIsQtsOwnForFoldersStartingAtTheGivenOne) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("scripts")));
    const QString chosen = root.filePath(QStringLiteral("scripts"));
    QString title;
    bool qtsOwn = false;
    bool foldersOnly = false;
    QString startedAt;
    DialogAnswerer answerer;
    answerer.then([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        if (files) {
            title = files->windowTitle();
            qtsOwn = files->testOption(QFileDialog::DontUseNativeDialog);
            foldersOnly = files->fileMode() == QFileDialog::Directory &&
                          files->testOption(QFileDialog::ShowDirsOnly);
            startedAt = files->directory().absolutePath();
        }
        answerFileDialog(dialog, chosen);
    });
    EXPECT_EQ(chooseScriptFolder(nullptr, root.path()), chosen);
    EXPECT_EQ(title, QStringLiteral("スクリプトファイル格納フォルダの選択"));
    EXPECT_TRUE(qtsOwn);
    EXPECT_TRUE(foldersOnly);
    EXPECT_EQ(startedAt, QDir(root.path()).absolutePath());

    answerer.thenCancel();
    EXPECT_TRUE(chooseScriptFolder(nullptr, root.path()).isEmpty());
}

TEST(ToolPathDialogs, TheEditorDialogOffersProgramsOnlyAndStartsBesideTheCurrentOne) {
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("edit"));
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
    QString title;
    QStringList filters;
    bool qtsOwn = false;
    bool filtered = false;
    QString startedAt;
    DialogAnswerer answerer;
    answerer.then([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        if (files) {
            title = files->windowTitle();
            filters = files->nameFilters();
            qtsOwn = files->testOption(QFileDialog::DontUseNativeDialog);
            filtered = qobject_cast<ExecutableFilesFilter*>(files->proxyModel()) != nullptr;
            startedAt = files->directory().absolutePath();
        }
        answerFileDialog(dialog, program);
    });
    EXPECT_EQ(chooseEditorProgram(nullptr, program), program);
    EXPECT_EQ(title, QStringLiteral("外部エディタの選択"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("実行可能形式ファイル (*)")});
    EXPECT_TRUE(qtsOwn);
    EXPECT_TRUE(filtered);
    EXPECT_EQ(startedAt, QDir(root.path()).absolutePath());
}

TEST(ToolPathDialogs, TheProgramFilterShowsFoldersAndExecutableFilesOnly) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("bin")));
    for (const char* name : {"run.sh", "notes.txt"}) {
        QFile file(root.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile::setPermissions(root.filePath(QStringLiteral("run.sh")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(root.filePath(QStringLiteral("notes.txt")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    QFileSystemModel files;
    ExecutableFilesFilter programs;
    programs.setSourceModel(&files);
    const QModelIndex folder = files.setRootPath(root.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return files.rowCount(folder) == 3; }));
    const QModelIndex shownFolder = programs.mapFromSource(folder);
    QStringList shown;
    for (int row = 0; row < programs.rowCount(shownFolder); ++row)
        shown << programs.index(row, 0, shownFolder).data().toString();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("bin"), QStringLiteral("run.sh")}));
}

}  // namespace
