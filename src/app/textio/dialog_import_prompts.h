#pragma once

#include "app/textio/import_prompts.h"

class LinkOpener;
class QWidget;

// The import's questions and messages as the program's dialogs and message
// boxes over `window` (may be null). They show the normal cursor while the
// import runs under the wait cursor. `opener` opens a file the user wants to
// look at before answering; it must outlive the prompts.
class DialogImportPrompts : public ImportPrompts {
public:
    DialogImportPrompts(QWidget* window, LinkOpener& opener) : m_window(window), m_opener(opener) {}

    OtherFileChoice askOtherFile(const QString& path) override;
    void showError(std::uint32_t stringId, const QString& name) override;
    void showInformation(std::uint32_t stringId, const QString& name) override;
    void showIoError(std::uint32_t code, const QString& path) override;

private:
    QWidget* m_window;
    LinkOpener& m_opener;
};
