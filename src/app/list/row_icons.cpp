#include "app/list/row_icons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include "core/model/item.h"

using tidemark::Item;
namespace ItemFlags = tidemark::ItemFlags;
using tidemark::ItemId;

int rowIconNumber(const Item& item, IconPlace place, ItemId openMemo) {
    const bool inLockedGroup = item.LockOwner() != tidemark::kNoItem;
    if (!item.IsGroup()) {
        if (place != IconPlace::kPathBox && item.links.id == openMemo &&
            openMemo != tidemark::kNoItem)
            return inLockedGroup ? RowIcon::kOpenMemoInLockedGroup : RowIcon::kOpenMemo;
        return inLockedGroup ? RowIcon::kMemoInLockedGroup : RowIcon::kMemo;
    }
    const bool expanded = place != IconPlace::kGroupList && item.IsOpen();
    if (item.IsLockedGroup()) {
        if (place == IconPlace::kGroupList)
            return item.IsOpen() ? RowIcon::kLockedGroupOpen : RowIcon::kLockedGroupCollapsed;
        return expanded ? RowIcon::kLockedGroupExpanded : RowIcon::kLockedGroupCollapsed;
    }
    if (inLockedGroup)
        return expanded ? RowIcon::kGroupInLockedGroupExpanded
                        : RowIcon::kGroupInLockedGroupCollapsed;
    return expanded ? RowIcon::kGroupExpanded : RowIcon::kGroupCollapsed;
}

int stateImageNumber(const Item& item, IconPlace place) {
    if (item.IsGroup()) {
        if (place == IconPlace::kGroupList)
            return StateImage::kNone;
        return item.IsOpen() ? StateImage::kMinus : StateImage::kPlus;
    }
    if (item.HasFlag(ItemFlags::kBodyLink) || item.HasFlag(ItemFlags::kRemarksLink))
        return StateImage::kLink;
    return StateImage::kNone;
}

