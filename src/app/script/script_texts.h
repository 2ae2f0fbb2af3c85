#pragma once

#include <QString>

// A text of the script host's windows by its key ("progress.title"); empty
// for an unknown key.
QString scriptText(const char* key);
