#pragma once

#include <QDialog>

class QPushButton;

// Window 31010 "印刷中です...": shown while a print job runs, modeless, with
// a Cancel button that asks the job to stop after the page it is printing
// and then disables itself. Escape and the window's close button cancel as
// the button does; the window stays until the job has stopped.
class PrintAbortDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrintAbortDialog(QWidget* parent = nullptr);

    bool isCancelled() const { return m_cancelled; }
    void cancel();
    void reject() override { cancel(); }

private:
    QPushButton* m_cancel;
    bool m_cancelled = false;
};
