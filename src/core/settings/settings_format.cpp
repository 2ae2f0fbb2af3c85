#include "core/settings/settings_format.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/common/little_endian.h"
#include "core/common/sjis.h"
#include "core/settings/settings.h"

namespace tidemark {
namespace {

namespace F = SettingsFormat;

// Reads from an image of exactly kSize bytes.
class ImageReader {
public:
    explicit ImageReader(std::span<const std::uint8_t> image) {
        std::copy_n(image.begin(), std::min(image.size(), F::kSize), m_bytes.begin());
    }
    std::uint32_t U32(std::size_t offset) const { return LoadU32(&m_bytes[offset]); }
    std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
    // The text up to the first zero byte; the field's last byte is never text.
    ByteString Text(std::size_t offset, std::size_t size) const {
        const std::uint8_t* begin = &m_bytes[offset];
        const std::uint8_t* end = std::find(begin, begin + size - 1, std::uint8_t{0});
        return ByteString(begin, static_cast<std::size_t>(end - begin));
    }
    ToolbarBand Band(std::size_t offset) const {
        return ToolbarBand{I32(offset), I32(offset + 4), U32(offset + 8), U32(offset + 12)};
    }
    FontSetting Font(std::size_t faceOffset, std::size_t heightOffset) const {
        return FontSetting{Text(faceOffset, F::kFaceSize), I32(heightOffset)};
    }

private:
    std::array<std::uint8_t, F::kSize> m_bytes{};
};

class ImageWriter {
public:
    ImageWriter() : m_bytes(F::kSize, 0) {}
    void U32(std::size_t offset, std::uint32_t value) { StoreU32(&m_bytes[offset], value); }
    void I32(std::size_t offset, std::int32_t value) {
        StoreU32(&m_bytes[offset], static_cast<std::uint32_t>(value));
    }
    void Text(std::size_t offset, std::size_t size, const ByteString& text) {
        std::string_view kept = text.View().substr(0, SafeCutLength(text.View(), size - 1));
        std::memcpy(&m_bytes[offset], kept.data(), kept.size());
    }
    void Band(std::size_t offset, const ToolbarBand& band) {
        I32(offset, band.Position);
        I32(offset + 4, band.Width);
        U32(offset + 8, band.NewRow);
        U32(offset + 12, band.Visible);
    }
    void Font(std::size_t faceOffset, std::size_t heightOffset, const FontSetting& font) {
        Text(faceOffset, F::kFaceSize, font.Face);
        I32(heightOffset, font.Height);
    }
    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace

std::vector<std::uint8_t> WriteSettingsImage(const Settings& s) {
    ImageWriter w;
    w.U32(F::kShowStatusBar, s.ShowStatusBar);
    w.U32(F::kShowGridLines, s.ShowGridLines);
    w.U32(F::kDragPopup, s.DragPopup);
    w.U32(F::kSearchFlags, s.SearchFlags);
    w.U32(F::kNoShortcutOffer, s.NoShortcutOffer);
    w.U32(F::kHideBodyInList, s.HideBodyInList);
    w.I32(F::kStartupMode, s.StartupMode);
    w.U32(F::kAutoSave, s.AutoSave);
    w.I32(F::kNewMemoAttrSource, s.NewMemoAttrSource);
    w.U32(F::kNewMemoSkipAttrs, s.NewMemoSkipAttrs);
    w.U32(F::kEditorNoColors, s.EditorNoColors);
    w.U32(F::kSnapToEdges, s.SnapToEdges);
    w.U32(F::kHoverPreview, s.HoverPreview);
    w.U32(F::kHideEditorOnGroup, s.HideEditorOnGroup);
    w.U32(F::kHideEditorSlowly, s.HideEditorSlowly);
    w.Text(F::kDateTimeFormat, F::kDateTimeFormatSize, s.DateTimeFormat);
    w.Text(F::kFileNameTemplate, F::kFileNameTemplateSize, s.FileNameTemplate);
    w.U32(F::kStickyAlternate, s.StickyAlternate);
    w.Band(F::kStandardBand, s.StandardBand);
    w.Band(F::kNavigationBand, s.NavigationBand);
    w.Font(F::kListFontFace, F::kListFontHeight, s.ListFont);
    w.Font(F::kEditFontFace, F::kEditFontHeight, s.EditFont);
    w.I32(F::kTabWidth, s.TabWidth);
    w.Band(F::kMemoBand, s.MemoBand);
    w.Text(F::kImportExtensions, F::kImportExtensionsSize, s.ImportExtensions);
    w.I32(F::kSpareValue, s.SpareValue);
    w.I32(F::kImportOtherFiles, s.ImportOtherFiles);
    w.Text(F::kMemoFormat, F::kMemoFormatSize, s.MemoFormat);
    w.Text(F::kGroupFormat, F::kGroupFormatSize, s.GroupFormat);
    w.Font(F::kPrintFontFace, F::kPrintFontHeight, s.PrintFont);
    for (std::size_t i = 0; i < s.PageMargins.size(); ++i) {
        w.I32(F::kPageMargins + 4 * i, s.PageMargins[i]);
    }
    w.Text(F::kEditorPath, F::kEditorPathSize, s.EditorPath);
    w.Text(F::kScriptFolder, F::kScriptFolderSize, s.ScriptFolder);
    w.Band(F::kSimpleBand, s.SimpleBand);
    w.U32(F::kTypeBodyFirst, s.TypeBodyFirst);
    w.U32(F::kTitleFromFirstLine, s.TitleFromFirstLine);
    w.U32(F::kHideMarks, s.HideMarks);
    w.I32(F::kLinkPlace, s.LinkPlace);
    w.U32(F::kNoExclusiveOpen, s.NoExclusiveOpen);
    return w.Take();
}

void ReadSettingsImage(std::span<const std::uint8_t> image, Settings& s) {
    ImageReader r(image);
    s.ShowStatusBar = r.U32(F::kShowStatusBar);
    s.ShowGridLines = r.U32(F::kShowGridLines);
    s.DragPopup = r.U32(F::kDragPopup);
    s.SearchFlags = r.U32(F::kSearchFlags);
    s.NoShortcutOffer = r.U32(F::kNoShortcutOffer);
    s.HideBodyInList = r.U32(F::kHideBodyInList);
    s.StartupMode = r.I32(F::kStartupMode);
    s.AutoSave = r.U32(F::kAutoSave);
    s.NewMemoAttrSource = r.I32(F::kNewMemoAttrSource);
    s.NewMemoSkipAttrs = r.U32(F::kNewMemoSkipAttrs);
    s.EditorNoColors = r.U32(F::kEditorNoColors);
    s.SnapToEdges = r.U32(F::kSnapToEdges);
    s.HoverPreview = r.U32(F::kHoverPreview);
    s.HideEditorOnGroup = r.U32(F::kHideEditorOnGroup);
    s.HideEditorSlowly = r.U32(F::kHideEditorSlowly);
    s.DateTimeFormat = r.Text(F::kDateTimeFormat, F::kDateTimeFormatSize);
    s.FileNameTemplate = r.Text(F::kFileNameTemplate, F::kFileNameTemplateSize);
    s.StickyAlternate = r.U32(F::kStickyAlternate);
    s.StandardBand = r.Band(F::kStandardBand);
    s.NavigationBand = r.Band(F::kNavigationBand);
    s.ListFont = r.Font(F::kListFontFace, F::kListFontHeight);
    s.EditFont = r.Font(F::kEditFontFace, F::kEditFontHeight);
    s.TabWidth = r.I32(F::kTabWidth);
    s.MemoBand = r.Band(F::kMemoBand);
    s.ImportExtensions = r.Text(F::kImportExtensions, F::kImportExtensionsSize);
    s.SpareValue = r.I32(F::kSpareValue);
    s.ImportOtherFiles = r.I32(F::kImportOtherFiles);
    s.MemoFormat = r.Text(F::kMemoFormat, F::kMemoFormatSize);
    s.GroupFormat = r.Text(F::kGroupFormat, F::kGroupFormatSize);
    s.PrintFont = r.Font(F::kPrintFontFace, F::kPrintFontHeight);
    for (std::size_t i = 0; i < s.PageMargins.size(); ++i) {
        s.PageMargins[i] = r.I32(F::kPageMargins + 4 * i);
    }
    s.EditorPath = r.Text(F::kEditorPath, F::kEditorPathSize);
    s.ScriptFolder = r.Text(F::kScriptFolder, F::kScriptFolderSize);
    s.SimpleBand = r.Band(F::kSimpleBand);
    s.TypeBodyFirst = r.U32(F::kTypeBodyFirst);
    s.TitleFromFirstLine = r.U32(F::kTitleFromFirstLine);
    s.HideMarks = r.U32(F::kHideMarks);
    s.LinkPlace = r.I32(F::kLinkPlace);
    s.NoExclusiveOpen = r.U32(F::kNoExclusiveOpen);
}

}  // namespace tidemark
