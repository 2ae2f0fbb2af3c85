// tidemark-tool print: the whole note laid out on pages as the program prints it, into a PDF.
#include <QByteArray>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/common/error_code.h"
#include "core/common/system_time.h"
#include "core/file/buffered_file.h"
#include "core/file/io_error_message.h"
#include "core/model/item.h"
#include "core/settings/settings.h"
#include "core/textio/text_exporter.h"
#include "platform/posix/posix_file_system.h"
#include "platform/qt_font_service.h"
#include "platform/qt_page_printer.h"
#include "platform/qt_settings_text_source.h"
#include "tool_command.h"
#include "tool_note_io.h"

namespace tidemark::tool {
namespace {

// Makes (or empties) the output file the program's way, so that a folder that is missing or
// not writable is told in the user's words before any work is done. 0 or the error code.
std::uint32_t PrepareOutput(const std::string& path) {
    PosixFileSystem files;
    BufferedFile file(&files, path);
    const std::uint32_t code = file.OpenWrite();
    const std::uint32_t closeCode = file.Close();
    return code != ErrorCode::kSuccess ? code : closeCode;
}

}  // namespace

int RunPrint(const ToolArguments& args) {
    if (args.positional.size() != 2)
        throw UsageError{"print takes NOTE and OUT"};
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];

    Note note;
    try {
        LoadNoteFile(note, in);
    } catch (const IoError& e) {
        std::fprintf(stderr, "%s\n", IoErrorMessage(e.Code(), in).c_str());
        return kExitFailed;
    }
    if (!args.passwords.empty())
        UnlockWithPasswords(note, args.passwords);
    const Item* root = note.FindItem(note.RootId());
    const std::string text =
        ExportItemsToText(note, root ? root->links.firstChild : kNoItem, ExportFormats::Defaults());

    if (const std::uint32_t code = PrepareOutput(out); code != ErrorCode::kSuccess) {
        std::fprintf(stderr, "%s\n", IoErrorMessage(code, out).c_str());
        return kExitFailed;
    }

    // Fonts need a GUI application; without a display it runs on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "tidemark-tool";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    // The settings of a user who changed nothing: the print font, margins and tab width of a
    // first run.
    QtFontService fonts;
    Settings settings;
    settings.ApplyEmptyDefaults(fonts, QtSettingsTextSource());

    PrintRequest request;
    request.text = text;
    request.headings.noteName = std::filesystem::path(in).stem().string();
    request.headings.printedAt = SystemClock::Instance().Now();
    request.font = settings.PrintFont;
    request.screenDpi = fonts.ScreenDpi();
    request.margins = settings.PageMargins;
    request.tabWidth = settings.EffectiveTabWidth();

    PrintOutcome outcome = PrintOutcome::kFailed;
    {
        QPdfWriter writer(QString::fromStdString(out));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromStdString(request.headings.noteName));
        writer.setCreator(QStringLiteral("Tidemark"));
        QPainter painter;
        if (painter.begin(&writer)) {
            outcome = printPages(painter, writer, request, {});
            painter.end();
        }
    }
    if (outcome != PrintOutcome::kPrinted) {
        std::filesystem::remove(out);
        std::fprintf(stderr, "tidemark-tool: could not write the PDF file %s\n", out.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tidemark::tool
