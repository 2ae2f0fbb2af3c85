#pragma once

#include <QString>

// The text file a rescue of `noteFile` proposes: the same folder and name,
// with the name's extension (from its last ".") replaced by "の救出結果.txt"
// (string 10051), or with that appended when the name has no extension. A
// dot in a folder name or at the start of the name is no extension.
QString rescueOutputName(const QString& noteFile);
