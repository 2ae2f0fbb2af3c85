#include "app/options/setting_controls.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/common/byte_limit.h"
#include "app/common/qt_text.h"
#include "app/common/unstorable_notice.h"

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

UnstorableNotice* makeNotice(QWidget* parent, const QString& name) {
    auto* notice = new UnstorableNotice(parent);
    notice->setObjectName(name + QStringLiteral("Unstorable"));
    return notice;
}

}  // namespace

QString trimBlanks(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text.at(from)))
        ++from;
    while (to > from && isBlank(text.at(to - 1)))
        --to;
    return text.sliced(from, to - from);
}

bool storeFlag(tidemark::SettingFlag& flag, bool on) {
    if ((flag != 0) == on)
        return false;
    flag = on ? 1 : 0;
    return true;
}

ChoiceBox::ChoiceBox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)), m_layout(new QVBoxLayout(this)) {}

QRadioButton* ChoiceBox::addChoice(const QString& text, const QString& name, int value) {
    auto* button = new QRadioButton(text, this);
    button->setObjectName(name);
    m_group->addButton(button, value);
    m_layout->addWidget(button);
    return button;
}

void ChoiceBox::select(int value, int fallback) {
    QAbstractButton* button = m_group->button(value);
    if (!button)
        button = m_group->button(fallback);
    if (button)
        button->setChecked(true);
}

int ChoiceBox::value() const {
    return m_group->checkedId();
}

SettingLine makeSettingLine(QWidget* parent, const QString& name, const tidemark::ByteString& value,
                            int maxBytes) {
    // The shown text is set before the limit watches the box: what the
    // setting holds is not the user's typing.
    auto* edit = new QLineEdit(cutToBytes(toQString(value), maxBytes), parent);
    edit->setObjectName(name);
    UnstorableNotice* notice = makeNotice(parent, name);
    limitToBytes(edit, maxBytes, [notice](const QString& lost) { notice->report(lost); });
    return {edit, notice};
}

SettingText makeSettingText(QWidget* parent, const QString& name, const tidemark::ByteString& value,
                            int maxBytes) {
    QString shown = cutToBytes(withCrLf(toQString(value)), maxBytes);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (shown.endsWith(u'\r'))  // the limit fell inside a line break
        shown.chop(1);
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setPlainText(shown);
    UnstorableNotice* notice = makeNotice(parent, name);
    limitToBytes(edit, maxBytes, [notice](const QString& lost) { notice->report(lost); });
    return {edit, notice};
}

QString storedText(const QPlainTextEdit* edit) {
    return withCrLf(edit->toPlainText());
}
