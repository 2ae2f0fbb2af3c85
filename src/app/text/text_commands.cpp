#include "app/text/text_commands.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>

#include "app/common/command_actions.h"
#include "app/common/file_dialog_filters.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/context/selection_source.h"
#include "app/context/window_context.h"
#include "app/text/memo_links.h"
#include "app/text/memo_text_view.h"
#include "app/text/text_insertion.h"
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

void installTextCommands(WindowContext& context, MemoTextView& view) {
    auto* commands = new TextCommands(context, view, &view);
    commands->registerCommands(context.actions());
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
            const tidemark::Item* item = m_context.note().FindItem(linkTarget());
            return CommandState{item && (item->IsBodyLink() || item->IsRemarksLink())};
        });
}

ItemId TextCommands::linkTarget() const {
    const SelectionSource& lists = m_context.selection();
    return lists.groupListIsFocusWindow() ? lists.groupListFocused() : lists.memoListFocused();
}

MemoTextView& TextCommands::view() const {
    return m_view;
}

bool TextCommands::textHasFocus() const {
    return m_context.editFocus().kind == EditFocus::Kind::kText;
}

QLineEdit* TextCommands::focusedLineEdit() const {
    return m_context.editFocus().field;
}

bool TextCommands::canInsert() const {
    return !m_context.isReadOnly() && (textHasFocus() || focusedLineEdit());
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
    QFileDialog dialog(m_context.dialogParent());
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
    openLinkOf(linkTarget());
}

void TextCommands::openLinkOf(ItemId memoId) {
    tidemark::Note& note = m_context.note();
    const tidemark::Item* item = note.FindItem(memoId);
    if (!item || !item->IsMemo())
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
