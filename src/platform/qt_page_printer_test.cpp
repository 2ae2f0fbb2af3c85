#include "platform/qt_page_printer.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <string>

#include "core/common/cp932_codec.h"
#include "platform/pdf_probe_for_test.h"
#include "platform/qt_font_service.h"

namespace {

std::string cp932(const char* utf8) {
    return tidemark::Utf8ToCp932(utf8).bytes;
}

TEST(PrintFontFor, TurnsTheScreenHeightIntoDevicePixelsOfTheSamePointSize) {
    struct Case {
        std::int32_t height;
        int screenDpi;
        int deviceDpi;
        int pixels;
    };
    const Case cases[] = {
        {-12, 96, 1200, 150},  // 9 points
        {-16, 120, 600, 80},   // 9.6 points
        {20, 96, 300, 63},     // a cell height: 15 points
        {0, 96, 300, 38},      // no height: 9 points
    };
    for (const Case& c : cases) {
        const QFont font = printFontFor({"Serif", c.height}, c.screenDpi, c.deviceDpi);
        EXPECT_EQ(font.pixelSize(), c.pixels) << c.height << " at " << c.screenDpi;
        EXPECT_EQ(font.family(), QStringLiteral("Serif"));
    }
}

class PrintPagesTest : public ::testing::Test {
protected:
    // The request for `text`: the mincho face of the settings' default, 9 points.
    PrintRequest requestFor(const std::string& text) {
        m_text = text;
        PrintRequest request;
        request.text = m_text;
        request.headings = {"週報", {2004, 5, 4, 6, 13, 45, 7, 0}};
        const auto face = fonts.ResolveFace(tidemark::ByteString(cp932("ＭＳ 明朝")));
        request.font = {face ? *face : tidemark::ByteString("Serif"), -12};
        request.screenDpi = 96;
        request.margins = {2000, 2000, 2000, 2000};
        return request;
    }

    QtFontService fonts;
    QTemporaryDir folder;
    std::string m_text;
};

TEST_F(PrintPagesTest, PrintsEveryPageWithItsFramesTexts) {
    std::string text;
    for (int line = 1; line <= 200; ++line)
        text += "メモ" + std::to_string(line) + "\tタブの後\r\n";
    const QString path = folder.filePath(QStringLiteral("out.pdf"));
    int lastPage = 0;
    int count = 0;
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        ASSERT_TRUE(painter.begin(&writer));
        const PrintOutcome outcome =
            printPages(painter, writer, requestFor(cp932(text.c_str())), [&](int page, int of) {
                lastPage = page;
                count = of;
                return true;
            });
        painter.end();
        EXPECT_EQ(outcome, PrintOutcome::kPrinted);
    }
    ASSERT_GT(count, 1);
    EXPECT_EQ(lastPage, count);
    EXPECT_EQ(pdfPageCount(path), count);
    const QString last = pdfText(path, count);
    EXPECT_TRUE(last.contains(QStringLiteral("週報"))) << last.toStdString();
    EXPECT_TRUE(last.contains(QStringLiteral("2004/05/06 13:45"))) << last.toStdString();
    EXPECT_TRUE(last.contains(QStringLiteral("Tidemark"))) << last.toStdString();
    EXPECT_TRUE(last.contains(QStringLiteral("%1/%1 ページ").arg(count))) << last.toStdString();
    EXPECT_TRUE(last.contains(QStringLiteral("メモ200"))) << last.toStdString();
    EXPECT_TRUE(pdfText(path, 1).contains(QStringLiteral("タブの後")));
}

TEST_F(PrintPagesTest, StoppingBetweenPagesLeavesThePagesPrintedSoFar) {
    const QString path = folder.filePath(QStringLiteral("stopped.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        ASSERT_TRUE(painter.begin(&writer));
        const PrintOutcome outcome = printPages(painter, writer, requestFor(std::string(500, '\n')),
                                                [](int page, int) { return page < 2; });
        painter.end();
        EXPECT_EQ(outcome, PrintOutcome::kStopped);
    }
    EXPECT_EQ(pdfPageCount(path), 2);
}

}  // namespace
