#pragma once

#include <QTreeView>
#include <cstdint>

namespace tidemark {
struct NoteViewSettings;
}

// The columns both memo lists show, in order; the body column is left out
// when the list setting hides it.
enum class MemoColumn { kTitle = 0, kRemarks = 1, kModified = 2, kBody = 3 };

// Width every column starts with.
inline constexpr int kDefaultMemoColumnWidth = 160;

// Gives `view` the column captions of a memo list ("表題", "備考" or the
// note's own remarks caption, "更新日時", "本文").
void setUpMemoColumns(QTreeView& view, bool showBody);

// The note's column widths onto the view's header, and back.
void applyMemoColumnWidths(QTreeView& view, const tidemark::NoteViewSettings& settings);
void storeMemoColumnWidths(const QTreeView& view, tidemark::NoteViewSettings& settings);

// The note's text and background colours (0x00BBGGRR) onto a memo list.
void applyNoteColours(QTreeView& view, std::uint32_t textColour, std::uint32_t backgroundColour);
