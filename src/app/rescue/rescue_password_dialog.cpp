#include "app/rescue/rescue_password_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/common/byte_limit.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/common/unstorable_notice.h"
#include "app/rescue/rescue_texts.h"

namespace {

using tidemark::RescueKeyRing;

constexpr std::uint32_t kTooShort = 20075;
constexpr std::uint32_t kWrongPassword = 20080;

QLabel* paragraph(const char* key, QWidget* parent) {
    auto* label = new QLabel(rescueText(key), parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

}  // namespace

RescuePasswordDialog::RescuePasswordDialog(RescueKeyRing& ring,
                                           const tidemark::RescueEncryptedValue& encrypted,
                                           QWidget* parent)
    : QDialog(parent), m_ring(ring), m_encrypted(encrypted), m_password(new QLineEdit(this)) {
    setObjectName(QStringLiteral("rescuePasswordDialog"));
    setWindowTitle(rescueText("password.title"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(paragraph("password.found", this));
    column->addWidget(paragraph("password.retry", this));
    column->addWidget(paragraph("password.cancel", this));

    m_password->setObjectName(QStringLiteral("password"));
    m_password->setEchoMode(QLineEdit::Password);
    auto* notice = new UnstorableNotice(this);
    limitToBytes(m_password, kMaxBytes, [notice](const QString& lost) { notice->report(lost); });
    auto* form = new QFormLayout;
    form->addRow(rescueText("password.label"), m_password);
    column->addLayout(form);
    column->addWidget(notice);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &RescuePasswordDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RescuePasswordDialog::reject);
    column->addWidget(buttons);
    setMinimumWidth(420);
    m_password->setFocus();
}

RescuePasswordDialog::~RescuePasswordDialog() {
    m_password->clear();
}

void RescuePasswordDialog::accept() {
    tidemark::ByteString typed = fromQString(m_password->text());
    const RescueKeyRing::Offer offer = m_ring.OfferPassword(typed.View(), m_encrypted);
    typed.SecureClear();
    switch (offer) {
        case RescueKeyRing::Offer::kAccepted:
            m_password->clear();
            QDialog::accept();
            return;
        case RescueKeyRing::Offer::kWrong:
            showMessage(this, MessageKind::kError, uiText(kWrongPassword));
            m_password->clear();
            break;
        case RescueKeyRing::Offer::kTooShort:
        // The field never holds more than the limit; should it, the length
        // rule of 20075 is still the one to show.
        case RescueKeyRing::Offer::kTooLong:
            showMessage(this, MessageKind::kError, uiText(kTooShort));
            break;
    }
    // The message box handed the activation back to whichever window it
    // liked; the next try is typed here.
    activateWindow();
    m_password->setFocus(Qt::OtherFocusReason);
}

void RescuePasswordDialog::reject() {
    m_password->clear();
    QDialog::reject();
}

bool RescuePasswordQuestion::AskPassword(RescueKeyRing& ring,
                                         const tidemark::RescueEncryptedValue& encrypted) {
    if (m_abandoned)
        return false;
    RescuePasswordDialog dialog(ring, encrypted, m_owner);
    m_open = &dialog;
    const bool opened = dialog.exec() == QDialog::Accepted;
    m_open = nullptr;
    return opened;
}

void RescuePasswordQuestion::abandon() {
    m_abandoned = true;
    if (m_open)
        m_open->reject();
}
