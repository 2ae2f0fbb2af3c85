#include "app/edit/caption_dialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/edit/byte_limit.h"
#include "app/frame/message_box.h"
#include "app/ui_strings.h"

namespace {
constexpr std::uint32_t kEnterCaption = 20027;
}

CaptionDialog::CaptionDialog(const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("備考欄の列名"));
    auto* layout = new QVBoxLayout(this);
    m_edit = new QLineEdit(cutToBytes(caption, kMaxBytes), this);
    m_edit->setObjectName(QStringLiteral("caption"));
    limitToBytes(m_edit, kMaxBytes);
    layout->addWidget(m_edit);
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
