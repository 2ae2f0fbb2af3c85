#pragma once

#include <QString>

// A text of the registered scripts' dialogs by its key ("list.add"); empty
// for an unknown key.
QString registeredScriptText(const char* key);
