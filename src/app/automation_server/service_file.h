#pragma once

#include <QString>

// The D-Bus activation file of the automation server: with it in a
// services folder of the session bus, a client calling
// org.corvane.Tidemark while no copy of the program serves it starts the
// program in resident mode.
namespace ServiceFile {

// "$XDG_DATA_HOME/dbus-1/services/org.corvane.Tidemark.service"
// (XDG_DATA_HOME defaults to ~/.local/share).
QString userPath();

// The file's text for the program at `program` (started with "-Embedding").
QString contents(const QString& program);

// Writes the file at `path` (making its folders) for `program`; false, with
// the reason in `error`, when that fails. An existing file is replaced.
bool write(const QString& path, const QString& program, QString* error = nullptr);

// Removes the file at `path`. Nothing there counts as done; false only when a
// file stays.
bool remove(const QString& path, QString* error = nullptr);

}  // namespace ServiceFile
