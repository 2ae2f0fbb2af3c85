#pragma once

#include <QDialog>
#include <QPointer>

#include "core/file/rescue_job.h"
#include "core/file/rescue_key_ring.h"

class QLineEdit;

// Dialog 31023 "暗号化データの解除", shown during a rescue when no password
// given so far opens an encrypted title. It explains that the rescue cannot
// tell which locked memo group the data came from and takes a masked
// password of at most kMaxBytes bytes in the note's encoding. OK offers the
// password to the key ring: too short shows message 20075, a password that
// opens nothing shows 20080 and empties the field; in both cases the dialog
// stays. It closes with OK once a password opens the value (the ring's
// Result() then holds it) and with Cancel when the user gives up.
//
// `ring` and `encrypted` must outlive the dialog (one password question).
class RescuePasswordDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxBytes = 112;

    RescuePasswordDialog(tidemark::RescueKeyRing& ring,
                         const tidemark::RescueEncryptedValue& encrypted,
                         QWidget* parent = nullptr);
    ~RescuePasswordDialog() override;  // empties the field

    QLineEdit* passwordField() const { return m_password; }

    void accept() override;
    void reject() override;

private:
    tidemark::RescueKeyRing& m_ring;
    tidemark::RescueEncryptedValue m_encrypted;
    QLineEdit* m_password;
};

// How the rescue wizard answers the job's password questions: with a
// RescuePasswordDialog over `owner`, which must outlive this object.
class RescuePasswordQuestion : public tidemark::RescuePasswordPrompt {
public:
    explicit RescuePasswordQuestion(QWidget* owner) : m_owner(owner) {}

    bool AskPassword(tidemark::RescueKeyRing& ring,
                     const tidemark::RescueEncryptedValue& encrypted) override;

    // The wizard is closing: a dialog that is open is cancelled, and every
    // later question is answered as if cancelled, without asking.
    void abandon();

private:
    QWidget* m_owner;
    QPointer<RescuePasswordDialog> m_open;
    bool m_abandoned = false;
};
