#include "app/common/keyed_texts.h"

#include <cstring>

QString keyedText(std::span<const KeyedText> table, const char* key) {
    for (const KeyedText& t : table) {
        if (std::strcmp(t.key, key) == 0)
            return QString::fromUtf8(t.text);
    }
    return QString();
}
