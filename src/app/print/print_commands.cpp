#include "app/print/print_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <array>
#include <new>

#include "app/common/command_actions.h"
#include "app/common/export_formats.h"
#include "app/common/message_box.h"
#include "app/common/pending_items.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/context/selection_source.h"
#include "app/context/window_context.h"
#include "app/print/print_abort_dialog.h"
#include "core/common/error_code.h"
#include "core/common/system_time.h"
#include "core/file/buffered_file.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/settings/command_ids.h"
#include "core/settings/settings.h"
#include "core/strings/message_format.h"
#include "core/textio/text_exporter.h"
#include "platform/qt_font_service.h"
#include "platform/qt_page_printer.h"

using tidemark::ItemId;

namespace {

constexpr std::uint32_t kPrintStartFailed = 20031;
constexpr std::uint32_t kUnstorableLeftOut = 12019;
// Where memory ran out (message 20070).
constexpr std::uint32_t kNoFreeItemId = 8101;
constexpr std::uint32_t kNoMemoryForText = 8102;

using Margins = std::array<std::int32_t, 4>;  // left, top, right, bottom; 1/100 mm

QMarginsF millimetres(const Margins& margins) {
    return QMarginsF(margins[0] / 100.0, margins[1] / 100.0, margins[2] / 100.0,
                     margins[3] / 100.0);
}

Margins hundredthsOfMillimetres(const QMarginsF& margins) {
    return {qRound(margins.left() * 100), qRound(margins.top() * 100),
            qRound(margins.right() * 100), qRound(margins.bottom() * 100)};
}

// Holds the window busy and the feature's one job for the life of a job.
class JobScope {
public:
    JobScope(WindowContext& context, bool& printing) : m_context(context), m_printing(printing) {
        m_printing = true;
        m_context.setBusy(true);
    }
    ~JobScope() {
        m_context.setBusy(false);
        m_printing = false;
    }
    JobScope(const JobScope&) = delete;
    JobScope& operator=(const JobScope&) = delete;

private:
    WindowContext& m_context;
    bool& m_printing;
};

}  // namespace

QString proposedPdfPath(const QString& notePath) {
    if (notePath.isEmpty())
        return QDir::home().filePath(uiText(UiStringId::kNewNoteName) + QStringLiteral(".pdf"));
    const QFileInfo note(notePath);
    return note.dir().filePath(note.completeBaseName() + QStringLiteral(".pdf"));
}

void installPrintCommands(WindowContext& context) {
    auto* commands = new PrintCommands(context, &context.actions());
    commands->registerCommands(context.actions());
}

bool printText(WindowContext& context, const QString& text) {
    auto* commands =
        context.actions().findChild<PrintCommands*>(QString(), Qt::FindDirectChildrenOnly);
    if (!commands)
        commands = new PrintCommands(context, &context.actions());
    return commands->printText(text);
}

PrintCommands::PrintCommands(WindowContext& context, QObject* parent)
    : QObject(parent), m_context(context) {
    setObjectName(QStringLiteral("printCommands"));
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::registerCommands(CommandActions& actions) {
    actions.setHandler(tidemark::kCmdPageSetup, [this] { pageSetup(); });
    actions.setHandler(tidemark::kCmdPrint, [this] { print(); });
}

QPrinter& PrintCommands::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The device is the whole sheet; the margins are the settings' own.
        m_printer->setFullPage(true);
    }
    return *m_printer;
}

