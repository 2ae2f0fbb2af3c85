#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

// A window edge closer than this to an edge of the work area snaps onto it.
inline constexpr int kSnapDistance = 16;

// Where a window that the user moved to `frame` should go: its left edge
// onto the work area's left edge when closer than 16 pixels, else its right
// edge onto the right edge; the same for top and bottom.
QPoint snappedPosition(const QRect& frame, const QRect& workArea);

// The edges of the work area that the window touches, as the bits of the
// note's window flags (left 0x1, right 0x2, top 0x4, bottom 0x8).
std::uint32_t touchedEdges(const QRect& frame, const QRect& workArea);

// Where the window goes when the work area changes, so that it keeps
// touching the edges recorded in `flags`.
QPoint keepTouchingEdges(const QRect& frame, const QRect& workArea, std::uint32_t flags);
