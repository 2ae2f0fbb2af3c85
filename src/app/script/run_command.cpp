#include "app/script/run_command.h"

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QString trimBlanks(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

}  // namespace

bool RunCommand::isUrl() const {
    return file.startsWith(QStringLiteral("mailto:")) || file.startsWith(QStringLiteral("http:"));
}

QString RunCommand::unquotedFile() const {
    QString name = file;
    if (name.startsWith(u'"'))
        name.remove(0, 1);
    if (name.endsWith(u'"'))
        name.chop(1);
    return name;
}

RunCommand splitRunCommand(const QString& command) {
    RunCommand parts;
    // Only a command that begins with a quote has a quoted part.
    bool quoted = command.startsWith(u'"');
    qsizetype end = command.size();
    for (qsizetype i = quoted ? 1 : 0; i < command.size(); ++i) {
        if (quoted) {
            if (command[i] == u'"')
                quoted = false;
            continue;
        }
        if (isBlank(command[i])) {
            end = i;
            break;
        }
    }
    parts.file = trimBlanks(command.left(end));
    if (end < command.size()) {
        parts.hasParameters = true;
        parts.parameters = trimBlanks(command.mid(end + 1));
    }
    return parts;
}
