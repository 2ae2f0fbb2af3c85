#include "app/frame/shortcuts/shortcut_texts.h"

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/frame/shortcuts/shortcut_texts_ja.inc"
};

}  // namespace

QString shortcutText(const char* key) {
    return keyedText(kTexts, key);
}
