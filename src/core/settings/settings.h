#pragma once

#include <array>
#include <cstdint>

#include "core/common/byte_string.h"
#include "core/settings/drag_scroll_source.h"
#include "core/settings/font_service.h"
#include "core/settings/settings_notifier.h"
#include "core/settings/settings_text_source.h"
#include "core/settings/value_store.h"

namespace tidemark {

// 0 = off, anything else = on. Kept as the stored word so that a record goes
// back to the store exactly as it came.
using SettingFlag = std::uint32_t;

// Placement of one toolbar in the rebar. Stored as 16 words of which these
// four are used; the other twelve are always zero.
struct ToolbarBand {
    std::int32_t Position = 0;  // among the bands; -1 = never placed
    std::int32_t Width = 0;     // pixels
    SettingFlag NewRow = 0;     // starts a new row of bands
    SettingFlag Visible = 0;

    friend bool operator==(const ToolbarBand&, const ToolbarBand&) = default;
};

// The services a load or save runs against. The references must outlive the
// call; `resident` is set when the process runs without a window (switch /i
// or "Embedding") and then never writes the settings on its own.
struct SettingsEnvironment {
    ValueStore& Store;
    const FontService& Fonts;
    const DragScrollSource& DragScroll;
    bool Resident = false;
};

// String-table entries the empty defaults come from.
namespace SettingsStringId {
inline constexpr std::uint32_t kImportExtensions = 10020;  // "txt;htm;html"
inline constexpr std::uint32_t kMemoFormat = 10021;
inline constexpr std::uint32_t kGroupFormat = 10022;
inline constexpr std::uint32_t kPrintFace = 10027;         // "ＭＳ 明朝"
inline constexpr std::uint32_t kEditorPath = 10029;        // "notepad.exe"
inline constexpr std::uint32_t kEditFace = 10040;          // "ＭＳ Ｐゴシック"
inline constexpr std::uint32_t kFileNameTemplate = 10047;  // "%f <file://%F>"
}  // namespace SettingsStringId

// Every user setting of the program, one record per main window; the store's
// "tmk.conf1.0" value is the shared truth between processes. A newly made
// record holds the initial values of a first run; the empty defaults are
// applied separately, after loading, so that a value left empty stays empty
// in the store until the next save.
//
// Texts are CP932 bytes. Each is stored in a fixed field whose last byte is
// always zero, so a text keeps at most (field size - 1) bytes when saved; see
// the k...Bytes limits.
class Settings {
public:
    static constexpr std::size_t kImportExtensionsBytes = 255;
    static constexpr std::size_t kFormatBytes = 511;
    static constexpr std::size_t kPathBytes = 259;
    static constexpr std::size_t kPictureBytes = 63;
    static constexpr std::int32_t kEffectiveDefaultTabWidth = 8;

    FontSetting ListFont;
    FontSetting EditFont;
    std::int32_t TabWidth = 0;  // 2 to 32 characters; 0 stands for 8
    SettingFlag ShowStatusBar = 1;
    SettingFlag ShowGridLines = 0;
    SettingFlag DragPopup = 1;
    std::int32_t DragScrollInset = DragScrollValues::kDefaultInset;  // never stored
    std::int32_t DragScrollDelay = DragScrollValues::kDefaultDelay;
    std::int32_t DragScrollInterval = DragScrollValues::kDefaultInterval;
    std::uint32_t SearchFlags = 0;
    SettingFlag NoShortcutOffer = 0;
    SettingFlag HideBodyInList = 0;
    std::int32_t StartupMode = 0;  // 1 new, 2 choose, 3 last used, 4 template, 5 ask
    SettingFlag AutoSave = 0;
    std::int32_t NewMemoAttrSource = 0;     // 1 group, 2 neighbour, 3 none
    std::uint32_t NewMemoSkipAttrs = 0x22;  // not copied: background colour, remarks
    SettingFlag EditorNoColors = 0;
    ByteString ImportExtensions;
    std::int32_t ImportOtherFiles = 0;  // 1 ask, 2 ignore, 3 link
    ByteString MemoFormat;
    ByteString GroupFormat;
    FontSetting PrintFont;
    std::array<std::int32_t, 4> PageMargins{};  // left, top, right, bottom
    SettingFlag SnapToEdges = 0;
    ByteString EditorPath;
    ByteString ScriptFolder;
    SettingFlag HoverPreview = 0;
    SettingFlag HideEditorOnGroup = 0;
    SettingFlag HideEditorSlowly = 0;
    SettingFlag TypeBodyFirst = 0;
    SettingFlag TitleFromFirstLine = 0;
    SettingFlag HideMarks = 0;
    std::int32_t LinkPlace = 0;  // 0 body, 1 remarks
    ByteString DateTimeFormat;
    ByteString FileNameTemplate;
    SettingFlag StickyAlternate = 0;
    SettingFlag NoExclusiveOpen = 0;
    ToolbarBand StandardBand{0, 0, 1, 1};
    ToolbarBand NavigationBand{2, 200, 1, 1};
    ToolbarBand MemoBand{1, 290, 1, 1};
    ToolbarBand SimpleBand{-1, 200, 1, 0};
    std::int32_t SpareValue = 0;

    // The tab width in effect: TabWidth, with 0 read as 8.
    std::int32_t EffectiveTabWidth() const {
        return TabWidth == 0 ? kEffectiveDefaultTabWidth : TabWidth;
    }

    // Fills the record from the store. Without a stored record the legacy
    // values are migrated and, unless resident, saved at once. Font faces
    // that are not installed come back empty; the drag-scroll values are
    // always read from their source. Store trouble only leads to defaults;
    // false (record unchanged) only when memory runs out.
    bool Load(const SettingsEnvironment& environment);

    // Writes the record as "tmk.conf1.0". False when the store did not take it.
    bool Save(ValueStore& store) const;
    // As Save, but a resident process writes nothing (and returns true).
    bool SaveUnlessResident(ValueStore& store, bool resident) const;
    // Save, then ask every other main window to reload (and, with `apply`, to
    // apply) the settings.
    bool SaveAndBroadcast(ValueStore& store, SettingsNotifier& notifier, bool apply) const;

    // Fills every field that is empty (0, empty text, empty font face, four
    // zero margins) with its default. Run after Load.
    void ApplyEmptyDefaults(const FontService& fonts, const SettingsTextSource& texts);

    // The reaction to another window's save: Load, then the empty defaults.
    // With `apply`, tells `notifier` what changed against the record before.
    // Returns the changes either way.
    SettingsChanges Reload(const SettingsEnvironment& environment, const SettingsTextSource& texts,
                           bool apply, SettingsNotifier& notifier);

    // Whether a stored record exists; its absence marks a first run.
    static bool Exists(const ValueStore& store);

    friend bool operator==(const Settings&, const Settings&) = default;

private:
    void RepairBands();
    void ResolveFonts(const FontService& fonts);
    void ReadLegacyValues(const ValueStore& store);
};

}  // namespace tidemark
