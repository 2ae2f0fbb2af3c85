#include "app/common/export_formats.h"

#include "core/settings/settings.h"

using tidemark::ExportFormats;
using tidemark::ExportTemplate;

ExportFormats exportFormatsOf(const tidemark::Settings& settings) {
    ExportFormats formats = ExportFormats::Defaults();
    if (!settings.MemoFormat.Empty())
        formats.memo = ExportTemplate(settings.MemoFormat.View());
    if (!settings.GroupFormat.Empty())
        formats.group = ExportTemplate(settings.GroupFormat.View());
    return formats;
}
