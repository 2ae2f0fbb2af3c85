#pragma once

#include "core/textio/export_template.h"

namespace tidemark {
class Settings;
}

// The templates of the user's settings (MemoFormat, GroupFormat); an empty
// setting stands for the program's default template. Every text made from
// items (export, clipboard text, dragged files, printing) goes through these.
tidemark::ExportFormats exportFormatsOf(const tidemark::Settings& settings);
