#pragma once

#include <QString>

// A text of the memo lists' dialogs by its key ("password.title"); empty
// for an unknown key.
QString listText(const char* key);
