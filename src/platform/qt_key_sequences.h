#pragma once

#include <QKeySequence>
#include <QList>
#include <QMap>

#include "core/settings/key_table.h"

// The key sequences Qt should bind for an assignment (flags and virtual-key
// code of the key table): empty for no key or a key without a name. Enter
// gives both the main and the keypad Enter key.
QList<QKeySequence> keySequencesFor(std::uint8_t flags, std::uint16_t key);

// The shortcuts of every command of the table, keyed by command id, for the
// main window's actions. A key combination given to several commands goes
// only to the first of them in table order (Qt would otherwise treat it as
// ambiguous and run none); the others, and commands without a key, map to
// an empty list.
QMap<int, QList<QKeySequence>> shortcutsByCommand(const tidemark::KeyTable& table);
