#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "core/model/item_id.h"

class CommandActions;
class QPrinter;
class WindowContext;

// The printing of a window: "ページ設定(&U)..." (40058) and "印刷(&P)..."
// (40059), and the printing of a given text for scripts.
//
// One printer is kept from the first page setup or print until the
// application ends, so that the paper and printer chosen stay for the
// process; the margins live in the settings (PageMargins, hundredths of a
// millimetre). The text printed is the export of the note, or of the
// selected items with their descendants, through the memo and memo group
// templates; its pages are laid out as tidemark::PageLayout describes and
// go to the printer one by one while the window is busy and the abort
// window offers Cancel. One job at a time; GUI thread only.
class PrintCommands : public QObject {
    Q_OBJECT
public:
    PrintCommands(WindowContext& context, QObject* parent);
    ~PrintCommands() override;

    void registerCommands(CommandActions& actions);

    // The page setup dialog; true when the user confirmed it.
    bool pageSetup();
    // The print dialog, then the note or, with Selection chosen, the
    // selection. True when printing ran (a job cancelled on the way
    // included); false when the dialog was cancelled, printing could not
    // start, or a job is running already.
    bool print();
    // As print(), for `text` instead of the note, without the Selection
    // choice. Characters the note's encoding cannot hold are left out and
    // named in the status bar.
    bool printText(const QString& text);

    bool isPrinting() const { return m_printing; }

private:
    QPrinter& printer();
    bool askAndPrint(const std::string* given);
    // The export of the note, or of `selected` with their descendants;
    // false (reported) when it could not be made.
    bool exportText(const std::vector<tidemark::ItemId>* selected, std::string& text);
    bool runJob(const std::string& text);
    void reportStartFailure(std::uint32_t code);

    WindowContext& m_context;
    std::unique_ptr<QPrinter> m_printer;
    bool m_printing = false;
};

// Makes the printing of a window and registers its commands with the
// window's actions; it lives as long as they do.
void installPrintCommands(WindowContext& context);

// The PDF file the print dialog proposes when there is no printer: the note's
// path with ".pdf" for its extension, or "新しいノート.pdf" (10002) in the home
// folder for a note never saved.
QString proposedPdfPath(const QString& notePath);

// Prints `text` the way the print command prints a note: the print dialog,
// then the pages. True when printing ran. For scripts; GUI thread only.
bool printText(WindowContext& context, const QString& text);
