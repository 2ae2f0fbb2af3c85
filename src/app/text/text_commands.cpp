#include "app/text/text_commands.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>

#include "app/edit/edit_focus.h"
#include "app/frame/application.h"
#include "app/frame/command_actions.h"
#include "app/frame/main_window.h"
#include "app/frame/note_file_dialogs.h"
#include "app/frame/pane_area.h"
#include "app/list/group_content_list.h"
#include "app/list/memo_list.h"
#include "app/qt_text.h"
#include "app/text/memo_links.h"
#include "app/text/memo_text_view.h"
#include "app/text/text_insertion.h"
#include "app/ui_strings.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/settings/settings.h"

namespace {

using tidemark::ItemId;

constexpr std::uint32_t kChooseFileTitle = 10032;
constexpr std::uint32_t kAllFilesFilter = 10009;
constexpr std::uint32_t kBlankStatus = 12001;
constexpr std::uint32_t kCannotOpen = 12010;
constexpr std::uint32_t kNoLink = 12011;
constexpr std::uint32_t kOpening = 12012;
constexpr std::uint32_t kNoRemarksLink = 12016;

}  // namespace

void installTextCommands(Application& app, CommandActions& actions) {
    auto* commands = new TextCommands(app, app.window());
    commands->registerCommands(actions);
}

void TextCommands::registerCommands(CommandActions& actions) {
    actions.setHandler(
        tidemark::kCmdInsertDateTime, [this] { insertDateTime(); },
        [this] { return CommandState{canInsert()}; });
    actions.setHandler(
        tidemark::kCmdInsertFileName, [this] { insertFileName(); },
        [this] { return CommandState{canInsert()}; });
    actions.setHandler(
        tidemark::kCmdOpenLink, [this] { openLink(); },
        [this] {
            const tidemark::Item* item =
                m_app.window() ? m_app.note().FindItem(linkTarget()) : nullptr;
            return CommandState{item && (item->IsBodyLink() || item->IsRemarksLink())};
        });
}

ItemId TextCommands::linkTarget() const {
    const MainWindow& window = *m_app.window();
    if (window.focusedPane() == FocusPane::kGroupList)
        return window.panes()->groupList()->focusedItem();
    return window.panes()->memoList()->focusedItem();
}

MemoTextView& TextCommands::view() const {
    return *m_app.window()->panes()->memoText();
}

bool TextCommands::textHasFocus() const {
    return m_app.window() && editFocusOf(*m_app.window()).kind == EditFocus::Kind::kText;
}

QLineEdit* TextCommands::focusedLineEdit() const {
    return m_app.window() ? editFocusOf(*m_app.window()).field : nullptr;
}

bool TextCommands::canInsert() const {
    return !m_app.IsReadOnly() && (textHasFocus() || focusedLineEdit());
}

void TextCommands::insertIntoFocus(const QString& text, QLineEdit* box, bool intoText) {
    if (intoText) {
        view().insertPlain(text);
    } else if (box) {
        box->insert(text);
    }
}

void TextCommands::insertDateTime() {
    if (!canInsert())
        return;
    insertIntoFocus(view().dateTimeNow(), focusedLineEdit(), textHasFocus());
}

void TextCommands::insertFileName() {
    if (!canInsert())
        return;
    // The dialog takes the focus for a while; the text goes where it was.
    const bool intoText = textHasFocus();
    const QPointer<QLineEdit> box = focusedLineEdit();
    QPointer<QWidget> focus = QApplication::focusWidget();
    QFileDialog dialog(m_app.window());
    dialog.setObjectName(QStringLiteral("insertFileNameDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(uiText(kChooseFileTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(fileDialogFilters(kAllFilesFilter));
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
    if (!chosen)
        return;
    insertIntoFocus(fileNameText(dialog.selectedFiles().first(), view().fileNameTemplate()), box,
                    intoText);
}

void TextCommands::openLink() {
    if (m_app.window())
        openLinkOf(linkTarget());
}

void TextCommands::openLinkOf(ItemId memoId) {
    tidemark::Note& note = m_app.note();
    const tidemark::Item* item = note.FindItem(memoId);
    if (!item || !item->IsMemo() || !m_app.window())
        return;
    MemoTextView& pane = view();
    if (pane.openMemo() == memoId)
        pane.commitEdits();
    QString link;
    std::uint32_t nothingToOpen = 0;
    if (item->IsBodyLink()) {
        link = firstLineOf(toQString(static_cast<const tidemark::Memo&>(*item).Body()));
        nothingToOpen = kNoLink;
    } else if (item->IsRemarksLink()) {
        link = toQString(item->Remarks());
        nothingToOpen = kNoRemarksLink;
    } else {
        return;
    }
    link = trimLinkText(link);
    if (link.isEmpty()) {
        pane.showNotice(MemoTextView::Notice::kFailure, uiText(nothingToOpen));
        QApplication::beep();
        return;
    }
    link = completeLinkTarget(link);
    pane.showNotice(MemoTextView::Notice::kPlain, uiFormat(kOpening, {utf8(link)}));
    if (pane.linkOpener().openLink(link)) {
        pane.showNotice(MemoTextView::Notice::kPlain, uiText(kBlankStatus));
    } else {
        pane.showNotice(MemoTextView::Notice::kFailure, uiFormat(kCannotOpen, {utf8(link)}));
        QApplication::beep();
    }
}
