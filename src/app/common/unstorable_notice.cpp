#include "app/common/unstorable_notice.h"

#include "app/common/ui_strings.h"

namespace {
constexpr std::uint32_t kUnstorable = 12019;
}

UnstorableNotice::UnstorableNotice(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("unstorable"));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    hide();
}

void UnstorableNotice::report(const QString& lost) {
    setText(uiFormat(kUnstorable, {utf8(lost)}));
    show();
}
