#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// The password dialog of a locked memo group ("メモグループの錠"): one
// masked field of at most kMaxBytes, and with `confirm` a second field that
// must repeat it. OK needs at least kMinBytes and matching fields.
class LockPasswordDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxBytes = 112;
    static constexpr int kMinBytes = 4;

    LockPasswordDialog(const QString& groupTitle, bool confirm, QWidget* parent = nullptr);

    QString password() const;
    QLineEdit* passwordEdit() const { return m_password; }
    QLineEdit* confirmEdit() const { return m_confirm; }  // null without confirmation

    void accept() override;

private:
    QLineEdit* m_password;
    QLineEdit* m_confirm = nullptr;
    QLabel* m_problem;
};
