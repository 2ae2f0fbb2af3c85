#include "app/common/export_formats.h"

#include <QLocale>

#include "core/common/cp932_codec.h"
#include "core/settings/settings.h"
#include "platform/qt_settings_text_source.h"

using tidemark::ExportFormats;
using tidemark::ExportTemplate;

namespace {

// `picture` in CP932; `fallback` when it holds a character CP932 has not.
std::string cp932Picture(const QString& picture, const std::string& fallback) {
    tidemark::Cp932Text text = tidemark::Utf8ToCp932(picture.toStdString());
    return text.Complete() && !text.bytes.empty() ? std::string(text.bytes) : fallback;
}

}  // namespace

ExportFormats exportFormatsOf(const tidemark::Settings& settings) {
    ExportFormats formats = ExportFormats::Defaults();
    if (!settings.MemoFormat.Empty())
        formats.memo = ExportTemplate(settings.MemoFormat.View());
    if (!settings.GroupFormat.Empty())
        formats.group = ExportTemplate(settings.GroupFormat.View());
    const QLocale locale;  // the user's, unless the program set another
    if (locale.language() == QLocale::C)
        return formats;  // no locale chosen: the lists' pictures
    formats.datePicture = cp932Picture(localeShortDatePicture(locale), formats.datePicture);
    formats.timePicture = cp932Picture(localeShortTimePicture(locale), formats.timePicture);
    return formats;
}
