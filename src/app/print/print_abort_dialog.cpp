#include "app/print/print_abort_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/common/ui_strings.h"
#include "app/print/print_texts.h"

PrintAbortDialog::PrintAbortDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("printAbort"));
    setWindowTitle(uiText(UiStringId::kProductName));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(printDialogText("abort.text"), this), 0, Qt::AlignCenter);
    m_cancel = new QPushButton(printDialogText("abort.cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    layout->addWidget(m_cancel, 0, Qt::AlignCenter);
    connect(m_cancel, &QPushButton::clicked, this, &PrintAbortDialog::cancel);
}

void PrintAbortDialog::cancel() {
    m_cancelled = true;
    m_cancel->setEnabled(false);
}
