#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What the lists show of a memo's body, in the note's CP932 bytes.

// Longest first line the body column shows whole; longer lines are cut to
// kBodyPreviewCut bytes without splitting a double-byte character.
inline constexpr std::size_t kBodyPreviewWhole = 123;
inline constexpr std::size_t kBodyPreviewCut = 123;

// The body's first line (up to the first CR or LF), cut as above, with every
// character below 0x20 turned into a space; " ..." follows when more text
// comes after the line ends that end the first line.
std::string bodyPreview(std::string_view body);

// Room of the hover tip, in bytes, its terminating zero included.
inline constexpr std::size_t kInfoTipBytes = 1024;

// The body as a hover tip shows it: cut to kInfoTipBytes - 1 bytes without
// splitting a double-byte character, without trailing spaces, tabs, CRs and
// LFs.
std::string infoTipText(std::string_view body);
