#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/system_time.h"

namespace tidemark {

// The print font as the output device measures it. All values are device pixels.
class PrintMetrics {
public:
    virtual ~PrintMetrics() = default;

    // The height of one character cell of the font: the pitch of the body rows without their
    // spacing, and the height of the header and footer texts.
    virtual int CharHeight() const = 0;
    // The width of `run` (CP932, no line end) drawn from x = 0, each tab moving on to the next
    // multiple of `tabStop` (at least 1) measured from where the run starts.
    virtual int TabbedWidth(std::string_view run, int tabStop) const = 0;
};

// The sheet in device pixels and its resolution, and the margins the user chose.
struct PageFrame {
    int width = 0;  // the whole sheet, pixels
    int height = 0;
    int dpiX = 0;  // pixels per inch
    int dpiY = 0;
    std::array<std::int32_t, 4> margins{};  // left, top, right, bottom; hundredths of a mm
};

struct PrintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const PrintRect&, const PrintRect&) = default;
};

// One text inside the header or footer frame (UTF-8). Its top is at `y`; it starts at `x`, or,
// when `alignRight`, it ends at `x`.
struct FrameText {
    std::string text;
    int x = 0;
    int y = 0;
    bool alignRight = false;
};

// One row of the body: CP932 text, tabs included, with its top left corner at (x, y). An empty
// line of the text is a row with no text. The text views the text being laid out.
struct PrintRow {
    std::string_view text;
    int x = 0;
    int y = 0;
};

// What one sheet shows. Handed to the sink page by page; valid only during the call.
struct PrintPage {
    int number = 0;    // 1 for the first page
    int count = 0;     // pages of the whole job
    PrintRect header;  // the frames, drawn with the pen
    PrintRect footer;
    int tabStop = 1;  // pixels between tab stops, from the rows' left edge
    FrameText noteName;
    FrameText printedAt;
    FrameText productName;
    FrameText pageNumber;  // "1/3 ページ"
    std::vector<PrintRow> rows;
};

// What the header says besides the page's own data.
struct PageHeadings {
    std::string noteName;  // the file name without its extension (UTF-8); empty: never saved
    SystemTime printedAt;  // local time
};

// The pages of a printed text: a framed header with the note's name and the time of printing,
// a framed footer with the product name and "page/count", and between them the text's lines,
// wrapped to the body's width.
//
// The text is split at LF, a CR just before an LF dropped; a final LF ends its line without
// starting another. Each line takes one row or more: an empty line one empty row, a longer one
// as many rows as it needs, cut after the most whole characters (never inside a double-byte
// character) whose tabbed width fits the body. A page ends when the next row would not fit
// above the footer. An empty text still gives one page.
//
// The layout keeps no page: CountPages walks the text once, EmitPages walks it again and hands
// each page to the sink as it is complete, so a job of any length costs the memory of one
// page. Both walks give the same pages for the same text. `metrics` must outlive the layout.
class PageLayout {
public:
    // Answers whether the job goes on; false stops it after the page just handed over.
    using PageSink = std::function<bool(const PrintPage&)>;

    // `tabWidth` is the tab width in blanks (values below 1 count as 1).
    PageLayout(const PrintMetrics& metrics, const PageFrame& frame, int tabWidth);

    int CountPages(std::string_view text) const;
    // Lays the pages out numbered against `count` (what CountPages answered). True when every
    // page went to the sink.
    bool EmitPages(std::string_view text, const PageHeadings& headings, int count,
                   const PageSink& sink) const;
    // Both walks: the pages of `text` with their count. Returns what EmitPages returns.
    bool LayOut(std::string_view text, const PageHeadings& headings, const PageSink& sink) const;

    // The geometry every page shares.
    const PrintRect& Header() const { return m_header; }
    const PrintRect& Footer() const { return m_footer; }
    int BodyLeft() const { return m_bodyLeft; }
    int BodyWidth() const { return m_bodyWidth; }
    int TabStop() const { return m_tabStop; }

private:
    class Walk;

    const PrintMetrics& m_metrics;
    int m_charHeight = 0;
    int m_dx = 0;
    int m_dy = 0;
    PrintRect m_header;
    PrintRect m_footer;
    int m_bodyLeft = 0;
    int m_bodyWidth = 0;
    int m_bodyTop = 0;
    int m_bodyLimit = 0;  // a row must end at or above this y
    int m_tabStop = 1;
};

}  // namespace tidemark
