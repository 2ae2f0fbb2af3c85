#include "core/print/page_layout.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "core/common/cp932_codec.h"
#include "core/common/sjis.h"
#include "core/common/time_text.h"
#include "core/strings/message_format.h"
#include "core/strings/string_table.h"

namespace tidemark {
namespace {

constexpr std::uint32_t kProductName = 10001;
constexpr std::uint32_t kNewNoteName = 10002;
constexpr std::uint32_t kPageNumber = 10028;  // "%d/%d ページ"

// Hundredths of a millimetre per inch.
constexpr std::int64_t kHundredthsMmPerInch = 2540;
// A wrapped line is first tried this many characters at a time.
constexpr std::size_t kFirstProbe = 64;

int MarginPixels(std::int32_t hundredthsMm, int dpi) {
    return static_cast<int>(static_cast<std::int64_t>(hundredthsMm) * dpi / kHundredthsMmPerInch);
}

}  // namespace

// One walk over the text: the rows in order, and the page breaks between them. `beginPage` is
// called before the first row of each page (and once for an empty text), `placeRow` for each
// row with its y; either may answer false to stop the walk.
class PageLayout::Walk {
public:
    explicit Walk(const PageLayout& layout) : m_layout(layout) {}

    template <typename BeginPage, typename PlaceRow>
    bool Run(std::string_view text, BeginPage&& beginPage, PlaceRow&& placeRow) {
        const int pitch = m_layout.m_charHeight + m_layout.m_dy;
        bool pageOpen = false;
        int rowsOnPage = 0;
        int y = m_layout.m_bodyTop;
        const auto place = [&](std::string_view row) {
            // A page always takes its first row, even where no row fits between header and
            // footer: a page that cannot hold a row would otherwise be followed by another
            // one forever.
            const bool fits = y + m_layout.m_charHeight <= m_layout.m_bodyLimit;
            if (!pageOpen || (!fits && rowsOnPage > 0)) {
                if (!beginPage())
                    return false;
                pageOpen = true;
                rowsOnPage = 0;
                y = m_layout.m_bodyTop;
            }
            if (!placeRow(row, y))
                return false;
            ++rowsOnPage;
            y += pitch;
            return true;
        };

        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t lineFeed = text.find('\n', pos);
            std::size_t end = lineFeed == std::string_view::npos ? text.size() : lineFeed;
            const std::size_t next = lineFeed == std::string_view::npos ? end : lineFeed + 1;
            if (lineFeed != std::string_view::npos && end > pos && text[end - 1] == '\r')
                --end;
            std::string_view line = text.substr(pos, end - pos);
            pos = next;
            if (line.empty()) {
                if (!place(line))
                    return false;
                continue;
            }
            while (!line.empty()) {
                const std::size_t length = FitLength(line);
                if (!place(line.substr(0, length)))
                    return false;
                line.remove_prefix(length);
            }
        }
        if (!pageOpen)
            return beginPage();
        return true;
    }

private:
    bool Fits(std::string_view line, std::size_t bytes) const {
        return m_layout.m_metrics.TabbedWidth(line.substr(0, bytes), m_layout.m_tabStop) <=
               m_layout.m_bodyWidth;
    }

    // The byte offset after `count` characters of `line`; npos when the line has fewer.
    std::size_t EndAfter(std::string_view line, std::size_t count) {
        while (m_ends.size() < count) {
            const std::size_t from = m_ends.empty() ? 0 : m_ends.back();
            if (from >= line.size())
                return std::string_view::npos;
            m_ends.push_back(from + NextCharLength(line, from));
        }
        return m_ends[count - 1];
    }

