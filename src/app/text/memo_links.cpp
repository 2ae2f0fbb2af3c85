#include "app/text/memo_links.h"

#include <QRegularExpression>

namespace {

const QRegularExpression& linkPattern() {
    // The characters of a link: printable ASCII except the space, '"', '<' and '>'.
    static const QRegularExpression pattern(
        QStringLiteral("(?<![A-Za-z0-9])(?:https?|ftp|file|mailto|news|nntp|telnet|gopher|wais|"
                       "prospero):[!#-;=?-~]+"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

bool isLinkBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

}  // namespace

QList<LinkSpan> findLinks(QStringView line) {
    QList<LinkSpan> links;
    QRegularExpressionMatchIterator it = linkPattern().globalMatch(line);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        links.push_back({match.capturedStart(), match.capturedLength()});
    }
    return links;
}

QString firstLineOf(const QString& text) {
    qsizetype end = text.indexOf(u'\r');
    if (end < 0)
        end = text.indexOf(u'\n');
    return end < 0 ? text : text.left(end);
}

QString trimLinkText(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isLinkBlank(text[start]))
        ++start;
    while (end > start && isLinkBlank(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

QString completeLinkTarget(const QString& link) {
    if (link.contains(u':') || link.contains(u'\\'))
        return link;
    if (link.contains(u'@'))
        return QStringLiteral("mailto:") + link;
    if (link.contains(u'/'))
        return QStringLiteral("http://") + link;
    return link;
}
