#include "platform/qt_settings_text_source.h"

#include <QStringList>

#include "core/common/cp932_codec.h"
#include "core/strings/string_table.h"

tidemark::ByteString QtSettingsTextSource::Text(std::uint32_t id) const {
    return tidemark::ByteString(tidemark::Utf8ToCp932(tidemark::StringById(id)).bytes);
}

QString programPicture(const QString& qtPicture) {
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < qtPicture.size(); ++i) {
        const QChar c = qtPicture[i];
        if (c == u'\'') {
            quoted = !quoted;
            out += c;
        } else if (quoted) {
            out += c;
        } else if (c == u'A' || c == u'a') {
            if (i + 1 < qtPicture.size() && (qtPicture[i + 1] == u'P' || qtPicture[i + 1] == u'p'))
                ++i;
            out += QStringLiteral("tt");
        } else if (c != u't') {
            out += c;
        }
    }
    return out.trimmed();
}

QString localeShortDatePicture(const QLocale& locale) {
    return programPicture(locale.dateFormat(QLocale::ShortFormat));
}

QString localeShortTimePicture(const QLocale& locale) {
    return programPicture(locale.timeFormat(QLocale::ShortFormat));
}

tidemark::ByteString QtSettingsTextSource::LocaleDateTimeFormat() const {
    tidemark::Cp932Text text = tidemark::Utf8ToCp932(localeDateTimeFormat(m_locale).toStdString());
    // A picture with characters CP932 cannot hold would insert the wrong
    // text; leave the setting empty instead.
    return text.Complete() ? tidemark::ByteString(std::move(text.bytes)) : tidemark::ByteString();
}

QString localeDateTimeFormat(const QLocale& locale) {
    // Qt's long time picture ends with the time zone ("t"), which a date
    // inserted into a memo does not want.
    QStringList time = locale.timeFormat(QLocale::LongFormat).split(QLatin1Char(' '));
    time.removeIf([](const QString& token) {
        return !token.isEmpty() && token.count(QLatin1Char('t')) == token.size();
    });
    return programPicture(locale.dateFormat(QLocale::LongFormat)) + QLatin1Char(' ') +
           programPicture(time.join(QLatin1Char(' ')));
}
