#pragma once

#include <QDialog>
#include <QString>

#include "app/frame/shortcuts/shortcut_places.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;

// "ショートカットの作成": a name and a place for a shortcut to the note at
// `notePath`. OK checks the name, asks before an existing shortcut is
// replaced and writes the shortcut; every refusal and failure is shown over
// the dialog, which stays open. It closes with Accepted only once the
// shortcut is written.
class ShortcutDialog : public QDialog {
    Q_OBJECT
public:
    // `program` is what the shortcut starts; `place` is chosen at first.
    ShortcutDialog(const QString& notePath, const QString& program, ShortcutPlace place,
                   QWidget* parent = nullptr);

    ShortcutPlace place() const;
    // Help is not offered over the help note itself.
    void setHelpAvailable(bool available);

    void accept() override;

signals:
    void helpRequested();

private:
    // Checks the name and writes the shortcut; false when the user was told why not.
    bool createShortcut();

    QString m_notePath;
    QString m_program;
    QLineEdit* m_name;
    QButtonGroup* m_places;
    QPushButton* m_help = nullptr;
};
