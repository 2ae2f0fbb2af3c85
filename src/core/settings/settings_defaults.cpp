#include "core/common/sjis.h"
#include "core/settings/settings.h"

namespace tidemark {
namespace {

constexpr std::int32_t kDefaultPoints = 9;
constexpr std::int32_t kDefaultMargin = 2000;

void DefaultText(ByteString& field, const ByteString& value, std::size_t limit) {
    if (field.Empty())
        field = ByteString(value.View().substr(0, SafeCutLength(value.View(), limit)));
}

// The named face when it is installed, else the stock font's face; 9 points.
FontSetting NinePointFont(const FontService& fonts, const ByteString& face, StockFont fallback) {
    std::optional<ByteString> resolved;
    if (!face.Empty())
        resolved = fonts.ResolveFace(face);
    FontSetting font;
    font.Face = resolved && !resolved->Empty() ? *resolved : fonts.GetStockFont(fallback).Face;
    font.Face = LimitFace(font.Face);
    font.Height = PointsToHeight(kDefaultPoints, fonts.ScreenDpi());
    return font;
}

}  // namespace

void Settings::ApplyEmptyDefaults(const FontService& fonts, const SettingsTextSource& texts) {
    namespace Id = SettingsStringId;
    if (StartupMode == 0)
        StartupMode = 5;
    if (NewMemoAttrSource == 0)
        NewMemoAttrSource = 1;
    DefaultText(ImportExtensions, texts.Text(Id::kImportExtensions), kImportExtensionsBytes);
    if (SpareValue == 0)
        SpareValue = 4;
    if (ImportOtherFiles == 0)
        ImportOtherFiles = 1;
    DefaultText(MemoFormat, texts.Text(Id::kMemoFormat), kFormatBytes);
    DefaultText(GroupFormat, texts.Text(Id::kGroupFormat), kFormatBytes);
    if (ListFont.IsEmpty()) {
        ListFont = fonts.GetStockFont(StockFont::kGui);
        ListFont.Face = LimitFace(ListFont.Face);
    }
    if (EditFont.IsEmpty()) {
        EditFont = NinePointFont(fonts, texts.Text(Id::kEditFace), StockFont::kGui);
    }
    if (PrintFont.IsEmpty()) {
        PrintFont = NinePointFont(fonts, texts.Text(Id::kPrintFace), StockFont::kDeviceDefault);
    }
    if (PageMargins == std::array<std::int32_t, 4>{})
        PageMargins.fill(kDefaultMargin);
    DefaultText(EditorPath, texts.Text(Id::kEditorPath), kPathBytes);
    DefaultText(DateTimeFormat, texts.LocaleDateTimeFormat(), kPictureBytes);
    DefaultText(FileNameTemplate, texts.Text(Id::kFileNameTemplate), kPictureBytes);
}

}  // namespace tidemark
