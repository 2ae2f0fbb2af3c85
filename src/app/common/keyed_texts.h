#pragma once

#include <QString>
#include <span>

// One text of a folder's control texts: a key naming where it appears and
// the UTF-8 text. Each folder keeps its table in a `*_texts_ja.inc`.
struct KeyedText {
    const char* key;
    const char* text;
};

// The text of `key` in `table`; empty for an unknown key.
QString keyedText(std::span<const KeyedText> table, const char* key);
