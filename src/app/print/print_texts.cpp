#include "app/print/print_texts.h"

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/print/print_texts_ja.inc"
};

}  // namespace

QString printDialogText(const char* key) {
    return keyedText(kTexts, key);
}
