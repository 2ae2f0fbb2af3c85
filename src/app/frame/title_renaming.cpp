#include "app/frame/title_renaming.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "app/common/command_actions.h"
#include "app/frame/application.h"
#include "app/common/message_box.h"
#include "app/common/qt_text.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/frame/path_box_filler.h"
#include "app/list/group_content_list.h"
#include "app/list/list_texts.h"
#include "app/list/memo_list.h"
#include "app/text/memo_text_view.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"

using tidemark::Item;
using tidemark::ItemId;
using tidemark::kNoItem;
using tidemark::Note;
using namespace tidemark;  // the command identifiers

void TitleRenaming::registerCommands(CommandActions& actions) {
    actions.setHandler(
        kCmdEditTitle, [this] { editTitle(); },
        [this] {
            const MemoRowsView& list = m_lists.focusWindow() == FocusWindow::kGroupList
                                           ? static_cast<const MemoRowsView&>(m_groupList)
                                           : static_cast<const MemoRowsView&>(m_memoList);
            return CommandState{list.focusedItem() != kNoItem};
        });
}

void TitleRenaming::editTitle() {
    m_text.commitEdits();
    if (alternateLayout() && m_text.holdsMemo()) {
        if (m_pathBox.isVisible()) {
            m_pathBox.setFocus();
            if (QLineEdit* field = m_pathBox.lineEdit())
                field->selectAll();
        } else {
            closeMemo();
            m_window.panes()->relayout();
            m_memoList.setFocus();
        }
        return;
    }
    if (m_lists.focusWindow() == FocusWindow::kGroupList && m_groupList.isEnabled() &&
        m_groupList.focusedItem() != kNoItem) {
        m_groupList.setFocus();
        m_groupList.editFocusedTitle();
        return;
    }
    m_memoList.setFocus();
    m_memoList.editFocusedTitle();
}

void TitleRenaming::applyTitle(ItemId id, const QString& text) {
    Item* item = note().FindItem(id);
    if (!item || readOnly())
        return;
    QString lost;
    tidemark::ByteString title = fromQString(text, &lost);
    if (!lost.isEmpty()) {
        // Not from inside the closing edit box.
        QTimer::singleShot(0, &m_window, [this, lost] {
            showMessage(&m_window, MessageKind::kInformation, listText("title.lost").arg(lost));
        });
    }
    if (item->Title() == title)
        return;
    item->SetRawTitle(std::move(title));
    m_memoList.treeModel()->itemChanged(id);
    m_groupList.contentModel()->itemChanged(id);
    refreshPathBox();
    if (tidemark::NoteHost* host = note().Host())
        host->SetModified(true, true);
    scheduleStatus();
}

void TitleRenaming::pathBoxEdited() {
    if (QLineEdit* field = m_pathBox.lineEdit())
        field->setModified(false);
    const ItemId focused = m_memoList.focusedItem();
    const Item* item = note().FindItem(focused);
    const QString text = m_pathBox.currentText();
    if (!item || readOnly() || text == toQString(item->Title())) {
        refreshPathBox();
        return;
    }
    applyTitle(focused, text);
    // The renamed item shown again, as after any change of the current item.
    revealAndSelect(focused, false);
    refreshPathBox();
}

void TitleRenaming::commitPathBox() {
    if (QLineEdit* field = m_pathBox.lineEdit(); field && field->isModified())
        pathBoxEdited();
}
