#pragma once

#include <QString>
#include <functional>

class QLineEdit;
class QPlainTextEdit;

// The longest head of `text` whose CP932 form fits in `maxBytes`, never
// splitting a character.
QString cutToBytes(const QString& text, int maxBytes);
// Line breaks as the note stores them: a line feed without a carriage
// return before it becomes CR LF.
QString withCrLf(const QString& text);

// Hears the characters just left out of an edit box because CP932 cannot
// hold them, in the order they came.
using UnstorableHandler = std::function<void(const QString& lost)>;

// Keeps what the user types, pastes or inserts within `maxBytes` CP932
// bytes, and leaves out the characters CP932 cannot hold (the caret stays
// where it was relative to the text kept), naming them to `unstorable`
// (which may be empty). The handler is called only while `edit` lives.
void limitToBytes(QLineEdit* edit, int maxBytes, UnstorableHandler unstorable = {});
void limitToBytes(QPlainTextEdit* edit, int maxBytes, UnstorableHandler unstorable = {});
