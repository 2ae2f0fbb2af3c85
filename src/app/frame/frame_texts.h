#pragma once

#include <QString>

// The text of a menu or dialog control of the frame by its key
// ("menu.file", "startup.lastNote"); empty for an unknown key.
QString frameText(const char* key);
