#include "app/edit/edit_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include "app/edit/item_clipboard.h"
#include "app/edit/item_commands.h"

#include "app/common/command_actions.h"
#include "app/context/window_context.h"
#include "core/model/note.h"

using namespace tidemark;
using Kind = EditFocus::Kind;

EditCommands::EditCommands(WindowContext& context, ItemCommands& items, ItemClipboard& clipboard,
                           QObject* parent)
    : QObject(parent), m_context(context), m_items(items), m_clipboard(clipboard) {
    QPlainTextEdit* text = &context.memoTextPane();
    for (auto signal : {&QPlainTextEdit::copyAvailable, &QPlainTextEdit::undoAvailable,
                        &QPlainTextEdit::redoAvailable}) {
        connect(text, signal, this, &EditCommands::scheduleUpdate);
    }
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &EditCommands::scheduleUpdate);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { watchField(now); });
}

void EditCommands::registerCommands(CommandActions& actions) {
    actions.setHandler(
        kCmdUndo, [this] { undo(); }, [this] { return undoState(); });
    actions.setHandler(
        kCmdRedo, [this] { redo(); }, [this] { return redoState(); });
    actions.setHandler(
        kCmdCut, [this] { cut(); }, [this] { return takeState(true); });
    actions.setHandler(
        kCmdCopy, [this] { copy(); }, [this] { return takeState(false); });
    actions.setHandler(
        kCmdPaste, [this] { paste(); }, [this] { return pasteState(); });
    actions.setHandler(
        kCmdPasteBefore, [this] { pasteBefore(); },
        [this] { return listPasteState(Placement::kBeside, Placement::kBefore); });
    actions.setHandler(
        kCmdPasteInside, [this] { pasteInside(); },
        [this] { return listPasteState(Placement::kInside, Placement::kAfter); });
    actions.setHandler(
        kCmdDelete, [this] { deleteSelection(); }, [this] { return deleteState(); });
    actions.setHandler(kCmdSelectAll, [this] { selectAll(); });
}

EditFocus EditCommands::focus() const {
    return m_context.editFocus();
}

bool EditCommands::readOnly() const {
    return m_context.isReadOnly();
}

bool EditCommands::clipboardHasText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() && !m_clipboard.hidesClipboardText();
}

CommandState EditCommands::undoState() const {
    const EditFocus at = focus();
    switch (at.kind) {
        case Kind::kField:
            return {!readOnly() && at.field->isUndoAvailable()};
        case Kind::kText:
            return {!readOnly() && at.text->document()->isUndoAvailable()};
        default:
            return {false};
    }
}

CommandState EditCommands::redoState() const {
    const EditFocus at = focus();
    return {at.kind == Kind::kText && !readOnly() && at.text->document()->isRedoAvailable()};
}

CommandState EditCommands::takeState(bool removes) const {
    const EditFocus at = focus();
    const bool allowed = !removes || !readOnly();
    switch (at.kind) {
        case Kind::kList:
            return {removes ? m_clipboard.canCut() : m_clipboard.canCopy()};
        case Kind::kField:
            return {allowed && at.field->hasSelectedText()};
        case Kind::kText:
            return {allowed && at.text->textCursor().hasSelection()};
        default:
            return {false};
    }
}

CommandState EditCommands::deleteState() const {
    const EditFocus at = focus();
    if (at.kind == Kind::kList)
        return {!readOnly() && at.list->selectionModel() &&
                at.list->selectionModel()->hasSelection()};
    return takeState(true);
}

CommandState EditCommands::pasteState() const {
    const Kind kind = focus().kind;
    if (kind == Kind::kList)
        return {m_clipboard.canPaste(Placement::kBeside, Placement::kAfter)};
    return {(kind == Kind::kField || kind == Kind::kText) && !readOnly() && clipboardHasText()};
}

CommandState EditCommands::listPasteState(int relation, int order) const {
    return {focus().kind == Kind::kList && m_clipboard.canPaste(relation, order)};
}

void EditCommands::undo() {
    const EditFocus at = focus();
    if (at.kind == Kind::kField) {
        at.field->undo();
    } else if (at.kind == Kind::kText) {
        at.text->undo();
    }
}

void EditCommands::redo() {
    const EditFocus at = focus();
    if (at.kind == Kind::kText)
        at.text->redo();
}

void EditCommands::cut() {
    const EditFocus at = focus();
    if (at.kind == Kind::kField) {
        at.field->cut();
    } else if (at.kind == Kind::kText) {
        at.text->cut();
    } else if (at.kind == Kind::kList) {
        m_clipboard.cut();
    }
}

void EditCommands::copy() {
    const EditFocus at = focus();
    if (at.kind == Kind::kField) {
        at.field->copy();
    } else if (at.kind == Kind::kText) {
        at.text->copy();
    } else if (at.kind == Kind::kList) {
        m_clipboard.copy();
    }
}

void EditCommands::paste() {
    const EditFocus at = focus();
    if (at.kind == Kind::kField) {
        at.field->paste();
    } else if (at.kind == Kind::kText) {
        at.text->paste();
    } else if (at.kind == Kind::kList) {
        m_clipboard.paste(Placement::kBeside, Placement::kAfter);
    }
}

void EditCommands::pasteBefore() {
    if (focus().kind == Kind::kList)
        m_clipboard.paste(Placement::kBeside, Placement::kBefore);
}

void EditCommands::pasteInside() {
    if (focus().kind == Kind::kList)
        m_clipboard.paste(Placement::kInside, Placement::kAfter);
}

void EditCommands::deleteSelection() {
    const EditFocus at = focus();
    switch (at.kind) {
        case Kind::kField:
            if (at.field->hasSelectedText())
                at.field->del();
            break;
        case Kind::kText: {
            QTextCursor cursor = at.text->textCursor();
            cursor.removeSelectedText();
            at.text->setTextCursor(cursor);
            break;
        }
        case Kind::kList:
            // A pending cut ends with the delete, whatever it held.
            m_clipboard.cancelCut();
            m_items.deleteSelection();
            break;
        case Kind::kNone:
            break;
    }
}

void EditCommands::selectAll() {
    const EditFocus at = focus();
    switch (at.kind) {
        case Kind::kField:
            at.field->selectAll();
            break;
        case Kind::kText:
            at.text->selectAll();
            break;
        case Kind::kList:
            at.list->selectAll();
            break;
        case Kind::kNone:
            break;
    }
}

void EditCommands::scheduleUpdate() {
    if (m_updatePending)
        return;
    m_updatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_updatePending = false;
        m_context.updateActions();
    });
}

void EditCommands::watchField(QWidget* now) {
    if (m_watchedField)
        disconnect(m_watchedField, nullptr, this, nullptr);
    m_watchedField = nullptr;
    if (!now)
        return;
    QLineEdit* field = m_context.editFocus().field;
    if (!field)
        return;
    m_watchedField = field;
    connect(field, &QLineEdit::selectionChanged, this, &EditCommands::scheduleUpdate);
}
