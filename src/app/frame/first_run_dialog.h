#pragma once

#include <QDialog>

class QPlainTextEdit;
class QRadioButton;

// The choice of the first run: simple mode (chosen at first) or normal mode,
// with a box explaining the mode currently chosen.
class FirstRunDialog : public QDialog {
    Q_OBJECT
public:
    explicit FirstRunDialog(QWidget* parent = nullptr);

    bool simpleModeChosen() const;
    void chooseSimpleMode(bool simple);
    QString explanation() const;

private:
    void explain();

    QRadioButton* m_simple;
    QRadioButton* m_normal;
    QPlainTextEdit* m_explanation;
};
