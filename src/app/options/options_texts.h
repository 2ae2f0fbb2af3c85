#pragma once

#include <QString>

// A text of the options sheet's controls by its key ("file.autoSave");
// empty for an unknown key.
QString optionsText(const char* key);
