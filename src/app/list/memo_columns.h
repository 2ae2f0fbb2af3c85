#pragma once

#include <QString>
#include <QTreeView>
#include <cstdint>

namespace tidemark {
class Item;
class Note;
struct NoteViewSettings;
}  // namespace tidemark

// The columns both memo lists show, in order; the body column is left out
// when the list setting hides it.
enum class MemoColumn { kTitle = 0, kRemarks = 1, kModified = 2, kBody = 3 };

// Width every column starts with.
inline constexpr int kDefaultMemoColumnWidth = 160;

// The caption of a column: "表題", the note's remarks caption (or "備考"),
// "更新日時", "本文". `note` may be null.
QString memoColumnCaption(const tidemark::Note* note, int column);
// What a row shows in a column: the title, the remarks (only with the
// has-remarks flag), the modified time, and for a memo the body preview.
QString memoColumnText(const tidemark::Item& item, int column);

// Header and view settings both memo lists share: left-aligned captions,
// clickable sections that never sort by themselves, every column 160 wide.
void setUpMemoColumns(QTreeView& view);

// The note's column widths onto the view's header, and back. The body
// width is kept in the note while the column is hidden.
void applyMemoColumnWidths(QTreeView& view, const tidemark::NoteViewSettings& settings);
void storeMemoColumnWidths(const QTreeView& view, tidemark::NoteViewSettings& settings);

// The note's text and background colours (0x00BBGGRR) onto a memo list.
void applyNoteColours(QTreeView& view, std::uint32_t textColour, std::uint32_t backgroundColour);

// A colour of the note (0x00BBGGRR) as a QColor.
QColor colourFromNote(std::uint32_t colour);
