#include "platform/qt_settings_text_source.h"

#include <gtest/gtest.h>

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

}  // namespace
