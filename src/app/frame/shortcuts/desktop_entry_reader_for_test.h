#pragma once

// Reading a desktop entry back the way a desktop does, written from the
// Desktop Entry rules rather than from the writer, so that tests can check
// what a launcher would start.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// The keys of the "[Desktop Entry]" group with their raw values.
inline QMap<QString, QString> desktopEntryKeys(const QByteArray& file) {
    QMap<QString, QString> keys;
    bool inGroup = false;
    for (const QString& line : QString::fromUtf8(file).split(u'\n')) {
        if (line.startsWith(u'[')) {
            inGroup = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inGroup && equals > 0)
            keys.insert(line.left(equals).trimmed(), line.mid(equals + 1));
    }
    return keys;
}

// A string value without its escapes (\s \n \t \r \\).
inline QString unescapedEntryValue(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) != u'\\' || i + 1 == value.size()) {
            out += value.at(i);
            continue;
        }
        const QChar next = value.at(++i);
        if (next == u's')
            out += u' ';
        else if (next == u'n')
            out += u'\n';
        else if (next == u't')
            out += u'\t';
        else if (next == u'r')
            out += u'\r';
        else if (next == u'\\')
            out += u'\\';
        else
            out += QString(u'\\') + next;  // not an escape of string values
    }
    return out;
}

// The arguments of an Exec value: the string escapes undone, split at blanks
// outside double quotes, backslash escapes inside them undone, then "%%"
// read as "%". A field code other than "%%" is left as it is.
inline QStringList execArguments(const QString& execValue) {
    const QString exec = unescapedEntryValue(execValue);
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == u'\\' && i + 1 < exec.size()) {
                current += exec.at(++i);
            } else if (c == u'"') {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == u' ') {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else if (c == u'"') {
            quoted = true;
            inArgument = true;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments << current;
    for (QString& argument : arguments)
        argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return arguments;
}
