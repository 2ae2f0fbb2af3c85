#pragma once

#include <QLocale>
#include <QString>

#include "core/settings/settings_text_source.h"

// The texts of the settings' empty defaults from the program's string table
// and the user's locale, in CP932.
class QtSettingsTextSource : public tidemark::SettingsTextSource {
public:
    explicit QtSettingsTextSource(QLocale locale = QLocale::system()) : m_locale(locale) {}

    tidemark::ByteString Text(std::uint32_t id) const override;
    tidemark::ByteString LocaleDateTimeFormat() const override;

private:
    QLocale m_locale;
};

// The locale's long date picture and its long time picture without the time
// zone, joined by one space: the picture the insert-date-and-time command
// starts from (QDateTime::toString syntax).
QString localeDateTimeFormat(const QLocale& locale);

// A QDateTime::toString picture in the program's picture syntax
// (core/common/time_text.h): Qt's AM/PM letters become "tt", its time zone
// letters are left out, everything else means the same in both.
QString programPicture(const QString& qtPicture);

// The locale's short date picture and its short time picture, in the
// program's syntax: what %m of the export templates shows.
QString localeShortDatePicture(const QLocale& locale);
QString localeShortTimePicture(const QLocale& locale);
