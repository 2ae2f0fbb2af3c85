#include "app/text/memo_links.h"

#include <gtest/gtest.h>

namespace {

struct FoundLinks {
    QString line;
    QStringList links;
};

TEST(MemoLinks, FindsUrlsOfKnownSchemesUpToTheFirstCharacterOutsideALink) {
    const FoundLinks cases[] = {
        {QStringLiteral("see http://example.com/a?b=1#c now"), {"http://example.com/a?b=1#c"}},
        {QStringLiteral("HTTPS://Example.com"), {"HTTPS://Example.com"}},
        {QStringLiteral("<mailto:someone@example.com>"), {"mailto:someone@example.com"}},
        {QStringLiteral("\"ftp://host/x\" and file:///tmp/y"), {"ftp://host/x", "file:///tmp/y"}},
        // Japanese text right after the URL ends it.
        {QStringLiteral("詳細はhttp://example.com/docsを参照"), {"http://example.com/docs"}},
        // A scheme glued to a word is no scheme; an unknown scheme is no link.
        {QStringLiteral("xhttp://example.com"), {}},
        {QStringLiteral("foo://example.com"), {}},
        {QStringLiteral("http: alone"), {}},
        {QString(), {}},
    };
    for (const FoundLinks& c : cases) {
        QStringList found;
        for (const LinkSpan& span : findLinks(c.line))
            found << c.line.mid(span.start, span.length);
        EXPECT_EQ(found, c.links) << c.line.toStdString();
    }
}

TEST(MemoLinks, LinkTextsWithoutSchemeGetOneByWhatTheyHold) {
    const std::pair<const char*, const char*> cases[] = {
        {"www.example.com/page", "http://www.example.com/page"},
        {"someone@example.com", "mailto:someone@example.com"},
        {"user@host/path", "mailto:user@host/path"},  // the at sign wins
        {"http://example.com/", "http://example.com/"},
        {"C:\\notes\\todo.txt", "C:\\notes\\todo.txt"},
        {"\\\\server\\share", "\\\\server\\share"},
        {"news:comp.lang", "news:comp.lang"},
        {"readme.txt", "readme.txt"},
    };
    for (const auto& [text, target] : cases) {
        EXPECT_EQ(completeLinkTarget(QString::fromUtf8(text)), QString::fromUtf8(target)) << text;
    }
}

TEST(MemoLinks, TheFirstLineEndsAtACarriageReturnElseAtALineFeed) {
    EXPECT_EQ(firstLineOf(QStringLiteral("one\r\ntwo")), QStringLiteral("one"));
    EXPECT_EQ(firstLineOf(QStringLiteral("one\ntwo\rthree")), QStringLiteral("one\ntwo"));
    EXPECT_EQ(firstLineOf(QStringLiteral("one\ntwo")), QStringLiteral("one"));
    EXPECT_EQ(firstLineOf(QStringLiteral("only")), QStringLiteral("only"));
}

TEST(MemoLinks, TrimmingTakesHalfAndFullWidthSpacesAndTabsFromBothEnds) {
    EXPECT_EQ(trimLinkText(QStringLiteral(" \t\u3000example.com/a b\u3000\t ")),
              QStringLiteral("example.com/a b"));
    EXPECT_EQ(trimLinkText(QStringLiteral("\u3000 \t")), QString());
}

}  // namespace
