#pragma once

#include <QString>

// A text of the item operations' dialogs by its key ("sort.title"); empty
// for an unknown key.
QString editText(const char* key);
