#pragma once

#include <QString>

// A text of the rescue wizard's controls by its key ("files.intro"); empty
// for an unknown key.
QString rescueText(const char* key);
