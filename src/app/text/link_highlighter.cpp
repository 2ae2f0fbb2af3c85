#include "app/text/link_highlighter.h"

#include "app/text/memo_links.h"

LinkHighlighter::LinkHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void LinkHighlighter::highlightBlock(const QString& text) {
    QTextCharFormat link;
    link.setFontUnderline(true);
    for (const LinkSpan& span : findLinks(text))
        setFormat(int(span.start), int(span.length), link);
}
