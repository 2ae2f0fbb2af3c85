#include "app/rescue/rescue_texts.h"

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/rescue/rescue_texts_ja.inc"
};

}  // namespace

QString rescueText(const char* key) {
    return keyedText(kTexts, key);
}
