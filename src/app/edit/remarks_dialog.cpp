#include "app/edit/remarks_dialog.h"

#include <QDateEdit>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "app/common/byte_limit.h"
#include "app/common/ui_strings.h"
#include "app/common/unstorable_notice.h"
#include "app/edit/edit_texts.h"

namespace {
constexpr std::uint32_t kHttpPrefix = 10023;
constexpr std::uint32_t kMailtoPrefix = 10024;

QPushButton* addButton(QWidget* parent, QLayout* layout, const QString& text, const char* name) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}
}  // namespace

RemarksDialog::RemarksDialog(const QString& remarks, QWidget* parent) : QDialog(parent) {
    setWindowTitle(editText("remarks.title"));
    auto* layout = new QVBoxLayout(this);
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("remarks"));
    QString shown = remarks;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_edit->setPlainText(shown);
    layout->addWidget(m_edit);
    m_unstorable = new UnstorableNotice(this);
    layout->addWidget(m_unstorable);
    limitToBytes(m_edit, kMaxBytes, [this](const QString& lost) { m_unstorable->report(lost); });

    auto* aids = new QGridLayout;
    m_date = new QDateEdit(QDate::currentDate(), this);
    m_date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    m_time = new QTimeEdit(QTime::currentTime(), this);
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    aids->addWidget(m_date, 0, 0);
    aids->addWidget(m_time, 1, 0);
    auto* dateRow = new QHBoxLayout;
    auto* timeRow = new QHBoxLayout;
    auto* insertDate = addButton(this, dateRow, editText("remarks.insert"), "insertDate");
    auto* insertTime = addButton(this, timeRow, editText("remarks.insert"), "insertTime");
    aids->addLayout(dateRow, 0, 1);
    aids->addLayout(timeRow, 1, 1);
    layout->addLayout(aids);
    auto* prefixes = new QHBoxLayout;
    auto* file = addButton(this, prefixes, editText("remarks.file"), "insertFile");
    auto* http = addButton(this, prefixes, uiText(kHttpPrefix), "insertHttp");
    auto* mailto = addButton(this, prefixes, uiText(kMailtoPrefix), "insertMailto");
    layout->addLayout(prefixes);

    auto* buttons = new QHBoxLayout;
    auto* set = addButton(this, buttons, editText("remarks.set"), "set");
    auto* clear = addButton(this, buttons, editText("remarks.clear"), "clear");
    auto* cancel = addButton(this, buttons, editText("remarks.cancel"), "cancel");
    set->setDefault(true);
    layout->addLayout(buttons);

    connect(insertDate, &QPushButton::clicked, this, [this] { insertText(m_date->text() + u' '); });
    connect(insertTime, &QPushButton::clicked, this, [this] { insertText(m_time->text() + u' '); });
    connect(file, &QPushButton::clicked, this, &RemarksDialog::chooseFile);
    connect(http, &QPushButton::clicked, this, [this] { insertText(uiText(kHttpPrefix)); });
    connect(mailto, &QPushButton::clicked, this, [this] { insertText(uiText(kMailtoPrefix)); });
    connect(set, &QPushButton::clicked, this, &QDialog::accept);
    connect(clear, &QPushButton::clicked, this, [this] {
        m_cleared = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString RemarksDialog::text() const {
    return m_cleared ? QString() : withCrLf(m_edit->toPlainText());
}

void RemarksDialog::insertText(const QString& text) {
    // The edit holds one character per line break; text() writes CR LF.
    QString plain = withCrLf(text);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor cursor = m_edit->textCursor();
    cursor.insertText(plain);
    m_edit->setTextCursor(cursor);
    m_edit->setFocus();
}

void RemarksDialog::chooseFile() {
    const QString path = QFileDialog::getOpenFileName(this);
    if (!path.isEmpty())
        insertText(path);
}
