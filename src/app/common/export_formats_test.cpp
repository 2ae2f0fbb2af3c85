#include "app/common/export_formats.h"

#include <gtest/gtest.h>

#include <QLocale>

#include "core/settings/settings.h"

namespace {

// The locale is process-wide; each test puts back the one it found.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

TEST(ExportFormats, TheModifiedTimeUsesTheLocalesShortDateAndTime) {
    const tidemark::Settings settings;
    const struct {
        QLocale locale;
        std::string date;
        std::string time;
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), "M/d/yy", "h:mm tt"},
        {QLocale(QLocale::German, QLocale::Germany), "dd.MM.yy", "HH:mm"},
    };
    for (const auto& c : cases) {
        LocaleScope scope(c.locale);
        const tidemark::ExportFormats formats = exportFormatsOf(settings);
        EXPECT_EQ(formats.datePicture, c.date) << c.locale.name().toStdString();
        EXPECT_EQ(formats.timePicture, c.time) << c.locale.name().toStdString();
    }
}

}  // namespace
