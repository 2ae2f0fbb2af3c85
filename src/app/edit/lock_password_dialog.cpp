#include "app/edit/lock_password_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/edit/byte_limit.h"
#include "app/qt_text.h"

LockPasswordDialog::LockPasswordDialog(const QString& groupTitle, bool confirm, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("メモグループの錠"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("鍵のパスワードを入力してください。"), this));
    layout->addWidget(new QLabel(QStringLiteral("メモグループ:") + groupTitle, this));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("password"));
    m_password->setEchoMode(QLineEdit::Password);
    limitToBytes(m_password, kMaxBytes);
    layout->addWidget(m_password);
    if (confirm) {
        layout->addWidget(
            new QLabel(QStringLiteral("確認のため、もう一度入力してください。"), this));
        m_confirm = new QLineEdit(this);
        m_confirm->setObjectName(QStringLiteral("confirm"));
        m_confirm->setEchoMode(QLineEdit::Password);
        limitToBytes(m_confirm, kMaxBytes);
        layout->addWidget(m_confirm);
    }
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("problem"));
    layout->addWidget(m_problem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LockPasswordDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LockPasswordDialog::reject);
    layout->addWidget(buttons);
}

QString LockPasswordDialog::password() const {
    return m_password->text();
}

void LockPasswordDialog::accept() {
    if (static_cast<int>(fromQString(password()).Size()) < kMinBytes) {
        m_problem->setText(
            QStringLiteral("パスワードは%1バイト以上にしてください。").arg(kMinBytes));
        m_password->setFocus();
        return;
    }
    if (m_confirm && m_confirm->text() != password()) {
        m_problem->setText(QStringLiteral("確認のパスワードが一致しません。"));
        m_confirm->clear();
        m_confirm->setFocus();
        return;
    }
    QDialog::accept();
}
