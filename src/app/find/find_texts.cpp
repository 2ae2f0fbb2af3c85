#include "app/find/find_texts.h"

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/find/find_texts_ja.inc"
};

}  // namespace

QString findText(const char* key) {
    return keyedText(kTexts, key);
}
