#pragma once

#include <QGroupBox>
#include <QString>

#include "core/common/byte_string.h"
#include "core/settings/settings.h"

class QButtonGroup;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QVBoxLayout;
class UnstorableNotice;

// What the options pages share to show a setting in a control and to store
// it back.

// `text` without the blanks at its ends: spaces, tabs and full-width spaces.
QString trimBlanks(const QString& text);

// Stores `on` into `flag`. A flag whose truth does not change keeps its word
// (any non-zero word is on), so a setting left alone goes back as it came.
// Returns whether the flag went from off to on or back.
bool storeFlag(tidemark::SettingFlag& flag, bool on);

// A group of radio buttons, one per value of a whole-number setting.
class ChoiceBox : public QGroupBox {
public:
    ChoiceBox(const QString& title, QWidget* parent);

    QRadioButton* addChoice(const QString& text, const QString& name, int value);
    // Checks the button of `value`, or that of `fallback` when none has it.
    void select(int value, int fallback);
    // The value of the checked button.
    int value() const;

private:
    QButtonGroup* m_group;
    QVBoxLayout* m_layout;
};

// A one-line edit box of a settings text, named `name`, showing `value`. It
// keeps what is typed within `maxBytes` CP932 bytes and names the characters
// it leaves out on `notice` (named `name` + "Unstorable"), which the caller
// places under it.
struct SettingLine {
    QLineEdit* edit;
    UnstorableNotice* notice;
};
SettingLine makeSettingLine(QWidget* parent, const QString& name, const tidemark::ByteString& value,
                            int maxBytes);

// The same for a multi-line text, whose line breaks count as CR LF.
struct SettingText {
    QPlainTextEdit* edit;
    UnstorableNotice* notice;
};
SettingText makeSettingText(QWidget* parent, const QString& name, const tidemark::ByteString& value,
                            int maxBytes);

// What a multi-line edit box stores: its text with CR LF line breaks.
QString storedText(const QPlainTextEdit* edit);
