#include "app/edit/sort_progress_window.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/common/qt_text.h"
#include "app/edit/edit_texts.h"

SortProgressWindow::SortProgressWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("sortProgress"));
    setWindowTitle(editText("progress.title"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(editText("progress.group"), this));
    m_group = new QLabel(this);
    m_group->setObjectName(QStringLiteral("groupTitle"));
    row->addWidget(m_group, 1);
    layout->addLayout(row);
    auto* cancel = new QPushButton(editText("progress.cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    layout->addWidget(cancel, 0, Qt::AlignRight);
    connect(cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
}

void SortProgressWindow::BeginGroup(const tidemark::ByteString& groupTitle) {
    m_group->setText(toQString(groupTitle));
}

bool SortProgressWindow::Continue(std::uint64_t elapsedMilliseconds) {
    if (elapsedMilliseconds >= kShowAfterMs && !isVisible()) {
        show();
        raise();
    }
    QCoreApplication::processEvents();
    return !m_cancelled;
}
