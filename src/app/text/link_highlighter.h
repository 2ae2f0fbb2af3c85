#pragma once

#include <QSyntaxHighlighter>

// Underlines the URLs of the text pane's document. Works line by line, so an
// edit costs the edited line only.
class LinkHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit LinkHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;
};
