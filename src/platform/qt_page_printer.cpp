#include "platform/qt_page_printer.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QtMath>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <cmath>
#include <cstdlib>

#include "core/common/cp932_codec.h"
#include "core/common/sjis.h"
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

// Qt's PDF engine takes a large block of memory for each page and gives it back when the page
// is done; at the top of the heap glibc would hand it to the system and fault it in again,
// page after page, which costs more than everything else of the job. While a job runs the
// block stays with the process (it is the same block for every page, so the job's memory does
// not grow); afterwards the usual thresholds return and what is free goes back.
class HeapForPages {
public:
#if defined(__GLIBC__)
    HeapForPages() {
        mallopt(M_MMAP_THRESHOLD, kJobThreshold);
        mallopt(M_TRIM_THRESHOLD, kJobThreshold);
    }
    ~HeapForPages() {
        mallopt(M_MMAP_THRESHOLD, kUsualThreshold);
        mallopt(M_TRIM_THRESHOLD, kUsualThreshold);
        malloc_trim(0);
    }

private:
    static constexpr int kJobThreshold = 256 * 1024 * 1024;
    static constexpr int kUsualThreshold = 128 * 1024;  // glibc's defaults
#endif
};

}  // namespace

QFont printFontFor(const tidemark::FontSetting& font, int screenDpi, int deviceDpiY) {
    QFont result(QtFontService::familyOf(font.Face));
    const double points = font.Height != 0 && screenDpi > 0
                              ? std::abs(font.Height) * 72.0 / screenDpi
                              : static_cast<double>(kDefaultPoints);
    result.setPixelSize(qMax(1, qRound(points * deviceDpiY / 72.0)));
    return result;
}

QFont unshapedPrintFont(const tidemark::FontSetting& font, int screenDpi, int deviceDpiY) {
    QFont result = printFontFor(font, screenDpi, deviceDpiY);
    result.setKerning(false);
    result.setStyleStrategy(QFont::PreferNoShaping);
    return result;
}

QtPrintMetrics::QtPrintMetrics(const QFont& font, QPaintDevice* device)
    : m_metrics(font, device), m_widths(0x10000, -1.0f) {}

int QtPrintMetrics::CharHeight() const {
    return qCeil(m_metrics.height());
}

int QtPrintMetrics::ascent() const {
    return qRound(m_metrics.ascent());
}

int QtPrintMetrics::width(const QString& text) const {
    return qRound(m_metrics.horizontalAdvance(text));
}

double QtPrintMetrics::charWidth(std::string_view character) const {
    const auto code = character.size() == 2
                          ? static_cast<std::size_t>(static_cast<std::uint8_t>(character[0])) << 8 |
                                static_cast<std::uint8_t>(character[1])
                          : static_cast<std::size_t>(static_cast<std::uint8_t>(character[0]));
    float& known = m_widths[code];
    if (known < 0)
        known = static_cast<float>(m_metrics.horizontalAdvance(fromCp932(character)));
    return known;
}

double QtPrintMetrics::walk(std::string_view run, int tabStop,
                            const std::function<void(const QString&, int)>* piece) const {
    const double stop = qMax(1, tabStop);
    double x = 0;
    std::size_t from = 0;  // where the current stretch starts
    double stretchX = 0;   // and at what x
    const auto handOn = [&](std::size_t to) {
        if (piece && to > from)
            (*piece)(fromCp932(run.substr(from, to - from)), qRound(stretchX));
    };
    for (std::size_t pos = 0; pos < run.size();) {
        const std::size_t length = tidemark::NextCharLength(run, pos);
        if (run[pos] == '\t') {
            handOn(pos);
            x = (std::floor(x / stop) + 1) * stop;
            from = pos + 1;
            stretchX = x;
        } else {
            x += charWidth(run.substr(pos, length));
        }
        pos += length;
    }
    handOn(run.size());
    return x;
}

int QtPrintMetrics::TabbedWidth(std::string_view run, int tabStop) const {
    return qCeil(walk(run, tabStop, nullptr));
}

void QtPrintMetrics::forEachPiece(std::string_view run, int tabStop,
                                  const std::function<void(const QString&, int)>& piece) const {
    walk(run, tabStop, &piece);
}

PrintOutcome printPages(QPainter& painter, QPagedPaintDevice& device, const PrintRequest& request,
                        const std::function<bool(int page, int count)>& goOn) {
    const HeapForPages heap;
    painter.setFont(unshapedPrintFont(request.font, request.screenDpi, device.logicalDpiY()));
    painter.setPen(QPen(Qt::black, kPenWidth, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QtPrintMetrics metrics(painter.font(), &device);
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
                metrics.forEachPiece(row.text, page.tabStop, [&](const QString& piece, int x) {
                    painter.drawText(row.x + x, baseline, piece);
                });
            }
            return !goOn || goOn(page.number, page.count);
        });
    if (failed)
        return PrintOutcome::kFailed;
    return complete ? PrintOutcome::kPrinted : PrintOutcome::kStopped;
}
