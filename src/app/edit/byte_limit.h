#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;

// The longest head of `text` whose CP932 form fits in `maxBytes`, never
// splitting a character.
QString cutToBytes(const QString& text, int maxBytes);
// Line breaks as the note stores them: a line feed without a carriage
// return before it becomes CR LF.
QString withCrLf(const QString& text);

// Keeps what the user types within `maxBytes` CP932 bytes.
void limitToBytes(QLineEdit* edit, int maxBytes);
void limitToBytes(QPlainTextEdit* edit, int maxBytes);