namespace {

// Drawing happens in a 16×16 grid; the painter is scaled for the pixel ratio.
const QColor kOutline(96, 96, 96);
const QColor kPaper(255, 255, 255);
const QColor kPaperLocked(250, 226, 232);
const QColor kPaperOpen(255, 246, 196);
const QColor kRule(150, 170, 200);
const QColor kFolder(240, 196, 84);
const QColor kFolderDark(196, 148, 40);
const QColor kFolderLocked(206, 180, 232);
const QColor kFolderLockedDark(150, 120, 190);
const QColor kLockBody(214, 160, 32);
const QColor kLockShackle(90, 90, 90);

void drawPage(QPainter& p, const QColor& fill) {
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(10.5, 1.5);
    page.lineTo(13.5, 4.5);
    page.lineTo(13.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(fill);
    p.drawPath(page);
    QPainterPath ear;
    ear.moveTo(10.5, 1.5);
    ear.lineTo(10.5, 4.5);
    ear.lineTo(13.5, 4.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(ear);
    p.setPen(QPen(kRule, 1));
    for (double y : {6.5, 8.5, 10.5, 12.5})
        p.drawLine(QPointF(5.5, y), QPointF(11.5, y));
}

void drawClosedFolder(QPainter& p, const QColor& fill, const QColor& dark) {
    p.setPen(QPen(dark, 1));
    p.setBrush(fill);
    QPainterPath folder;
    folder.moveTo(1.5, 3.5);
    folder.lineTo(6.5, 3.5);
    folder.lineTo(7.5, 5.0);
    folder.lineTo(14.5, 5.0);
    folder.lineTo(14.5, 13.5);
    folder.lineTo(1.5, 13.5);
    folder.closeSubpath();
    p.drawPath(folder);
    p.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
}

void drawOpenFolder(QPainter& p, const QColor& fill, const QColor& dark) {
    p.setPen(QPen(dark, 1));
    p.setBrush(fill.darker(115));
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6.5, 3.5);
    back.lineTo(7.5, 5.0);
    back.lineTo(13.5, 5.0);
    back.lineTo(13.5, 7.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(fill);
    QPainterPath flap;
    flap.moveTo(4.0, 7.5);
    flap.lineTo(15.5, 7.5);
    flap.lineTo(13.0, 13.5);
    flap.lineTo(1.5, 13.5);
    flap.closeSubpath();
    p.drawPath(flap);
}

// A padlock in the lower right corner; open when the group's key is held.
void drawPadlock(QPainter& p, bool open) {
    p.setPen(QPen(kLockShackle, 1.2));
    p.setBrush(Qt::NoBrush);
    if (open) {
        QPainterPath shackle;
        shackle.moveTo(12.0, 9.0);
        shackle.lineTo(12.0, 6.5);
        shackle.arcTo(QRectF(12.0, 4.5, 3.5, 4.0), 180, -180);
        p.drawPath(shackle);
    } else {
        QPainterPath shackle;
        shackle.moveTo(10.0, 9.0);
        shackle.lineTo(10.0, 7.0);
        shackle.arcTo(QRectF(10.0, 5.0, 4.0, 4.0), 180, -180);
        shackle.lineTo(14.0, 9.0);
        p.drawPath(shackle);
    }
    p.setPen(QPen(kLockBody.darker(140), 1));
    p.setBrush(kLockBody);
    p.drawRect(QRectF(8.5, 9.0, 7.0, 6.0));
    p.setPen(QPen(kLockShackle, 1));
    p.drawLine(QPointF(12.0, 11.0), QPointF(12.0, 13.0));
}

void drawPencil(QPainter& p) {
    p.setPen(QPen(QColor(120, 80, 20), 1));
    p.setBrush(QColor(236, 140, 40));
    QPolygonF pencil;
    pencil << QPointF(14.5, 6.5) << QPointF(15.5, 7.5) << QPointF(9.5, 13.5) << QPointF(7.5, 14.5)
           << QPointF(8.5, 12.5);
    p.drawPolygon(pencil);
}

void drawStar(QPainter& p) {
    p.setPen(QPen(QColor(30, 120, 30), 1));
    p.setBrush(QColor(90, 200, 70));
    p.drawEllipse(QPointF(12.0, 12.0), 3.5, 3.5);
    p.setPen(QPen(Qt::white, 1.4));
    p.drawLine(QPointF(12.0, 10.0), QPointF(12.0, 14.0));
    p.drawLine(QPointF(10.0, 12.0), QPointF(14.0, 12.0));
}

void drawClipboard(QPainter& p) {
    p.setPen(QPen(QColor(110, 70, 30), 1));
    p.setBrush(QColor(190, 130, 70));
    p.drawRoundedRect(QRectF(2.5, 2.5, 11.0, 12.5), 1.0, 1.0);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 4.5, 7.0, 9.0));
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(QRectF(5.5, 1.5, 5.0, 2.5));
    p.setPen(QPen(kRule, 1));
    for (double y : {7.5, 9.5, 11.5})
        p.drawLine(QPointF(6.0, y), QPointF(10.0, y));
}

void drawDragArrow(QPainter& p) {
    p.setPen(QPen(QColor(20, 60, 160), 1));
    p.setBrush(QColor(60, 120, 230));
    QPolygonF arrow;
    arrow << QPointF(8.0, 9.0) << QPointF(15.0, 9.0) << QPointF(15.0, 15.0) << QPointF(13.5, 13.0)
          << QPointF(10.5, 16.0) << QPointF(8.5, 14.0) << QPointF(11.5, 11.0);
    p.drawPolygon(arrow);
}

void drawWarning(QPainter& p) {
    p.setPen(QPen(QColor(120, 90, 0), 1));
    p.setBrush(QColor(250, 210, 40));
    QPolygonF triangle;
    triangle << QPointF(8.0, 1.5) << QPointF(15.0, 14.5) << QPointF(1.0, 14.5);
    p.drawPolygon(triangle);
    p.setPen(QPen(Qt::black, 1.6));
    p.drawLine(QPointF(8.0, 5.5), QPointF(8.0, 10.0));
    p.drawPoint(QPointF(8.0, 12.5));
}

void drawRowIcon(QPainter& p, int number) {
    switch (number) {
        case RowIcon::kMemo:
            drawPage(p, kPaper);
            break;
        case RowIcon::kGroupCollapsed:
            drawClosedFolder(p, kFolder, kFolderDark);
            break;
        case RowIcon::kGroupExpanded:
            drawOpenFolder(p, kFolder, kFolderDark);
            break;
        case RowIcon::kLockedGroupCollapsed:
            drawClosedFolder(p, kFolder, kFolderDark);
            drawPadlock(p, false);
            break;
        case RowIcon::kLockedGroupExpanded:
            drawOpenFolder(p, kFolder, kFolderDark);
            drawPadlock(p, true);
            break;
        case RowIcon::kMemoInLockedGroup:
            drawPage(p, kPaperLocked);
            break;
        case RowIcon::kGroupInLockedGroupCollapsed:
            drawClosedFolder(p, kFolderLocked, kFolderLockedDark);
            break;
        case RowIcon::kGroupInLockedGroupExpanded:
            drawOpenFolder(p, kFolderLocked, kFolderLockedDark);
            break;
        case RowIcon::kOpenMemo:
            drawPage(p, kPaperOpen);
            drawPencil(p);
            break;
        case RowIcon::kOpenMemoInLockedGroup:
            drawPage(p, kPaperLocked);
            drawPencil(p);
            break;
        case RowIcon::kNewMemo:
            drawPage(p, kPaper);
            drawStar(p);
            break;
        case RowIcon::kPaste:
            drawClipboard(p);
            break;
        case RowIcon::kDrag:
            drawPage(p, kPaper);
            drawDragArrow(p);
            break;
        case RowIcon::kWarning:
            drawWarning(p);
            break;
        case RowIcon::kLockedGroupOpen:
            drawClosedFolder(p, kFolder, kFolderDark);
            drawPadlock(p, true);
            break;
        default:
            break;  // blank
    }
}

void drawBox(QPainter& p) {
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 3.5, 8.0, 8.0));
}

