#pragma once

#include <QDialog>

class QLineEdit;
class UnstorableNotice;

// Dialog 136 "備考欄の列名": the remarks column's caption, at most
// kMaxBytes CP932 bytes; characters the note cannot hold are left out and
// named under the box. OK with a blank caption tells the user and stays.
class CaptionDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxBytes = 31;

    explicit CaptionDialog(const QString& caption, QWidget* parent = nullptr);
    // The trimmed caption after OK.
    QString caption() const;
    QLineEdit* edit() const { return m_edit; }
    // Hidden until characters the note cannot hold were left out.
    UnstorableNotice* unstorableNotice() const { return m_unstorable; }

    void accept() override;

private:
    QLineEdit* m_edit;
    UnstorableNotice* m_unstorable;
};
