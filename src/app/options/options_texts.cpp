#include "app/options/options_texts.h"

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/options/options_texts_ja.inc"
};

}  // namespace

QString optionsText(const char* key) {
    return keyedText(kTexts, key);
}
