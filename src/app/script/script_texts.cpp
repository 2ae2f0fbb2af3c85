#include "app/script/script_texts.h"

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/script/script_texts_ja.inc"
};

}  // namespace

QString scriptText(const char* key) {
    return keyedText(kTexts, key);
}