void drawStateImage(QPainter& p, int number) {
    switch (number) {
        case StateImage::kPlus:
            drawBox(p);
            p.setPen(QPen(Qt::black, 1));
            p.drawLine(QPointF(5.5, 7.5), QPointF(9.5, 7.5));
            p.drawLine(QPointF(7.5, 5.5), QPointF(7.5, 9.5));
            break;
        case StateImage::kMinus:
            drawBox(p);
            p.setPen(QPen(Qt::black, 1));
            p.drawLine(QPointF(5.5, 7.5), QPointF(9.5, 7.5));
            break;
        case StateImage::kLink: {
            p.setPen(QPen(QColor(30, 80, 190), 1.6));
            p.setBrush(Qt::NoBrush);
            p.save();
            p.translate(8.0, 8.0);
            p.rotate(-45);
            p.drawRoundedRect(QRectF(-6.0, -2.0, 7.0, 4.0), 2.0, 2.0);
            p.drawRoundedRect(QRectF(-1.0, -2.0, 7.0, 4.0), 2.0, 2.0);
            p.restore();
            break;
        }
        case StateImage::kArrow: {
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            QPolygonF arrow;
            arrow << QPointF(4.0, 5.5) << QPointF(8.0, 5.5) << QPointF(8.0, 3.0)
                  << QPointF(12.5, 7.5) << QPointF(8.0, 12.0) << QPointF(8.0, 9.5)
                  << QPointF(4.0, 9.5);
            p.drawPolygon(arrow);
            break;
        }
        default:
            break;
    }
}

QPixmap render(void (*draw)(QPainter&, int), int number, qreal ratio) {
    const int side = qRound(16 * ratio);
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, number);
    return pixmap;
}

QPixmap cached(QHash<QPair<int, int>, QPixmap>& cache, void (*draw)(QPainter&, int), int number,
               qreal ratio) {
    const QPair<int, int> key(number, qRound(ratio * 100));
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, render(draw, number, ratio));
    return it.value();
}

}  // namespace

QPixmap rowIconPixmap(int number, qreal devicePixelRatio) {
    static QHash<QPair<int, int>, QPixmap> cache;
    return cached(cache, drawRowIcon, number, devicePixelRatio);
}

QPixmap stateImagePixmap(int number, qreal devicePixelRatio) {
    static QHash<QPair<int, int>, QPixmap> cache;
    return cached(cache, drawStateImage, number, devicePixelRatio);
}

QIcon rowIcon(int number) {
    QIcon icon;
    icon.addPixmap(rowIconPixmap(number, 1.0));
    icon.addPixmap(rowIconPixmap(number, 2.0));
    return icon;
}
