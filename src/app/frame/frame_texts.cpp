#include "app/frame/frame_texts.h"

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/frame/frame_texts_ja.inc"
};

}  // namespace

QString frameText(const char* key) {
    return keyedText(kTexts, key);
}