    // The bytes of the first row of a non-empty `line`: the most whole characters whose tabbed
    // width fits the body. When not even the first character fits (a body narrower than one
    // character), the row holds that one character: every row then moves the text on by a
    // character instead of the job never ending.
    std::size_t FitLength(std::string_view line) {
        if (Fits(line, line.size()))
            return line.size();
        m_ends.clear();
        // Characters known to fit, and a count known not to: doubling from a first guess,
        // then halving the gap, so that a long line costs a few measurements per row.
        std::size_t good = 0;
        std::size_t bad = std::numeric_limits<std::size_t>::max();
        for (std::size_t probe = kFirstProbe;; probe *= 2) {
            const std::size_t end = EndAfter(line, probe);
            if (end == std::string_view::npos) {
                bad = m_ends.size();  // the whole line, measured above
                break;
            }
            if (!Fits(line, end)) {
                bad = probe;
                break;
            }
            good = probe;
        }
        while (bad - good > 1) {
            const std::size_t middle = good + (bad - good) / 2;
            if (Fits(line, EndAfter(line, middle))) {
                good = middle;
            } else {
                bad = middle;
            }
        }
        return EndAfter(line, std::max<std::size_t>(good, 1));
    }

    const PageLayout& m_layout;
    std::vector<std::size_t> m_ends;  // byte offset after each character of the wrapped line
};

PageLayout::PageLayout(const PrintMetrics& metrics, const PageFrame& frame, int tabWidth)
    : m_metrics(metrics) {
    // A row of no height would never fill a page.
    m_charHeight = std::max(1, metrics.CharHeight());
    m_dx = 2 * frame.dpiX / 72;
    m_dy = 2 * frame.dpiY / 72;
    const int left = MarginPixels(frame.margins[0], frame.dpiX);
    const int top = MarginPixels(frame.margins[1], frame.dpiY);
    const int right = frame.width - MarginPixels(frame.margins[2], frame.dpiX);
    const int bottom = frame.height - MarginPixels(frame.margins[3], frame.dpiY);
    m_header = {left, top, right, top + 2 * m_dy + m_charHeight};
    m_footer = {left, bottom - 2 * m_dy - m_charHeight, right, bottom};
    m_bodyLeft = left + m_dx;
    m_bodyWidth = right - left - 2 * m_dx;
    m_bodyTop = m_header.bottom + m_dy;
    m_bodyLimit = m_footer.top - m_dy;
    m_tabStop = std::max(1, std::max(1, tabWidth) * metrics.TabbedWidth(" ", 1));
}

int PageLayout::CountPages(std::string_view text) const {
    int pages = 0;
    Walk walk(*this);
    walk.Run(
        text,
        [&pages] {
            ++pages;
            return true;
        },
        [](std::string_view, int) { return true; });
    return pages;
}

bool PageLayout::EmitPages(std::string_view text, const PageHeadings& headings, int count,
                           const PageSink& sink) const {
    PrintPage page;
    page.count = count;
    page.header = m_header;
    page.footer = m_footer;
    page.tabStop = m_tabStop;
    const int textLeft = m_header.left + 2 * m_dx;
    const int textRight = m_header.right - 2 * m_dx;
    page.noteName = {
        headings.noteName.empty() ? std::string(StringById(kNewNoteName)) : headings.noteName,
        textLeft, m_header.top + m_dy, false};
    page.printedAt = {Cp932ToUtf8(DisplayTime(headings.printedAt)), textRight, m_header.top + m_dy,
                      true};
    page.productName = {std::string(StringById(kProductName)), textLeft, m_footer.top + m_dy,
                        false};
    page.pageNumber = {std::string(), textRight, m_footer.top + m_dy, true};

    bool pending = false;  // `page` holds a page not yet handed over
    const auto handOver = [&] {
        pending = false;
        return sink(page);
    };
    Walk walk(*this);
    const bool ran = walk.Run(
        text,
        [&] {
            if (pending && !handOver())
                return false;
            ++page.number;
            page.pageNumber.text = FormatString(kPageNumber, {page.number, count});
            page.rows.clear();
            pending = true;
            return true;
        },
        [&](std::string_view row, int y) {
            page.rows.push_back({row, m_bodyLeft, y});
            return true;
        });
    if (!ran)
        return false;
    return !pending || handOver();
}

bool PageLayout::LayOut(std::string_view text, const PageHeadings& headings,
                        const PageSink& sink) const {
    return EmitPages(text, headings, CountPages(text), sink);
}

}  // namespace tidemark
