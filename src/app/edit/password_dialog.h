#pragma once

#include <QDialog>
#include <optional>

#include "core/common/byte_string.h"
#include "core/model/group_lock_commands.h"

class QLineEdit;

// The password of a locked memo group ("メモグループの錠"): the group's
// name, one masked field, and with `confirm` a second one that must repeat
// it. Each field takes at most kMaxBytes bytes in the note's encoding and
// only characters it can hold. OK wants at least kMinBytes (message 20075
// otherwise, the dialog stays) and, with confirmation, equal fields (message
// 20083, both fields emptied).
class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr std::size_t kMaxBytes = 112;
    static constexpr std::size_t kMinBytes = 4;

    PasswordDialog(const QString& groupTitle, bool confirm, QWidget* parent = nullptr);
    ~PasswordDialog() override;

    // The password typed, as the note's bytes.
    tidemark::ByteString password() const;
    QLineEdit* passwordField() const { return m_password; }
    QLineEdit* confirmField() const { return m_confirm; }  // null without confirmation

    void accept() override;
    void reject() override;

private:
    void clearFields();

    QLineEdit* m_password;
    QLineEdit* m_confirm = nullptr;
};

// The questions of the lock commands, put with PasswordDialog and the
// program's message boxes over `owner`.
class DialogLockDialogs : public tidemark::LockDialogs {
public:
    explicit DialogLockDialogs(QWidget* owner) : m_owner(owner) {}

    std::optional<tidemark::ByteString> AskPassword(const tidemark::ByteString& groupTitle,
                                                    bool confirm) override;
    void ShowMessage(std::uint32_t stringId, const tidemark::ByteString& name) override;

private:
    QWidget* m_owner;
};
