#pragma once

#include <QString>

// A text of the printing dialogs' controls by its key ("abort.text"); empty
// for an unknown key.
QString printDialogText(const char* key);
