#include "core/print/page_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/cp932_codec.h"
#include "core/common/sjis.h"

namespace tidemark {
namespace {

std::string Sjis(std::string_view utf8) {
    return Utf8ToCp932(utf8).bytes;
}

std::string Utf8(std::string_view cp932) {
    return Cp932ToUtf8(cp932);
}

// A font of fixed widths: 10 pixels for a single-byte character, 20 for a double-byte one, and
// rows `height` pixels high.
class FixedMetrics : public PrintMetrics {
public:
    explicit FixedMetrics(int height = 10) : m_height(height) {}
    int CharHeight() const override { return m_height; }
    int TabbedWidth(std::string_view run, int tabStop) const override {
        int x = 0;
        for (std::size_t pos = 0; pos < run.size();) {
            const std::size_t length = NextCharLength(run, pos);
            if (run[pos] == '\t') {
                x = (x / tabStop + 1) * tabStop;
            } else {
                x += length == 2 ? 20 : 10;
            }
            pos += length;
        }
        return x;
    }

private:
    int m_height;
};

// At 72 dpi the spacings dx and dy are 2 pixels; without margins the body is the sheet's width
// less 4 pixels.
PageFrame FrameWithBody(int bodyWidth, int height = 1000) {
    return PageFrame{bodyWidth + 4, height, 72, 72, {0, 0, 0, 0}};
}

struct LaidOutPage {
    int number = 0;
    int count = 0;
    std::string pageNumber;
    std::vector<std::string> rows;  // UTF-8
    std::vector<int> ys;
};

std::vector<LaidOutPage> LayOutAll(const PageLayout& layout, std::string_view text,
                                   const PageHeadings& headings = {}) {
    std::vector<LaidOutPage> pages;
    const bool complete = layout.LayOut(text, headings, [&](const PrintPage& page) {
        LaidOutPage copy{page.number, page.count, page.pageNumber.text, {}, {}};
        for (const PrintRow& row : page.rows) {
            copy.rows.push_back(Utf8(row.text));
            copy.ys.push_back(row.y);
        }
        pages.push_back(std::move(copy));
        return true;
    });
    EXPECT_TRUE(complete);
    return pages;
}

std::vector<std::string> RowsOf(const std::vector<LaidOutPage>& pages) {
    std::vector<std::string> rows;
    for (const LaidOutPage& page : pages)
        rows.insert(rows.end(), page.rows.begin(), page.rows.end());
    return rows;
}

TEST(PageLayout, FramesFollowTheMarginsAndEachAxisResolution) {
    // A4 at 300 by 600 dpi, margins of 20, 10, 30 and 15 mm.
    const FixedMetrics metrics(40);
    const PageLayout layout(metrics, PageFrame{2480, 7016, 300, 600, {2000, 1000, 3000, 1500}}, 8);
    // left 2000 * 300 / 2540 = 236, top 1000 * 600 / 2540 = 236, right 2480 - 354 = 2126,
    // bottom 7016 - 354 = 6662; dx = 8, dy = 16.
    EXPECT_EQ(layout.Header(), (PrintRect{236, 236, 2126, 236 + 32 + 40}));
    EXPECT_EQ(layout.Footer(), (PrintRect{236, 6662 - 32 - 40, 2126, 6662}));
    EXPECT_EQ(layout.BodyLeft(), 236 + 8);
    EXPECT_EQ(layout.BodyWidth(), 2126 - 236 - 16);
    EXPECT_EQ(layout.TabStop(), 8 * 10);

    std::vector<PrintPage> seen;
    layout.LayOut("a", PageHeadings{"memo", {2004, 5, 4, 6, 9, 5, 7, 0}},
                  [&](const PrintPage& page) {
                      seen.push_back(page);
                      return true;
                  });
    ASSERT_EQ(seen.size(), 1u);
    const PrintPage& page = seen[0];
    ASSERT_EQ(page.rows.size(), 1u);
    EXPECT_EQ(page.rows[0].x, 244);
    EXPECT_EQ(page.rows[0].y, 236 + 72 + 16);
    EXPECT_EQ(page.noteName.x, 236 + 16);
    EXPECT_EQ(page.noteName.y, 236 + 16);
    EXPECT_FALSE(page.noteName.alignRight);
    EXPECT_EQ(page.printedAt.x, 2126 - 16);
    EXPECT_TRUE(page.printedAt.alignRight);
    EXPECT_EQ(page.productName.y, 6662 - 72 + 16);
    EXPECT_EQ(page.pageNumber.x, 2126 - 16);
    EXPECT_TRUE(page.pageNumber.alignRight);
}

TEST(PageLayout, HundredShortLinesOnPagesOfFortyRowsMakeThreeNumberedPages) {
    // Rows of 10 + 2 pixels from y = 16 (header 14 high, then dy); the footer's top is at
    // 512 - 14 = 498, so a row must end at or above 496: rows at 16 ... 484 make forty.
    const FixedMetrics metrics(10);
    const PageLayout layout(metrics, FrameWithBody(396, 512), 8);
    std::string text;
    for (int line = 1; line <= 100; ++line)
        text += "line " + std::to_string(line) + "\r\n";

    EXPECT_EQ(layout.CountPages(text), 3);
    const std::vector<LaidOutPage> pages = LayOutAll(layout, text);
    ASSERT_EQ(pages.size(), 3u);
    const std::size_t rows[] = {40, 40, 20};
    const char* const footers[] = {"1/3 ページ", "2/3 ページ", "3/3 ページ"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(pages[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(pages[i].count, 3);
        EXPECT_EQ(pages[i].pageNumber, footers[i]);
        EXPECT_EQ(pages[i].rows.size(), rows[i]) << "page " << i + 1;
        EXPECT_EQ(pages[i].ys.front(), 16);
    }
    EXPECT_EQ(pages[0].ys.back(), 16 + 39 * 12);
    EXPECT_EQ(pages[1].rows.front(), "line 41");
    EXPECT_EQ(pages[2].rows.back(), "line 100");
}

TEST(PageLayout, WrapsAtWholeCharactersThatFitTheBody) {
    struct Case {
        const char* name;
        int bodyWidth;
        int tabWidth;
        std::string line;  // UTF-8
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"double-byte line cut after the fifth character",
         100,
         8,
         "あいうえおかきくけこさ",
         {"あいうえお", "かきくけこ", "さ"}},
        {"exactly the body's width", 100, 8, "あいうえお", {"あいうえお"}},
        {"half a character left over", 45, 8, "aあいう", {"aあ", "いう"}},
        // 亜 ends in 0x9F, ソ in 0x5C: trail bytes that look like a lead byte and a backslash.
        {"trail bytes never taken for characters", 50, 8, "a亜亜亜ソソ", {"a亜亜", "亜ソ", "ソ"}},
        {"tabs to the stops of the body", 85, 4, "ab\tc\td", {"ab\tc\t", "d"}},
        {"a continued row's tab counts from the body's left",
         60,
         4,
         "abcdef\tg",
         {"abcdef", "\tg"}},
        {"a body narrower than a character takes one a row", 15, 8, "aあb", {"a", "あ", "b"}},
        {"a body of no width takes one a row", -8, 8, "あa", {"あ", "a"}},
        {"a long line",
         990,
         8,
         std::string(200, 'x'),
         {std::string(99, 'x'), std::string(99, 'x'), "xx"}},
    };
    const FixedMetrics metrics;
    for (const Case& c : cases) {
        const PageLayout layout(metrics, FrameWithBody(c.bodyWidth, 100000), c.tabWidth);
        EXPECT_EQ(RowsOf(LayOutAll(layout, Sjis(c.line))), c.rows) << c.name;
    }
}

TEST(PageLayout, ALongMixedLineIsCutOnlyBetweenCharacters) {
    // Past the first probe of the search, with double-byte characters at odd byte offsets.
    std::string line;
    for (int i = 0; i < 150; ++i)
        line += i % 3 == 0 ? Sjis("亜") : std::string("b");
    const FixedMetrics metrics;
    const PageLayout layout(metrics, FrameWithBody(555, 100000), 8);
    std::string joined;
    int rows = 0;
    layout.LayOut(line, {}, [&](const PrintPage& page) {
        for (const PrintRow& row : page.rows) {
            EXPECT_LE(metrics.TabbedWidth(row.text, 80), 555);
            // One more character would not have fitted.
            const std::size_t after = joined.size() + row.text.size();
            if (after < line.size()) {
                const std::size_t more = NextCharLength(line, after);
                EXPECT_GT(metrics.TabbedWidth(std::string(row.text) + line.substr(after, more), 80),
                          555);
            }
            EXPECT_EQ(SafeCutLength(line, after), after) << "cut inside a character";
            joined += row.text;
            ++rows;
        }
        return true;
    });
    EXPECT_EQ(joined, line);
    // 50 double-byte and 100 single-byte characters, 2000 pixels: four rows at most 555 wide.
    EXPECT_EQ(rows, 4);
}

TEST(PageLayout, SplitsLinesAtLineFeedsDroppingACarriageReturnBeforeOne) {
    struct Case {
        std::string text;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}},
        {"\n\n", {"", ""}},
        {"a\rb", {"a\rb"}},
        {"a\r\r\n", {"a\r"}},
        {"", {}},
    };
    const FixedMetrics metrics;
    const PageLayout layout(metrics, FrameWithBody(200), 8);
    for (const Case& c : cases) {
        EXPECT_EQ(RowsOf(LayOutAll(layout, c.text)), c.rows) << '"' << c.text << '"';
    }
}

TEST(PageLayout, EmptyLinesTakeARowEach) {
    const FixedMetrics metrics(10);
    const PageLayout layout(metrics, FrameWithBody(200, 512), 8);
    const std::vector<LaidOutPage> pages = LayOutAll(layout, std::string(45, '\n'));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].rows.size(), 40u);
    EXPECT_EQ(pages[1].rows.size(), 5u);
    EXPECT_EQ(pages[1].ys.back(), 16 + 4 * 12);
}

