#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

// The start-up choice (option 5): a new note, a note chosen in the Open
// dialog, the last used note, or a new note from a template, and whether to
// start that way from now on.
class StartupOptionDialog : public QDialog {
    Q_OBJECT
public:
    // `currentOption` is the setting (1 to 5); `lastNoteName` the most
    // recent note's file name without extension, empty when there is none.
    StartupOptionDialog(int currentOption, const QString& lastNoteName, QWidget* parent = nullptr);

    // The option chosen, 1 to 4.
    int chosenOption() const;
    void choose(int option);
    bool rememberChoice() const;
    void setRememberChoice(bool remember);
    bool lastNoteAvailable() const;

signals:
    void helpRequested();

private:
    QButtonGroup* m_options;
    QCheckBox* m_remember;
};
