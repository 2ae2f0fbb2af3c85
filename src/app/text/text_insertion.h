#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>

#include "core/common/byte_string.h"
#include "core/common/system_time.h"

// The texts the insert commands and dropped files put into a memo.

// `picture` expanded for `now` first as a date picture (cut to 259 bytes)
// and then as a time picture, so that one picture may mix date and time
// elements. An empty picture stands for the program's default.
QString dateTimeText(const tidemark::SystemTime& now, const tidemark::ByteString& picture);

// The longest text a file-name template expands to, in the note's bytes.
inline constexpr std::size_t kFileNameTextBytes = 1039;

// `path` formatted by the template: "%%" gives "%", "%F" the full path, "%f"
// the name without its folder; any other "%" and the character after it are
// copied unchanged, as is every other character. The result is cut to
// kFileNameTextBytes bytes of the note's encoding without splitting a
// character. Characters the note cannot hold stay in the result, so that
// the pane that receives it tells the user about them.
QString fileNameText(const QString& path, const QString& pattern);

// Dropped files: each path formatted by the template and followed by one space.
QString droppedFilesText(const QStringList& paths, const QString& pattern);
