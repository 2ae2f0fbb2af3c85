#pragma once

#include <QLabel>
#include <QStatusBar>

#include "app/frame/command_icons.h"

// The status bar's three parts: what the focus is on (an optional small
// picture and a text), the place of the focused item among its siblings
// ("%d/%d 項目"), and the title of its memo group. The first field ends at
// (width - 80) * 6 / 10, the second is 80 pixels wide, the third takes the rest.
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kMiddlePartWidth = 80;

    explicit MainStatusBar(QWidget* parent = nullptr);

    void setStatusText(StatusIcon icon, const QString& text);
    // The same with any small picture (none when null).
    void setStatusText(const QIcon& icon, const QString& text);
    void setPosition(int position, int count);
    void setGroupTitle(const QString& title);

    QString statusText() const { return m_text->text(); }
    // The picture in front of the status text; null when there is none.
    QPixmap statusPicture() const { return m_icon->isHidden() ? QPixmap() : m_icon->pixmap(); }
    QString positionText() const { return m_position->text(); }
    QString groupTitle() const { return m_group->text(); }
    // Where the first field ends for a bar `width` pixels wide.
    static int firstPartEnd(int width) { return (width - kMiddlePartWidth) * 6 / 10; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_first;
    QLabel* m_icon;
    QLabel* m_text;
    QLabel* m_position;
    QLabel* m_group;
};
