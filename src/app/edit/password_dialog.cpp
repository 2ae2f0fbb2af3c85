#include "app/edit/password_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/edit/edit_texts.h"

namespace {

constexpr std::uint32_t kNoPassword = 20075;
constexpr std::uint32_t kPasswordsDiffer = 20083;

// A masked field that refuses input beyond `limit` bytes or with characters
// the note's encoding cannot hold: the text stays as it was before.
class PasswordField : public QLineEdit {
public:
    PasswordField(QWidget* parent, const QString& name, std::size_t limit)
        : QLineEdit(parent), m_limit(limit) {
        setObjectName(name);
        setEchoMode(QLineEdit::Password);
        connect(this, &QLineEdit::textChanged, this, &PasswordField::check);
    }

private:
    void check(const QString& text) {
        QString lost;
        const tidemark::ByteString bytes = fromQString(text, &lost);
        if (lost.isEmpty() && bytes.Size() <= m_limit) {
            m_accepted = text;
            return;
        }
        const int cursor = cursorPosition() - int(text.size() - m_accepted.size());
        setText(m_accepted);
        setCursorPosition(std::max(0, cursor));
    }

    std::size_t m_limit;
    QString m_accepted;
};

}  // namespace

PasswordDialog::PasswordDialog(const QString& groupTitle, bool confirm, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("passwordDialog"));
    setWindowTitle(editText("password.title"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(editText("password.prompt"), this));
    auto* group = new QLabel(editText("password.group") + groupTitle, this);
    group->setObjectName(QStringLiteral("groupName"));
    group->setTextFormat(Qt::PlainText);
    layout->addWidget(group);
    m_password = new PasswordField(this, QStringLiteral("password"), kMaxBytes);
    layout->addWidget(m_password);
    if (confirm) {
        layout->addWidget(new QLabel(editText("password.confirm"), this));
        m_confirm = new PasswordField(this, QStringLiteral("confirm"), kMaxBytes);
        layout->addWidget(m_confirm);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PasswordDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PasswordDialog::reject);
    layout->addWidget(buttons);
    m_password->setFocus();
}

PasswordDialog::~PasswordDialog() {
    clearFields();
}

tidemark::ByteString PasswordDialog::password() const {
    return fromQString(m_password->text());
}

void PasswordDialog::clearFields() {
    m_password->clear();
    if (m_confirm)
        m_confirm->clear();
}

void PasswordDialog::accept() {
    tidemark::ByteString typed = password();
    if (typed.Size() < kMinBytes) {
        typed.SecureClear();
        showMessage(this, MessageKind::kError, uiText(kNoPassword));
        m_password->setFocus();
        return;
    }
    if (m_confirm && !(fromQString(m_confirm->text()) == typed)) {
        typed.SecureClear();
        showMessage(this, MessageKind::kError, uiText(kPasswordsDiffer));
        clearFields();
        m_password->setFocus();
        return;
    }
    typed.SecureClear();
    QDialog::accept();
}

void PasswordDialog::reject() {
    clearFields();
    QDialog::reject();
}

std::optional<tidemark::ByteString> DialogLockDialogs::AskPassword(
    const tidemark::ByteString& groupTitle, bool confirm) {
    PasswordDialog dialog(toQString(groupTitle), confirm, m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.password();
}

void DialogLockDialogs::ShowMessage(std::uint32_t stringId, const tidemark::ByteString& name) {
    showMessage(m_owner, MessageKind::kError, uiFormat(stringId, {utf8(toQString(name))}));
}
