#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "core/print/page_layout.h"
#include "core/settings/font_service.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// Printing a text through Qt's paint devices: a printer, or a PDF writer where there is none.
// The pages come from tidemark::PageLayout, measured with the font the painter draws with.

// A job's text and how its pages look.
struct PrintRequest {
    std::string_view text;  // CP932; must outlive the job
    tidemark::PageHeadings headings;
    tidemark::FontSetting font;  // the print font as stored: its height in screen pixels
    int screenDpi = 96;
    std::array<std::int32_t, 4> margins{};  // left, top, right, bottom; hundredths of a mm
    int tabWidth = 8;                       // in blanks
};

enum class PrintOutcome {
    kPrinted,  // every page went to the device
    kStopped,  // the caller stopped the job between two pages
    kFailed,   // the device refused a new page
};

// The print font on a device of `deviceDpiY`: the stored height (pixels of a screen of
// `screenDpi`) turned into points and then into device pixels. A font without a height is
// 9 points.
QFont printFontFor(const tidemark::FontSetting& font, int screenDpi, int deviceDpiY);

// The print font's metrics as the layout asks for them. Text is drawn unshaped (no kerning,
// no ligatures, as a printer's text output does), so a run is exactly as wide as its characters
// together: each character is measured once and remembered by its CP932 code. Tabs are drawn
// where they are measured.
class QtPrintMetrics : public tidemark::PrintMetrics {
public:
    // `font` as the painter of `device` uses it.
    QtPrintMetrics(const QFont& font, QPaintDevice* device);

    int CharHeight() const override;
    int TabbedWidth(std::string_view run, int tabStop) const override;

    int ascent() const;
    int width(const QString& text) const;
    // Calls `piece(text, x)` for each stretch of `run` (CP932) between tabs, x counted in
    // pixels from the run's start.
    void forEachPiece(std::string_view run, int tabStop,
                      const std::function<void(const QString&, int)>& piece) const;

private:
    double charWidth(std::string_view character) const;
    // The width of `run` from x = 0; with `piece`, the stretches between tabs are handed on.
    double walk(std::string_view run, int tabStop,
                const std::function<void(const QString&, int)>* piece) const;

    QFontMetricsF m_metrics;
    mutable std::vector<float> m_widths;  // by CP932 code; negative: not measured yet
};

// The font the pages are drawn with: printFontFor, unshaped.
QFont unshapedPrintFont(const tidemark::FontSetting& font, int screenDpi, int deviceDpiY);

// Prints the request on `device`, for which `painter` is active; the caller ends the painter
// (or aborts the device) afterwards. The device's whole sheet is the page: the margins are the
// request's. After each page `goOn(page, count)` says whether to print the next one; it may
// dispatch events. The pages are laid out twice (counted, then painted) and none is kept.
PrintOutcome printPages(QPainter& painter, QPagedPaintDevice& device, const PrintRequest& request,
                        const std::function<bool(int page, int count)>& goOn);
