#include "platform/qt_page_printer.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <cstdlib>

#include "core/common/cp932_codec.h"
#include "platform/qt_font_service.h"

namespace {

constexpr int kDefaultPoints = 9;
constexpr int kPenWidth = 2;

QString fromCp932(std::string_view bytes) {
    return QString::fromStdU16String(tidemark::Cp932ToUtf16(bytes));
}

QRect frameRect(const tidemark::PrintRect& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

void drawFrameText(QPainter& painter, const QtPrintMetrics& metrics,
                   const tidemark::FrameText& text) {
    const QString shown = QString::fromStdString(text.text);
    const int x = text.alignRight ? text.x - metrics.width(shown) : text.x;
    painter.drawText(x, text.y + metrics.ascent(), shown);
}

}  // namespace

QFont printFontFor(const tidemark::FontSetting& font, int screenDpi, int deviceDpiY) {
    QFont result(QtFontService::familyOf(font.Face));
    const double points = font.Height != 0 && screenDpi > 0
                              ? std::abs(font.Height) * 72.0 / screenDpi
                              : static_cast<double>(kDefaultPoints);
    result.setPixelSize(qMax(1, qRound(points * deviceDpiY / 72.0)));
    return result;
}

int QtPrintMetrics::forEachPiece(const QString& run, int tabStop,
                                 const std::function<void(const QString&, int)>& piece) const {
    int x = 0;
    qsizetype from = 0;
    while (true) {
        const qsizetype tab = run.indexOf(QLatin1Char('\t'), from);
        const QString stretch = run.mid(from, tab < 0 ? -1 : tab - from);
        if (!stretch.isEmpty()) {
            if (piece)
                piece(stretch, x);
            x += m_metrics.horizontalAdvance(stretch);
        }
        if (tab < 0)
            return x;
        x = (x / tabStop + 1) * tabStop;
        from = tab + 1;
    }
}

int QtPrintMetrics::TabbedWidth(std::string_view run, int tabStop) const {
    return forEachPiece(fromCp932(run), qMax(1, tabStop), {});
}

PrintOutcome printPages(QPainter& painter, QPagedPaintDevice& device, const PrintRequest& request,
                        const std::function<bool(int page, int count)>& goOn) {
    painter.setFont(printFontFor(request.font, request.screenDpi, device.logicalDpiY()));
    painter.setPen(QPen(Qt::black, kPenWidth, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QtPrintMetrics metrics(painter.fontMetrics());
    const tidemark::PageFrame frame{device.width(), device.height(), device.logicalDpiX(),
                                    device.logicalDpiY(), request.margins};
    const tidemark::PageLayout layout(metrics, frame, request.tabWidth);

    bool failed = false;
    const bool complete =
        layout.LayOut(request.text, request.headings, [&](const tidemark::PrintPage& page) {
            if (page.number > 1 && !device.newPage()) {
                failed = true;
                return false;
            }
            painter.drawRect(frameRect(page.header));
            painter.drawRect(frameRect(page.footer));
            drawFrameText(painter, metrics, page.noteName);
            drawFrameText(painter, metrics, page.printedAt);
            drawFrameText(painter, metrics, page.productName);
            drawFrameText(painter, metrics, page.pageNumber);
            for (const tidemark::PrintRow& row : page.rows) {
                if (row.text.empty())
                    continue;
                const int baseline = row.y + metrics.ascent();
                metrics.forEachPiece(fromCp932(row.text), page.tabStop,
                                     [&](const QString& piece, int x) {
                                         painter.drawText(row.x + x, baseline, piece);
                                     });
            }
            return !goOn || goOn(page.number, page.count);
        });
    if (failed)
        return PrintOutcome::kFailed;
    return complete ? PrintOutcome::kPrinted : PrintOutcome::kStopped;
}
