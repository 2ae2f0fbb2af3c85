#pragma once

#include <QString>

// The names under which the automation objects appear on the session bus.
namespace DbusName {
inline const QString kService = QStringLiteral("org.corvane.Tidemark");
inline const QString kServicePath = QStringLiteral("/NoteService");
inline const QString kNotesPath = QStringLiteral("/notes");
inline const QString kNoteService = QStringLiteral("org.corvane.Tidemark.NoteService");
inline const QString kNote = QStringLiteral("org.corvane.Tidemark.Note");
inline const QString kItemNode = QStringLiteral("org.corvane.Tidemark.ItemNode");
inline const QString kItemText = QStringLiteral("org.corvane.Tidemark.ItemText");
// A raised error is this prefix and "E" with the string id of its message.
inline const QString kErrorPrefix = QStringLiteral("org.corvane.Tidemark.Error.");

inline const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
inline const QString kIntrospectable = QStringLiteral("org.freedesktop.DBus.Introspectable");
inline const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
inline const QString kUnknownMethod = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");
inline const QString kUnknownObject = QStringLiteral("org.freedesktop.DBus.Error.UnknownObject");
inline const QString kUnknownInterface =
    QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface");
inline const QString kUnknownProperty =
    QStringLiteral("org.freedesktop.DBus.Error.UnknownProperty");
inline const QString kPropertyReadOnly =
    QStringLiteral("org.freedesktop.DBus.Error.PropertyReadOnly");
}  // namespace DbusName
