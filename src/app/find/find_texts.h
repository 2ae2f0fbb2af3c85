#pragma once

#include <QString>

// A text of the find dialogs' controls by its key ("start.here"); empty for
// an unknown key.
QString findText(const char* key);
