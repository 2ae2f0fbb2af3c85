#include "app/script/registered/registered_script_texts.h"

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/script/registered/registered_script_texts_ja.inc"
};

}  // namespace

QString registeredScriptText(const char* key) {
    return keyedText(kTexts, key);
}
