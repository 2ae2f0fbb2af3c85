#include "app/edit/sort_progress_window.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_text.h"

SortProgressWindow::SortProgressWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("sortProgress"));
    setWindowTitle(QStringLiteral("並べ替え中..."));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("メモグループ:"), this));
    m_group = new QLabel(this);
    m_group->setObjectName(QStringLiteral("groupTitle"));
    row->addWidget(m_group, 1);
    layout->addLayout(row);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
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