TEST(PageLayout, AnEmptyTextPrintsOnePageWithItsHeaderAndFooter) {
    const FixedMetrics metrics;
    const PageLayout layout(metrics, FrameWithBody(300), 8);
    EXPECT_EQ(layout.CountPages(""), 1);
    std::vector<std::vector<std::string>> texts;
    layout.LayOut("", PageHeadings{"", {2004, 5, 4, 6, 9, 5, 7, 0}}, [&](const PrintPage& page) {
        EXPECT_TRUE(page.rows.empty());
        texts.push_back(
            {page.noteName.text, page.printedAt.text, page.productName.text, page.pageNumber.text});
        return true;
    });
    const std::vector<std::vector<std::string>> expected = {
        {"新しいノート", "2004/05/06 9:05", "Tidemark", "1/1 ページ"}};
    EXPECT_EQ(texts, expected);
}

TEST(PageLayout, APageWithNoRoomForARowStillTakesOneRow) {
    // The footer overlaps the header: no row fits anywhere, and each row gets a page.
    const FixedMetrics metrics(10);
    const PageLayout layout(metrics, FrameWithBody(200, 20), 8);
    const std::vector<LaidOutPage> pages = LayOutAll(layout, "a\nb\nc");
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[2].rows, std::vector<std::string>{"c"});
    EXPECT_EQ(pages[2].pageNumber, "3/3 ページ");
}

TEST(PageLayout, ASinkThatStopsEndsTheJobAfterItsPage) {
    const FixedMetrics metrics(10);
    const PageLayout layout(metrics, FrameWithBody(200, 512), 8);
    const std::string text(100, '\n');
    std::vector<int> handed;
    const bool complete = layout.EmitPages(text, {}, 3, [&](const PrintPage& page) {
        handed.push_back(page.number);
        return page.number < 2;
    });
    EXPECT_FALSE(complete);
    EXPECT_EQ(handed, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace tidemark
