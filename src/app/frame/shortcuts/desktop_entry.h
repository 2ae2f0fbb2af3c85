#pragma once

#include <QByteArray>
#include <QString>

// The desktop-entry file that stands for a shortcut to a note on Linux
// desktops: an application entry that starts the program on the note.

// The file name extension of a desktop entry.
inline constexpr char kDesktopEntryExtension[] = ".desktop";

// `argument` as one argument of an Exec key, before the escapes of string
// values: in double quotes, with `"`, `` ` ``, `$` and `\` escaped by a
// backslash and `%` doubled.
QString quotedExecArgument(const QString& argument);

// `value` with the escapes of a string value: `\\`, `\n`, `\t`, `\r`, and
// `\s` for a leading space.
QString escapedEntryValue(const QString& value);

// The whole file, UTF-8: an entry named `name` whose Exec starts `program`
// with `notePath` as its one argument, with the program's icon.
QByteArray desktopEntryFor(const QString& name, const QString& program, const QString& notePath);

// Writes `content` to `path` by way of a temporary file in the same folder
// that then takes the name (an existing file is replaced whole or not at
// all), executable by its owner so that desktops trust it. The folder is
// created when missing. False when anything failed; no partial file is left.
bool writeDesktopEntry(const QString& path, const QByteArray& content);
