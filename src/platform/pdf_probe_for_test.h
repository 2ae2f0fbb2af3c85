#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// What a printed PDF file holds, read with poppler's pdfinfo and pdftotext (package
// poppler-utils). For tests only.

// The page count pdfinfo reports; -1 when it cannot read the file.
inline int pdfPageCount(const QString& path) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(30000) || info.exitCode() != 0)
        return -1;
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"),
                                   QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match =
        pages.match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of page `page` (from 1), or of every page when 0, as pdftotext extracts it keeping
// the layout (texts of one line stay on one line); empty when it cannot read the file.
inline QString pdfText(const QString& path, int page = 0) {
    QStringList arguments{QStringLiteral("-layout"), QStringLiteral("-enc"),
                          QStringLiteral("UTF-8")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    arguments << path << QStringLiteral("-");
    QProcess text;
    text.start(QStringLiteral("pdftotext"), arguments);
    if (!text.waitForFinished(30000) || text.exitCode() != 0)
        return {};
    return QString::fromUtf8(text.readAllStandardOutput());
}

// Where the first word `word` of page 1 starts: its left edge in points from the sheet's left
// edge, as pdftotext -bbox gives it; -1 when there is no such word.
inline double pdfWordLeft(const QString& path, const QString& word) {
    QProcess boxes;
    boxes.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                 QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    if (!boxes.waitForFinished(30000) || boxes.exitCode() != 0)
        return -1;
    const QRegularExpression pattern(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>%1</word>")
                                         .arg(QRegularExpression::escape(word)));
    const QRegularExpressionMatch match =
        pattern.match(QString::fromUtf8(boxes.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}
