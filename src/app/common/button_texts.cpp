#include "app/common/button_texts.h"

#include <cstring>

#include "app/common/keyed_texts.h"

namespace {

constexpr KeyedText kTexts[] = {
#include "app/common/button_texts_ja.inc"
};

// Qt's source texts of the standard buttons, as the generic platform theme
// and the GNOME one spell them, and the key of the program's text.
struct SourceButton {
    const char* source;
    const char* key;
};
constexpr SourceButton kSources[] = {
    {"OK", "ok"},     {"&OK", "ok"},   {"Cancel", "cancel"}, {"&Cancel", "cancel"},
    {"Help", "help"}, {"&Yes", "yes"}, {"&No", "no"},
};

bool isButtonContext(const char* context) {
    return context && (std::strcmp(context, "QPlatformTheme") == 0 ||
                       std::strcmp(context, "QGnomeTheme") == 0);
}

}  // namespace

QString ButtonTexts::translate(const char* context, const char* sourceText, const char*,
                               int) const {
    if (!isButtonContext(context) || !sourceText)
        return QString();
    for (const SourceButton& b : kSources) {
        if (std::strcmp(b.source, sourceText) == 0)
            return keyedText(kTexts, b.key);
    }
    return QString();
}
