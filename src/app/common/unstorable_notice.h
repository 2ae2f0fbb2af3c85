#pragma once

#include <QLabel>

// The line under an edit box of the note's text that names the characters
// just left out of it because the note cannot hold them (text 12019).
// Hidden until the first such characters; each report replaces the last.
class UnstorableNotice : public QLabel {
    Q_OBJECT
public:
    explicit UnstorableNotice(QWidget* parent);

    void report(const QString& lost);
};
