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
