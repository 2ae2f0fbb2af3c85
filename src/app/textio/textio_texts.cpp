#include "app/textio/textio_texts.h"

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/textio/textio_texts_ja.inc"
};

}  // namespace

QString textioText(const char* key) {
    return keyedText(kTexts, key);
}
