#include "platform/qt_settings_text_source.h"

#include <gtest/gtest.h>

#include "core/common/cp932_codec.h"
#include "core/common/time_text.h"
#include "core/settings/settings.h"

namespace {

TEST(QtSettingsTextSourceTest, GivesStringTableTextsInCp932) {
    QtSettingsTextSource texts;
    // "ＭＳ Ｐゴシック"
    EXPECT_EQ(texts.Text(tidemark::SettingsStringId::kEditFace),
              tidemark::ByteString("\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e"));
    EXPECT_EQ(texts.Text(tidemark::SettingsStringId::kImportExtensions),
              tidemark::ByteString("txt;htm;html"));
    EXPECT_TRUE(texts.Text(1).Empty());
}

TEST(QtSettingsTextSourceTest, DateTimePictureIsTheLocalesLongDateAndTimeWithoutZone) {
    QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QString picture = localeDateTimeFormat(japanese);
    EXPECT_TRUE(picture.startsWith(japanese.dateFormat(QLocale::LongFormat) + QLatin1Char(' ')))
        << picture.toStdString();
    EXPECT_FALSE(picture.endsWith(QLatin1Char('t'))) << picture.toStdString();
    EXPECT_TRUE(picture.contains(QStringLiteral("ss"))) << picture.toStdString();

    tidemark::ByteString stored = QtSettingsTextSource(japanese).LocaleDateTimeFormat();
    EXPECT_FALSE(stored.Empty());
    EXPECT_EQ(localeDateTimeFormat(QLocale::c()), QStringLiteral("dddd, d MMMM yyyy HH:mm:ss"));
}

TEST(QtSettingsTextSourceTest, QtPicturesBecomeTheProgramsPictures) {
    const struct {
        const char* qt;
        const char* program;
    } cases[] = {
        {"h:mm:ss AP", "h:mm:ss tt"}, {"h:mm ap", "h:mm tt"},
        {"a h:mm", "tt h:mm"},        {"HH:mm:ss t", "HH:mm:ss"},
        {"'at' h:mm", "'at' h:mm"},   {"dddd, MMMM d, yyyy", "dddd, MMMM d, yyyy"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(programPicture(QString::fromUtf8(c.qt)), QString::fromUtf8(c.program)) << c.qt;
}

TEST(QtSettingsTextSourceTest, AnEnglishLocalesPicturesGiveTheMorningOrAfternoonWord) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    tidemark::SystemTime time{};
    time.year = 2004;
    time.month = 5;
    time.day = 6;
    time.hour = 13;
    time.minute = 45;
    time.second = 7;
    const auto expand = [&](const QString& picture) {
        const std::string cp932 = tidemark::Utf8ToCp932(picture.toStdString()).bytes;
        const std::string text =
            tidemark::FormatTimePicture(time, tidemark::FormatDatePicture(time, cp932));
        return QString::fromStdString(tidemark::Cp932ToUtf8(text));
    };
    const QString inserted = expand(localeDateTimeFormat(english));
    EXPECT_TRUE(inserted.endsWith(QStringLiteral("1:45:07 午後"))) << inserted.toStdString();
    EXPECT_EQ(expand(localeShortDatePicture(english)), QStringLiteral("5/6/04"));
    EXPECT_EQ(expand(localeShortTimePicture(english)), QStringLiteral("1:45 午後"));
}

}  // namespace
