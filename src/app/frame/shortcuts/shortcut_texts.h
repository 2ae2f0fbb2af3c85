#pragma once

#include <QString>

// A text of the shortcut dialogs' controls by its key ("dialog.title");
// empty for an unknown key.
QString shortcutText(const char* key);
