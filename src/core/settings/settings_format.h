#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tidemark {

class Settings;

// The stored form of the settings record, the value "tmk.conf1.0": 4,096
// bytes, little-endian, every byte not listed below zero. Texts are
// zero-terminated in fields of fixed size; fonts keep only their face name
// and height; a band is 16 words of which the first four are used.
namespace SettingsFormat {
inline constexpr std::size_t kSize = 4096;
inline constexpr std::size_t kFaceSize = 32;
inline constexpr std::size_t kBandSize = 64;

inline constexpr std::size_t kShowStatusBar = 0;
inline constexpr std::size_t kShowGridLines = 16;
inline constexpr std::size_t kDragPopup = 32;
// 48 (4 bytes) and 52 (128 bytes): reserved.
inline constexpr std::size_t kSearchFlags = 308;
inline constexpr std::size_t kNoShortcutOffer = 324;
inline constexpr std::size_t kHideBodyInList = 340;
inline constexpr std::size_t kStartupMode = 356;
inline constexpr std::size_t kAutoSave = 372;
inline constexpr std::size_t kNewMemoAttrSource = 388;
inline constexpr std::size_t kNewMemoSkipAttrs = 404;
inline constexpr std::size_t kEditorNoColors = 420;
inline constexpr std::size_t kSnapToEdges = 436;
// 452 (4 bytes): reserved.
inline constexpr std::size_t kHoverPreview = 468;
inline constexpr std::size_t kHideEditorOnGroup = 484;
inline constexpr std::size_t kHideEditorSlowly = 488;
inline constexpr std::size_t kDateTimeFormat = 492;
inline constexpr std::size_t kDateTimeFormatSize = 64;
inline constexpr std::size_t kFileNameTemplate = 556;
inline constexpr std::size_t kFileNameTemplateSize = 64;
inline constexpr std::size_t kStickyAlternate = 620;
inline constexpr std::size_t kStandardBand = 1024;
inline constexpr std::size_t kNavigationBand = 1088;
// 1152 (6 bytes) and 1158 (64 bytes): reserved.
inline constexpr std::size_t kListFontFace = 1416;
inline constexpr std::size_t kListFontHeight = 1480;
inline constexpr std::size_t kEditFontFace = 1496;
inline constexpr std::size_t kEditFontHeight = 1560;
inline constexpr std::size_t kTabWidth = 1576;
inline constexpr std::size_t kMemoBand = 1592;
inline constexpr std::size_t kImportExtensions = 1656;
inline constexpr std::size_t kImportExtensionsSize = 256;
inline constexpr std::size_t kSpareValue = 1912;
inline constexpr std::size_t kImportOtherFiles = 1928;
inline constexpr std::size_t kMemoFormat = 1944;
inline constexpr std::size_t kMemoFormatSize = 512;
inline constexpr std::size_t kGroupFormat = 2456;
inline constexpr std::size_t kGroupFormatSize = 512;
inline constexpr std::size_t kPrintFontFace = 2968;
inline constexpr std::size_t kPrintFontHeight = 3032;
inline constexpr std::size_t kPageMargins = 3048;  // left, top, right, bottom
inline constexpr std::size_t kEditorPath = 3096;
inline constexpr std::size_t kEditorPathSize = 260;
inline constexpr std::size_t kScriptFolder = 3356;
inline constexpr std::size_t kScriptFolderSize = 260;
inline constexpr std::size_t kSimpleBand = 3616;
inline constexpr std::size_t kTypeBodyFirst = 3680;
inline constexpr std::size_t kTitleFromFirstLine = 3684;
inline constexpr std::size_t kHideMarks = 3688;
inline constexpr std::size_t kLinkPlace = 3692;
inline constexpr std::size_t kNoExclusiveOpen = 3696;
}  // namespace SettingsFormat

// The font record of installations that predate "tmk.conf1.0" (the values
// "tree.font" and "edit.font"): 60 bytes, of which the height and the face
// name are taken.
namespace LegacyFontFormat {
inline constexpr std::size_t kSize = 60;
inline constexpr std::size_t kHeight = 0;
inline constexpr std::size_t kFace = 28;
inline constexpr std::size_t kFaceSize = 32;
}  // namespace LegacyFontFormat

// The 4,096-byte stored form of the record's stored fields. Font faces are
// written as they are; the drag-scroll values are not part of it.
std::vector<std::uint8_t> WriteSettingsImage(const Settings& settings);

// Takes every stored field from `image`. Bytes missing from a shorter image
// read as zero; bytes past 4,096 are ignored. Font faces are taken as stored
// (not checked against the installed fonts); the drag-scroll values are left
// alone.
void ReadSettingsImage(std::span<const std::uint8_t> image, Settings& settings);

}  // namespace tidemark
