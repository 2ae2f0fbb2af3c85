#include "core/settings/settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/common/little_endian.h"
#include "core/settings/memory_value_store.h"
#include "core/settings/settings_format.h"
#include "core/settings/settings_test_fakes.h"
#include "core/settings/value_names.h"

namespace tidemark {
namespace {

using testing::FakeFontService;
using testing::FakeTextSource;
using testing::FixedDragScrollSource;
using testing::RecordingSettingsNotifier;

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() {
        m_texts.Texts = {
            {SettingsStringId::kImportExtensions, "txt;htm;html"},
            {SettingsStringId::kMemoFormat, "memo template"},
            {SettingsStringId::kGroupFormat, "group template"},
            {SettingsStringId::kPrintFace, "\x82\x6c\x82\x72 \x96\xbe\x92\xa9"},  // ＭＳ 明朝
            {SettingsStringId::kEditorPath, "notepad.exe"},
            {SettingsStringId::kEditFace,
             "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e"},
            {SettingsStringId::kFileNameTemplate, "%f <file://%F>"},
        };
    }

    SettingsEnvironment Environment(bool resident = false) {
        return SettingsEnvironment{m_store, m_fonts, m_drag, resident};
    }

    // What a main window does at start: load, then fill the empty fields.
    Settings Start(bool resident = false) {
        Settings s;
        EXPECT_TRUE(s.Load(Environment(resident)));
        s.ApplyEmptyDefaults(m_fonts, m_texts);
        return s;
    }

    void Store(const Settings& s) {
        m_store.SetBinary(ValueName::kSettings, WriteSettingsImage(s));
    }

    Settings Stored() {
        Settings s;
        std::optional<std::vector<std::uint8_t>> image = m_store.QueryBinary(ValueName::kSettings);
        EXPECT_TRUE(image.has_value());
        if (image)
            ReadSettingsImage(*image, s);
        return s;
    }

