#pragma once

#include <functional>

#include "app/edit/edit_prompts.h"
#include "core/model/group_lock_commands.h"

class QWidget;

// The item commands' questions answered with the program's dialogs and
// message boxes, over `window` (may be null).
class DialogEditPrompts : public EditPrompts, public tidemark::LockDialogs {
public:
    explicit DialogEditPrompts(QWidget* window) : m_window(window) {}
    // What the dialogs' help buttons call with their help topic.
    void setHelpOpener(std::function<void(int topic)> opener) { m_openHelp = std::move(opener); }

    bool confirmDelete() override;
    void showError(std::uint32_t stringId, const QString& name) override;
    void showInformation(std::uint32_t stringId, const QString& name) override;
    std::optional<tidemark::Colour> chooseColour(std::optional<tidemark::Colour> initial,
                                                 std::array<tidemark::Colour, 16>& custom) override;
    bool chooseSort(const QString& groupTitle, const QString& remarksCaption,
                    SortChoice& choice) override;
    std::optional<QString> editRemarks(const QString& current) override;
    std::optional<QString> editCaption(const QString& current) override;

    // LockDialogs
    std::optional<tidemark::ByteString> AskPassword(const tidemark::ByteString& groupTitle,
                                                    bool confirm) override;
    void ShowMessage(std::uint32_t stringId, const tidemark::ByteString& name) override;

private:
    QWidget* m_window;
    std::function<void(int)> m_openHelp;
};
