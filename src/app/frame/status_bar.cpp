#include "app/frame/status_bar.h"

#include <QHBoxLayout>
#include <QStyle>

#include "app/common/ui_strings.h"

namespace {

constexpr std::uint32_t kPositionFormat = 12006;  // "%d/%d 項目"

}  // namespace

MainStatusBar::MainStatusBar(QWidget* parent)
    : QStatusBar(parent),
      m_first(new QWidget(this)),
      m_icon(new QLabel(m_first)),
      m_text(new QLabel(m_first)),
      m_position(new QLabel(this)),
      m_group(new QLabel(this)) {
    setObjectName(QStringLiteral("statusBar"));
    auto* row = new QHBoxLayout(m_first);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(m_icon);
    row->addWidget(m_text, 1);
    m_icon->hide();
    m_text->setObjectName(QStringLiteral("statusText"));
    m_position->setObjectName(QStringLiteral("statusPosition"));
    m_group->setObjectName(QStringLiteral("statusGroup"));
    for (QLabel* label : {m_text, m_position, m_group}) {
        label->setTextFormat(Qt::PlainText);
        label->setMinimumWidth(1);
    }
    addWidget(m_first);
    addWidget(m_position);
    addWidget(m_group, 1);
    setSizeGripEnabled(false);
}

void MainStatusBar::setStatusText(StatusIcon icon, const QString& text) {
    if (icon == StatusIcon::kNone) {
        m_icon->hide();
    } else {
        const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
        m_icon->setPixmap(statusIcon(icon).pixmap(size, size));
        m_icon->show();
    }
    m_text->setText(text);
}

void MainStatusBar::setStatusText(const QIcon& icon, const QString& text) {
    if (icon.isNull()) {
        m_icon->hide();
    } else {
        const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
        m_icon->setPixmap(icon.pixmap(size, size));
        m_icon->show();
    }
    m_text->setText(text);
}

void MainStatusBar::setPosition(int position, int count) {
    m_position->setText(uiFormat(kPositionFormat, {position, count}));
}

void MainStatusBar::setGroupTitle(const QString& title) {
    m_group->setText(title);
}

void MainStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    m_first->setFixedWidth(std::max(1, firstPartEnd(width())));
    m_position->setFixedWidth(kMiddlePartWidth);
}
