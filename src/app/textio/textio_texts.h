#pragma once

#include <QString>

// A text of the text exchange dialogs by its key ("otherFile.title"); empty
// for an unknown key.
QString textioText(const char* key);
