#include "app/edit/edit_texts.h"

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/edit/edit_texts_ja.inc"
};

}  // namespace

QString editText(const char* key) {
    return keyedText(kTexts, key);
}
