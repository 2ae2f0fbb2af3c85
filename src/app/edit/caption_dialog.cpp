#include "app/edit/caption_dialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/common/byte_limit.h"
#include "app/common/message_box.h"
#include "app/common/ui_strings.h"
#include "app/common/unstorable_notice.h"
#include "app/edit/edit_texts.h"

namespace {
constexpr std::uint32_t kEnterCaption = 20027;
}

CaptionDialog::CaptionDialog(const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(editText("caption.title"));
    auto* layout = new QVBoxLayout(this);
    m_edit = new QLineEdit(cutToBytes(caption, kMaxBytes), this);
    m_edit->setObjectName(QStringLiteral("caption"));
    layout->addWidget(m_edit);
    m_unstorable = new UnstorableNotice(this);
    layout->addWidget(m_unstorable);
    limitToBytes(m_edit, kMaxBytes, [this](const QString& lost) { m_unstorable->report(lost); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CaptionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CaptionDialog::reject);
    layout->addWidget(buttons);
}

QString CaptionDialog::caption() const {
    return m_edit->text().trimmed();
}

void CaptionDialog::accept() {
    if (caption().isEmpty()) {
        showMessage(this, MessageKind::kError, uiText(kEnterCaption));
        m_edit->setFocus();
        return;
    }
    QDialog::accept();
}
