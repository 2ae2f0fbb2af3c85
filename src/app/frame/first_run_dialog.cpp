#include "app/frame/first_run_dialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/common/ui_strings.h"
#include "app/frame/frame_texts.h"

FirstRunDialog::FirstRunDialog(QWidget* parent)
    : QDialog(parent),
      m_simple(new QRadioButton(frameText("firstRun.simple"), this)),
      m_normal(new QRadioButton(frameText("firstRun.normal"), this)),
      m_explanation(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("firstRunDialog"));
    setWindowTitle(uiText(UiStringId::kProductName));
    m_simple->setObjectName(QStringLiteral("simpleMode"));
    m_normal->setObjectName(QStringLiteral("normalMode"));
    m_explanation->setObjectName(QStringLiteral("explanation"));
    m_explanation->setReadOnly(true);
    m_explanation->setMinimumSize(360, 120);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(m_simple);
    column->addWidget(m_normal);
    column->addWidget(m_explanation, 1);
    column->addWidget(buttons);

    connect(m_simple, &QRadioButton::toggled, this, &FirstRunDialog::explain);
    m_simple->setChecked(true);
    explain();
}

bool FirstRunDialog::simpleModeChosen() const {
    return m_simple->isChecked();
}

void FirstRunDialog::chooseSimpleMode(bool simple) {
    (simple ? m_simple : m_normal)->setChecked(true);
}

QString FirstRunDialog::explanation() const {
    return m_explanation->toPlainText();
}

void FirstRunDialog::explain() {
    const QString text =
        uiText(simpleModeChosen() ? UiStringId::kSimpleModeText : UiStringId::kNormalModeText);
    m_explanation->setPlainText(
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}
