#pragma once

#include "core/model/item_id.h"

class Application;
class GroupContentList;
class ListPanes;
class MainWindow;
class MemoList;
class MemoTextView;
class QComboBox;

namespace tidemark {
class Note;
}

// What the parts of the lists' work (navigation, renaming, row updates)
// share: the window's panes and the services of the ListPanes that
// coordinates them. A part lives inside its ListPanes and never outlives it.
class ListPanesPart {
protected:
    explicit ListPanesPart(ListPanes& lists);
    ~ListPanesPart() = default;

    tidemark::Note& note() const;
    bool alternateLayout() const;
    bool readOnly() const;

    // The coordinator's services (see ListPanes).
    void showMemo(tidemark::ItemId memo);
    void closeMemo();
    void refillMemoList();
    void refillGroupList();
    void refreshPathBox();
    void scheduleStatus();
    bool toggleExpansion(tidemark::ItemId group);
    bool revealAndSelect(tidemark::ItemId item, bool exclusive);

    ListPanes& m_lists;
    Application& m_app;
    MainWindow& m_window;
    MemoList& m_memoList;
    GroupContentList& m_groupList;
    MemoTextView& m_text;
    QComboBox& m_pathBox;
};
