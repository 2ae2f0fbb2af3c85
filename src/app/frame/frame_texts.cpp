#include "app/frame/frame_texts.h"

#include <cstring>

namespace {

struct FrameText {
    const char* key;
    const char* text;
};

constexpr FrameText kTexts[] = {
#include "app/frame/frame_texts_ja.inc"
};

}  // namespace

QString frameText(const char* key) {
    for (const FrameText& t : kTexts) {
        if (std::strcmp(t.key, key) == 0)
            return QString::fromUtf8(t.text);
    }
    return QString();
}