bool PrintCommands::pageSetup() {
    if (m_printing)
        return false;
    tidemark::Settings& settings = m_context.settings();
    QPrinter& printer = this->printer();
    printer.setPageMargins(millimetres(settings.PageMargins), QPageLayout::Millimeter);
    QPageSetupDialog dialog(&printer, m_context.dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings.PageMargins =
        hundredthsOfMillimetres(printer.pageLayout().margins(QPageLayout::Millimeter));
    m_context.saveSettings();
    return true;
}

bool PrintCommands::print() {
    return askAndPrint(nullptr);
}

bool PrintCommands::printText(const QString& text) {
    if (m_printing)
        return false;
    QString lost;
    const tidemark::ByteString bytes = fromQString(text, &lost);
    const std::string given(bytes.View());
    const bool printed = askAndPrint(&given);
    // Told once the job is over, after the refresh that ends it.
    if (printed && !lost.isEmpty())
        m_context.showStatusText(uiFormat(kUnstorableLeftOut, {utf8(lost)}), true);
    return printed;
}

bool PrintCommands::askAndPrint(const std::string* given) {
    if (m_printing)
        return false;
    m_context.commitPendingEdits();
    std::vector<ItemId> selected;
    if (!given)
        selected = m_context.selection().targets();

    QPrinter& printer = this->printer();
    // Without a printer the dialog prints to a file: it proposes one beside
    // the note, named after it, until the user chooses another.
    if (printer.outputFileName().isEmpty() && QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(proposedPdfPath(m_context.notePath()));
    // The dialog's printer properties show the stored margins; what they
    // hold when the dialog closes is what this job uses.
    printer.setPageMargins(millimetres(m_context.settings().PageMargins), QPageLayout::Millimeter);
    QPrintDialog dialog(&printer, m_context.dialogParent());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !selected.empty());
    dialog.setPrintRange(selected.empty() ? QAbstractPrintDialog::AllPages
                                          : QAbstractPrintDialog::Selection);
    if (dialog.exec() != QDialog::Accepted)
        return false;

    std::string text;
    if (given) {
        text = *given;
    } else {
        const bool selection = dialog.printRange() == QAbstractPrintDialog::Selection;
        if (!exportText(selection ? &selected : nullptr, text))
            return false;
    }
    return runJob(text);
}

bool PrintCommands::exportText(const std::vector<ItemId>* selected, std::string& text) {
    tidemark::Note& note = m_context.note();
    const tidemark::ExportFormats formats = exportFormatsOf(m_context.settings());
    const auto outOfMemory = [&note](std::uint32_t place) {
        if (note.Host())
            note.Host()->ReportOutOfMemory(place);
        return false;
    };
    try {
        if (!selected) {
            const tidemark::Item* root = note.FindItem(note.RootId());
            text = tidemark::ExportItemsToText(
                note, root ? root->links.firstChild : tidemark::kNoItem, formats);
            return true;
        }
        // The chain of references is let go of as soon as its text is made.
        PendingItems chain(note);
        switch (chain.take(*selected)) {
            case PendingItems::TakeResult::kTaken:
                text = tidemark::ExportItemsToText(note, chain.chain(), formats);
                return true;
            case PendingItems::TakeResult::kNothing:
                // The selected items went while the dialog was open: an empty page.
                text.clear();
                return true;
            case PendingItems::TakeResult::kNoFreeId:
                return outOfMemory(kNoFreeItemId);
        }
    } catch (const std::bad_alloc&) {
        return outOfMemory(kNoMemoryForText);
    }
    return false;
}

bool PrintCommands::runJob(const std::string& text) {
    QPrinter& printer = this->printer();
    const QString file =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    if (!file.isEmpty()) {
        // Made (or emptied) the program's way first, so that a folder that is
        // missing or not writable gives its own code.
        tidemark::BufferedFile out(&m_context.files(), pathToBytes(file));
        std::uint32_t code = out.OpenWrite();
        const std::uint32_t closeCode = out.Close();
        if (code == tidemark::ErrorCode::kSuccess)
            code = closeCode;
        if (code != tidemark::ErrorCode::kSuccess) {
            reportStartFailure(code);
            return false;
        }
    }
    printer.setDocName(m_context.dialogParent()->window()->windowTitle());
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (!file.isEmpty())
            QFile::remove(file);
        reportStartFailure(static_cast<std::uint32_t>(printer.printerState()));
        return false;
    }

    const tidemark::Settings& settings = m_context.settings();
    const QtFontService fonts;
    PrintRequest request;
    request.text = text;
    const QString path = m_context.notePath();
    if (!path.isEmpty())
        request.headings.noteName = QFileInfo(path).completeBaseName().toStdString();
    request.headings.printedAt = tidemark::SystemClock::Instance().Now();
    request.font = settings.PrintFont;
    request.screenDpi = fonts.ScreenDpi();
    request.margins =
        hundredthsOfMillimetres(printer.pageLayout().margins(QPageLayout::Millimeter));
    request.tabWidth = settings.EffectiveTabWidth();

    PrintOutcome outcome = PrintOutcome::kFailed;
    {
        JobScope job(m_context, m_printing);
        PrintAbortDialog abort(m_context.dialogParent());
        abort.show();
        QCoreApplication::processEvents();
        outcome = printPages(painter, printer, request, [&abort](int, int) {
            QCoreApplication::processEvents();
            return !abort.isCancelled();
        });
        if (outcome != PrintOutcome::kPrinted)
            printer.abort();
        painter.end();
    }
    if (outcome != PrintOutcome::kPrinted && !file.isEmpty())
        QFile::remove(file);
    if (outcome == PrintOutcome::kFailed)
        reportStartFailure(static_cast<std::uint32_t>(printer.printerState()));
    return true;
}

void PrintCommands::reportStartFailure(std::uint32_t code) {
    showMessage(
        m_context.dialogParent(), MessageKind::kError,
        uiText(kPrintStartFailed) + QString::fromStdString(tidemark::FormatText("(%d)", {code})));
}
