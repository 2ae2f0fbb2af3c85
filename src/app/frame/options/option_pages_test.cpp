#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest/QTest>
#include <functional>
#include <memory>
#include <string>

#include "app/common/help_topics.h"
#include "app/common/qt_text.h"
#include "app/common/unstorable_notice.h"
#include "app/frame/options/file_page.h"
#include "app/frame/options/input_page.h"
#include "app/frame/options/memo_page.h"
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

TEST(OptionPages, EachPageHasItsTabTitleAndHelpTopic) {
    const struct {
        PageMaker page;
        const char* title;
        int topic;
    } cases[] = {
        {makePage<FilePage>, "ファイル", HelpTopic::kOptionsFile},
        {makePage<MemoPage>, "メモ", HelpTopic::kOptionsMemo},
        {makePage<InputPage>, "入力", HelpTopic::kOptionsImport},
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
    const PageMaker pages[] = {makePage<FilePage>, makePage<MemoPage>, makePage<InputPage>};
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

}  // namespace
