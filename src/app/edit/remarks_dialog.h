#pragma once

#include <QDialog>

class QDateEdit;
class QPlainTextEdit;
class QTimeEdit;
class UnstorableNotice;

// Dialog 135 "備考": the remarks text (at most kMaxBytes CP932 bytes) with
// aids that insert a date, a time, a file name, "http://" or "mailto:" at
// the caret. 設定 keeps the text, 消去 gives the empty text. Characters the
// note cannot hold are left out of the text and named under it.
class RemarksDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxBytes = 259;

    explicit RemarksDialog(const QString& remarks, QWidget* parent = nullptr);

    // The text as the note stores it (line breaks CR LF); empty after 消去.
    QString text() const;
    // Replaces the selection with `text`, the caret ending after it.
    void insertText(const QString& text);
    QPlainTextEdit* edit() const { return m_edit; }
    QDateEdit* datePicker() const { return m_date; }
    QTimeEdit* timePicker() const { return m_time; }
    // Hidden until characters the note cannot hold were left out.
    UnstorableNotice* unstorableNotice() const { return m_unstorable; }

private:
    void chooseFile();

    QPlainTextEdit* m_edit;
    QDateEdit* m_date;
    QTimeEdit* m_time;
    UnstorableNotice* m_unstorable;
    bool m_cleared = false;
};
