#include "app/rescue/rescue_output_name.h"

#include <algorithm>

#include "app/common/ui_strings.h"

namespace {

constexpr std::uint32_t kResultSuffix = 10051;

}  // namespace

QString rescueOutputName(const QString& noteFile) {
    qsizetype nameStart = noteFile.lastIndexOf(u'/') + 1;
#ifdef Q_OS_WIN
    nameStart = std::max(nameStart, noteFile.lastIndexOf(u'\\') + 1);
#endif
    const qsizetype dot = noteFile.lastIndexOf(u'.');
    const QString stem = dot > nameStart ? noteFile.left(dot) : noteFile;
    return stem + uiText(kResultSuffix);
}
