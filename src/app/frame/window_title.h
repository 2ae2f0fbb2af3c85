#pragma once

#include <QString>

// The file name of a note path without its extension (the text from the last
// "." on is dropped): "plan" for ".../plan.tmk".
QString noteDisplayName(const QString& notePath);

// The main window's title: the note's display name, or "新しいノート" for a
// note never saved, then "[編集禁止]" when the note is read-only, then
// " - " and the product name.
QString windowTitleFor(const QString& notePath, bool readOnly);
