#include "app/list/list_texts.h"

#include <cstring>

namespace {

struct ListText {
    const char* key;
    const char* text;
};

constexpr ListText kTexts[] = {
#include "app/list/list_texts_ja.inc"
};

}  // namespace

QString listText(const char* key) {
    for (const ListText& t : kTexts) {
        if (std::strcmp(t.key, key) == 0)
            return QString::fromUtf8(t.text);
    }
    return QString();
}
