// The marks the text pane draws over its text: an arrow at each tab, an arrow
// at each line end and "[EOM]" after the last character, in red. They are
// drawn after the editor's own painting, for the visible lines only, so their
// cost follows the size of the pane, never the size of the memo; Qt merges a
// burst of repaints into one.
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

#include "app/text/memo_text_view.h"

namespace {

const QString kTabMark = QStringLiteral("\u2192");      // an arrow to the right
const QString kLineEndMark = QStringLiteral("\u2193");  // an arrow downwards
const QString kEndMark = QStringLiteral("[EOM]");

// The text font made two thirds as tall.
QFont markFontFor(QFont font) {
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, font.pixelSize() * 2 / 3));
    } else {
        font.setPointSizeF(font.pointSizeF() * 2 / 3);
    }
    return font;
}

}  // namespace

void MemoTextView::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    if (m_markFlags != 0 && holdsMemo())
        paintMarks(event);
}

void MemoTextView::paintMarks(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setClipRect(viewport()->rect().adjusted(0, 1, -1, 0).intersected(event->rect()));
    const QFont textFont = font();
    const QFont markFont = markFontFor(textFont);
    const QFontMetrics textMetrics(textFont);
    const QFontMetrics markMetrics(markFont);
    const QTextCursor caret = textCursor();
    const int selectionStart = caret.selectionStart();
    const int selectionEnd = caret.selectionEnd();
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor background = palette().color(QPalette::Base);
    const int bottom = viewport()->height();

    // A mark just right of the caret place before `position`, centred in the
    // line, so that the caret itself stays visible.
    auto draw = [&](int position, const QString& mark, bool isText, bool selected) {
        QTextCursor at(document());
        at.setPosition(position);
        const QRect line = cursorRect(at);
        if (line.top() >= bottom)
            return;
        const QFontMetrics& metrics = isText ? textMetrics : markMetrics;
        const QRect box(line.right() + 1, line.top() + (line.height() - metrics.height()) / 2,
                        metrics.horizontalAdvance(mark), metrics.height());
        painter.fillRect(box, selected ? highlight : background);
        painter.setFont(isText ? textFont : markFont);
        painter.setPen(Qt::red);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, mark);
    };
    auto inSelection = [&](int position) {
        return position >= selectionStart && position < selectionEnd;
    };

    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF bounds = blockBoundingGeometry(block).translated(offset);
        if (bounds.top() >= bottom)
            break;
        if (!block.isVisible() || bounds.bottom() < event->rect().top())
            continue;
        const QString text = block.text();
        const int start = block.position();
        if (m_markFlags & kMarkTabs) {
            for (qsizetype i = text.indexOf(u'\t'); i >= 0; i = text.indexOf(u'\t', i + 1))
                draw(start + int(i), kTabMark, false, inSelection(start + int(i)));
        }
        const int end = start + int(text.size());
        if (block.next().isValid()) {
            if (m_markFlags & kMarkLineEnds)
                draw(end, kLineEndMark, false, inSelection(end));
        } else if (m_markFlags & kMarkEnd) {
            draw(end, kEndMark, true, caret.hasSelection() && selectionEnd >= end);
        }
    }
}
