#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Links in memo texts: the URLs the text pane underlines and opens on a
// quick click, and the link of a memo whose first line or remarks are its
// link.

struct LinkSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    bool contains(qsizetype position) const {
        return position >= start && position < start + length;
    }
    friend bool operator==(const LinkSpan&, const LinkSpan&) = default;
};

// The URLs in one line of text, in order: a known scheme ("http:",
// "https:", "ftp:", "file:", "mailto:", "news:", "nntp:", "telnet:",
// "gopher:", "wais:", "prospero:", any case) not preceded by a letter or
// digit, and the printable ASCII characters after it up to a space, a
// quote, an angle bracket or any other character.
QList<LinkSpan> findLinks(QStringView line);

// The text up to its first carriage return, else up to its first line feed.
QString firstLineOf(const QString& text);

// The text without leading and trailing half-width spaces, full-width
// spaces and tabs.
QString trimLinkText(const QString& text);

// What a memo's link text opens: a text with neither ":" nor "\" gets
// "mailto:" in front when it holds "@", else "http://" when it holds "/";
// any other text is opened as it is.
QString completeLinkTarget(const QString& link);