    MemoryValueStore m_store;
    FakeFontService m_fonts;
    FakeTextSource m_texts;
    FixedDragScrollSource m_drag;
};

TEST_F(SettingsTest, FirstRunStartsFromTheDescribedDefaultsAndWritesTheRecord) {
    EXPECT_FALSE(Settings::Exists(m_store));
    Settings s = Start();

    EXPECT_NE(s.ShowStatusBar, 0u);
    EXPECT_EQ(s.ShowGridLines, 0u);
    EXPECT_NE(s.DragPopup, 0u);
    EXPECT_EQ(s.TabWidth, 0);
    EXPECT_EQ(s.EffectiveTabWidth(), 8);
    EXPECT_EQ(s.StartupMode, 5);
    EXPECT_EQ(s.NewMemoAttrSource, 1);
    EXPECT_EQ(s.NewMemoSkipAttrs, 0x22u);  // background colour and remarks not copied
    EXPECT_EQ(s.StandardBand, (ToolbarBand{0, 0, 1, 1}));
    EXPECT_EQ(s.NavigationBand, (ToolbarBand{2, 200, 1, 1}));
    EXPECT_EQ(s.MemoBand, (ToolbarBand{1, 290, 1, 1}));
    EXPECT_EQ(s.SimpleBand, (ToolbarBand{-1, 200, 1, 0}));

    EXPECT_TRUE(Settings::Exists(m_store));
    // The record is written as loaded, before the empty defaults.
    Settings stored = Stored();
    EXPECT_EQ(stored.StartupMode, 0);
    EXPECT_EQ(stored.NewMemoSkipAttrs, 0x22u);
    EXPECT_EQ(stored.SimpleBand, (ToolbarBand{-1, 200, 1, 0}));
}

TEST_F(SettingsTest, AResidentFirstRunWritesNothing) {
    Settings s = Start(/*resident=*/true);
    EXPECT_EQ(s.StartupMode, 5);
    EXPECT_FALSE(Settings::Exists(m_store));
    EXPECT_EQ(m_store.WriteCount(), 0);
}

TEST_F(SettingsTest, MigratesTheLegacyValuesAndLeavesThemInPlace) {
    std::vector<std::uint8_t> treeFont(LegacyFontFormat::kSize, 0);
    StoreU32(&treeFont[LegacyFontFormat::kHeight], static_cast<std::uint32_t>(-13));
    std::memcpy(&treeFont[LegacyFontFormat::kFace], "serif", 6);  // installed as "Serif"
    std::vector<std::uint8_t> tab(4), off(4), on(4);
    StoreU32(tab.data(), 4);
    StoreU32(on.data(), 1);
    m_store.SetBinary(ValueName::kLegacyTreeFont, treeFont);
    m_store.SetBinary(ValueName::kLegacyEditTab, tab);
    m_store.SetBinary(ValueName::kLegacyStatusBar, off);
    m_store.SetBinary(ValueName::kLegacyGridLines, on);
    m_store.SetBinary(ValueName::kLegacyDragPopup, off);

    Settings s;
    ASSERT_TRUE(s.Load(Environment()));
    EXPECT_EQ(s.ListFont, (FontSetting{"Serif", -13}));
    EXPECT_TRUE(s.EditFont.IsEmpty());  // "edit.font" missing
    EXPECT_EQ(s.TabWidth, 4);
    EXPECT_EQ(s.ShowStatusBar, 0u);
    EXPECT_EQ(s.ShowGridLines, 1u);
    EXPECT_EQ(s.DragPopup, 0u);
    EXPECT_EQ(s.NewMemoSkipAttrs, 0x22u);  // not a legacy value: initial
    EXPECT_EQ(Stored(), s);
    EXPECT_TRUE(m_store.QueryBinary(ValueName::kLegacyTreeFont));
}

TEST_F(SettingsTest, ASavedRecordLoadsBackAsSaved) {
    Settings s = Start();
    s.ShowGridLines = 1;
    s.TabWidth = 4;
    s.SearchFlags = 0x15;
    s.EditFont = {"Gothic JP", -16};
    s.MemoBand = {3, 120, 0, 1};
    s.ScriptFolder = "/home/u/scripts";
    ASSERT_TRUE(s.Save(m_store));

    Settings loaded;
    ASSERT_TRUE(loaded.Load(Environment()));
    loaded.ApplyEmptyDefaults(m_fonts, m_texts);
    EXPECT_EQ(loaded, s);
}

TEST_F(SettingsTest, RepairsBandsWrittenBeforeThoseToolbarsExisted) {
    struct Case {
        ToolbarBand memo, simple;
        ToolbarBand memoAfter, simpleAfter;
    } cases[] = {
        {{}, {}, {2, 200, 0, 1}, {-1, 0, 1, 0}},
        {{0, 50, 1, 1}, {0, 80, 0, 1}, {0, 50, 1, 1}, {0, 80, 0, 1}},  // visible: kept
        {{4, 90, 1, 0}, {3, 70, 0, 0}, {4, 90, 1, 0}, {3, 70, 0, 0}},  // placed: kept
    };
    for (const Case& c : cases) {
        Settings s;
        s.MemoBand = c.memo;
        s.SimpleBand = c.simple;
        Store(s);
        Settings loaded;
        ASSERT_TRUE(loaded.Load(Environment()));
        EXPECT_EQ(loaded.MemoBand, c.memoAfter);
        EXPECT_EQ(loaded.SimpleBand, c.simpleAfter);
    }
}

TEST_F(SettingsTest, FontFacesAreCheckedAgainstTheInstalledFonts) {
    m_fonts.Substitutes["MS Gothic"] = "Gothic JP";
    Settings s;
    s.ListFont = {"sans", -11};        // installed, other case
    s.EditFont = {"Vanished", -20};    // no longer installed
    s.PrintFont = {"MS Gothic", -14};  // known face of another system
    Store(s);

    Settings loaded;
    ASSERT_TRUE(loaded.Load(Environment()));
    EXPECT_EQ(loaded.ListFont, (FontSetting{"Sans", -11}));
    EXPECT_EQ(loaded.EditFont, FontSetting{});
    EXPECT_EQ(loaded.PrintFont, (FontSetting{"Gothic JP", -14}));

    // The vanished face comes back as the default font, not as an empty one.
    loaded.ApplyEmptyDefaults(m_fonts, m_texts);
    EXPECT_EQ(loaded.EditFont, (FontSetting{"Sans", -12}));
}

TEST_F(SettingsTest, EmptyFontsTakeTheNamedFaceAtNinePoints) {
    m_fonts.Substitutes[m_texts.Text(SettingsStringId::kEditFace).Str()] = "Gothic JP";
    m_fonts.Substitutes[m_texts.Text(SettingsStringId::kPrintFace).Str()] = "Serif";
    m_fonts.GuiFont = {"UI Face", -13};
    m_fonts.DeviceFont = {"Device Face", -20};

    struct Case {
        std::int32_t dpi, height;
    } cases[] = {{96, -12}, {120, -15}, {144, -18}, {72, -9}};
    for (const Case& c : cases) {
        m_fonts.Dpi = c.dpi;
        Settings s;
        s.ApplyEmptyDefaults(m_fonts, m_texts);
        EXPECT_EQ(s.ListFont, (FontSetting{"UI Face", -13}));  // the stock font as it is
        EXPECT_EQ(s.EditFont, (FontSetting{"Gothic JP", c.height})) << c.dpi;
        EXPECT_EQ(s.PrintFont, (FontSetting{"Serif", c.height})) << c.dpi;
    }
}

TEST_F(SettingsTest, EmptyFontsFallBackToTheStockFaceWhenTheNamedOneIsMissing) {
    m_fonts.GuiFont = {"UI Face", -13};
    m_fonts.DeviceFont = {"Device Face", -20};
    Settings s;
    s.ApplyEmptyDefaults(m_fonts, m_texts);
    EXPECT_EQ(s.EditFont, (FontSetting{"UI Face", -12}));
    EXPECT_EQ(s.PrintFont, (FontSetting{"Device Face", -12}));
}

TEST_F(SettingsTest, EmptyTextsShowTheirDefaultsWhileTheStoreKeepsThemEmpty) {
    Settings s = Start();
    EXPECT_EQ(s.ImportExtensions, ByteString("txt;htm;html"));
    EXPECT_EQ(s.MemoFormat, ByteString("memo template"));
    EXPECT_EQ(s.GroupFormat, ByteString("group template"));
    EXPECT_EQ(s.EditorPath, ByteString("notepad.exe"));
    EXPECT_EQ(s.FileNameTemplate, ByteString("%f <file://%F>"));
    EXPECT_EQ(s.DateTimeFormat, ByteString("yyyy/MM/dd HH:mm"));
    EXPECT_EQ(s.ImportOtherFiles, 1);
    EXPECT_EQ(s.SpareValue, 4);
    EXPECT_TRUE(s.ScriptFolder.Empty());  // has no default

    Settings stored = Stored();
    EXPECT_TRUE(stored.ImportExtensions.Empty());
    EXPECT_TRUE(stored.MemoFormat.Empty());
    EXPECT_TRUE(stored.EditorPath.Empty());
    EXPECT_TRUE(stored.FileNameTemplate.Empty());
    EXPECT_EQ(stored.SpareValue, 0);

    ASSERT_TRUE(s.Save(m_store));
    EXPECT_EQ(Stored().EditorPath, ByteString("notepad.exe"));
}

TEST_F(SettingsTest, EmptyDefaultsLeaveSetValuesAlone) {
    Settings s;
    s.StartupMode = 3;
    s.NewMemoAttrSource = 2;
    s.ImportExtensions = "md";
    s.EditorPath = "vim";
    s.SpareValue = 9;
    s.ListFont = {"Serif", -20};
    s.ApplyEmptyDefaults(m_fonts, m_texts);
    EXPECT_EQ(s.StartupMode, 3);
    EXPECT_EQ(s.NewMemoAttrSource, 2);
    EXPECT_EQ(s.ImportExtensions, ByteString("md"));
    EXPECT_EQ(s.EditorPath, ByteString("vim"));
    EXPECT_EQ(s.SpareValue, 9);
    EXPECT_EQ(s.ListFont, (FontSetting{"Serif", -20}));
}

TEST_F(SettingsTest, DefaultTextsAreCutToTheirLimits) {
    m_texts.Texts[SettingsStringId::kImportExtensions] = ByteString(std::string(300, 'e'));
    m_texts.Texts[SettingsStringId::kFileNameTemplate] =
        ByteString(std::string(62, 'f') + "\x83\x41");
    Settings s;
    s.ApplyEmptyDefaults(m_fonts, m_texts);
    EXPECT_EQ(s.ImportExtensions.Size(), 255u);
    EXPECT_EQ(s.FileNameTemplate, ByteString(std::string(62, 'f')));
}

TEST_F(SettingsTest, PageMarginsDefaultOnlyWhenAllFourAreZero) {
    struct Case {
        std::array<std::int32_t, 4> before, after;
    } cases[] = {
        {{0, 0, 0, 0}, {2000, 2000, 2000, 2000}},
        {{0, 0, 0, 5}, {0, 0, 0, 5}},
        {{1000, 0, 0, 0}, {1000, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        Settings s;
        s.PageMargins = c.before;
        s.ApplyEmptyDefaults(m_fonts, m_texts);
        EXPECT_EQ(s.PageMargins, c.after);
    }
}

TEST_F(SettingsTest, DragScrollValuesComeFromTheSystemAndAreNeverStored) {
    m_drag.Values = {20, 100, 30};
    Settings s = Start();
    EXPECT_EQ(s.DragScrollInset, 20);
    EXPECT_EQ(s.DragScrollDelay, 100);
    EXPECT_EQ(s.DragScrollInterval, 30);

    Settings other = s;
    other.DragScrollInset = 1;
    other.DragScrollDelay = 2;
    other.DragScrollInterval = 3;
    EXPECT_EQ(WriteSettingsImage(other), WriteSettingsImage(s));

    DefaultDragScrollSource defaults;
    Settings withDefaults;
    ASSERT_TRUE(withDefaults.Load(SettingsEnvironment{m_store, m_fonts, defaults, false}));
    EXPECT_EQ(withDefaults.DragScrollInset, 11);
    EXPECT_EQ(withDefaults.DragScrollDelay, 50);
    EXPECT_EQ(withDefaults.DragScrollInterval, 50);
}

TEST_F(SettingsTest, AStoreThatCannotBeOpenedGivesDefaultsAndTakesNoWrites) {
    m_store.SetUnavailable(true);
    Settings s = Start();
    EXPECT_EQ(s.StartupMode, 5);
    EXPECT_NE(s.ShowStatusBar, 0u);
    EXPECT_FALSE(s.Save(m_store));
    m_store.SetUnavailable(false);
    EXPECT_FALSE(Settings::Exists(m_store));
}

TEST_F(SettingsTest, ALongerStoredValueIsReadForItsFirst4096Bytes) {
    Settings s;
    s.TabWidth = 6;
    std::vector<std::uint8_t> image = WriteSettingsImage(s);
    image.resize(5000, 0xEE);
    m_store.SetBinary(ValueName::kSettings, image);
    Settings loaded;
    ASSERT_TRUE(loaded.Load(Environment()));
    EXPECT_EQ(loaded.TabWidth, 6);
}

TEST_F(SettingsTest, SaveUnlessResidentWritesOnlyInAWindowedProcess) {
    Settings s;
    s.TabWidth = 3;
    EXPECT_TRUE(s.SaveUnlessResident(m_store, /*resident=*/true));
    EXPECT_FALSE(Settings::Exists(m_store));
    EXPECT_TRUE(s.SaveUnlessResident(m_store, /*resident=*/false));
    EXPECT_EQ(Stored().TabWidth, 3);
}

TEST_F(SettingsTest, SaveAndBroadcastWritesThenTellsTheOtherWindows) {
    RecordingSettingsNotifier notifier;
    Settings s;
    s.HoverPreview = 1;
    EXPECT_TRUE(s.SaveAndBroadcast(m_store, notifier, /*apply=*/true));
    EXPECT_EQ(Stored().HoverPreview, 1u);
    EXPECT_EQ(notifier.Broadcasts, std::vector<bool>{true});
    EXPECT_TRUE(notifier.Applied.empty());
}

TEST_F(SettingsTest, ReloadReportsWhatChangedAndAppliesOnlyWhenAsked) {
    Settings mine = Start();
    Settings theirs = mine;
    theirs.SimpleBand.Visible = 1;
    theirs.HideBodyInList = 1;
    theirs.TabWidth = 4;
    ASSERT_TRUE(theirs.Save(m_store));

    RecordingSettingsNotifier notifier;
    Settings quiet = mine;
    SettingsChanges changes = quiet.Reload(Environment(), m_texts, /*apply=*/false, notifier);
    EXPECT_EQ(changes, (SettingsChanges{true, true, false}));
    EXPECT_TRUE(notifier.Applied.empty());
    EXPECT_EQ(quiet.TabWidth, 4);

    mine.Reload(Environment(), m_texts, /*apply=*/true, notifier);
    ASSERT_EQ(notifier.Applied.size(), 1u);
    EXPECT_EQ(notifier.Applied[0], (SettingsChanges{true, true, false}));
    EXPECT_EQ(mine.TabWidth, 4);
    EXPECT_EQ(mine.StartupMode, 5);  // empty defaults applied again
    EXPECT_FALSE(mine.EditFont.IsEmpty());
    EXPECT_TRUE(notifier.Broadcasts.empty());

    // Nothing changed: the window is still told to refresh, with no changes.
    mine.Reload(Environment(), m_texts, /*apply=*/true, notifier);
    ASSERT_EQ(notifier.Applied.size(), 2u);
    EXPECT_EQ(notifier.Applied[1], SettingsChanges{});
}

}  // namespace
}  // namespace tidemark
