#include "app/list/list_texts.h"

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/list/list_texts_ja.inc"
};

}  // namespace

QString listText(const char* key) {
    return keyedText(kTexts, key);
}
