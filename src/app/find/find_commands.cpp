#include "app/find/find_commands.h"

#include <QApplication>
#include <QTextCursor>

#include "app/frame/application.h"
#include "app/frame/command_actions.h"
#include "app/frame/file_commands.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/list/list_panes.h"
#include "app/list/memo_list.h"
#include "app/qt_text.h"
#include "app/text/memo_text_view.h"
#include "app/ui_strings.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/search/note_search.h"
#include "core/search/pane_position.h"
#include "core/settings/command_ids.h"
#include "core/settings/settings.h"

namespace {

using tidemark::Item;
using tidemark::ItemId;
using tidemark::SearchHit;
using tidemark::SearchOptions;
using tidemark::SearchPlace;

constexpr std::uint32_t kNotFound = 12014;
constexpr std::uint32_t kRootTitle = 10005;

// The prefilled search text: at most this many characters of the selection.
constexpr int kPrefillChars = 255;

}  // namespace

void installFindCommands(Application& app, CommandActions& actions) {
    auto* commands = new FindCommands(app, app.window());
    commands->registerCommands(actions);
}

FindCommands::FindCommands(Application& app, QObject* parent) : QObject(parent), m_app(app) {
    setObjectName(QStringLiteral("findCommands"));
}

FindCommands::~FindCommands() = default;

void FindCommands::registerCommands(CommandActions& actions) {
    const auto rule = [this] { return CommandState{canFind()}; };
    actions.setHandler(
        tidemark::kCmdFindDown, [this] { find(FindDirection::kDown, true); }, rule);
    actions.setHandler(
        tidemark::kCmdFindUp, [this] { find(FindDirection::kUp, true); }, rule);
    actions.setHandler(
        tidemark::kCmdFindNextDown, [this] { find(FindDirection::kDown, false); }, rule);
    actions.setHandler(
        tidemark::kCmdFindNextUp, [this] { find(FindDirection::kUp, false); }, rule);
}

ItemId FindCommands::focusedItem() const {
    const MainWindow* window = m_app.window();
    if (!window || !window->lists())
        return tidemark::kNoItem;
    const ItemId focused = window->lists()->memoListFocused();
    return m_app.note().FindItem(focused) ? focused : tidemark::kNoItem;
}

bool FindCommands::canFind() const {
    return focusedItem() != tidemark::kNoItem;
}

FindState& FindCommands::ensureState() {
    if (!m_state)
        m_state = std::make_unique<FindState>(SearchOptions{m_app.settings().SearchFlags});
    return *m_state;
}

void FindCommands::find(FindDirection direction, bool ask) {
    const ItemId focused = focusedItem();
    if (focused == tidemark::kNoItem)
        return;
    FindState& search = ensureState();
    const tidemark::Note& note = m_app.note();
    // A confined search whose place has left its group starts afresh; any
    // other search spans the note shown now.
    const bool confined = search.activeOptions.Has(SearchOptions::kInGroupOnly);
    const bool strayed = confined && !note.IsDescendantOf(focused, search.scope);
    if (!confined)
        search.scope = note.RootId();
    if (ask || search.activeOptions.IsFresh() || strayed) {
        if (!showDialog(direction))
            return;
    }
    SearchHit hit;
    if (search.matcher) {
        const SearchPlace place = currentPlace();
        hit = direction == FindDirection::kDown
                  ? tidemark::FindDownward(note, *search.matcher, search.activeOptions,
                                           search.scope, place)
                  : tidemark::FindUpward(note, *search.matcher, search.activeOptions, search.scope,
                                         place);
    }
    if (!hit.Found()) {
        reportNotFound();
        return;
    }
    showHit(hit);
    search.activeOptions.SetStart(SearchOptions::kStartHere);
}

QString FindCommands::prefilledText() const {
    MainWindow& window = *m_app.window();
    MemoTextView& text = *window.panes()->memoText();
    if (window.lists()->focusWindow() != FocusWindow::kMemoText || !text.holdsMemo())
        return QString();
    text.commitEdits();
    QString selected = text.textCursor().selectedText().left(kPrefillChars);
    for (qsizetype i = 0; i < selected.size(); ++i) {
        const QChar c = selected[i];
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\r' ||
            c == u'\n') {
            selected.truncate(i);
            break;
        }
    }
    return selected;
}

QString FindCommands::holdingGroupTitle() const {
    const tidemark::Note& note = m_app.note();
    const Item* focused = note.FindItem(focusedItem());
    const Item* group = focused ? note.FindItem(focused->links.parent) : nullptr;
    if (!group)
        return QString();
    return group->links.id == note.RootId() ? uiText(kRootTitle) : toQString(group->Title());
}

bool FindCommands::showDialog(FindDirection direction) {
    FindState& search = ensureState();
    QString text = prefilledText();
    if (text.isEmpty())
        text = search.lastText;
    FindDialog dialog(direction, search.dialogOptions, text, holdingGroupTitle(), m_app.window());
    connect(&dialog, &FindDialog::helpRequested, this,
            [this] { m_app.fileCommands().startHelp(FindDialog::kHelpTopic); });
    if (dialog.exec() != QDialog::Accepted)
        return false;
    search.lastText = dialog.searchText();
    search.dialogOptions = dialog.options();
    search.activeOptions = search.dialogOptions;
    search.matcher = dialog.takeMatcher();
    search.scope = tidemark::SearchScopeFor(m_app.note(), search.activeOptions, focusedItem());
    // Kept for the next window; the other windows need not hear of it.
    m_app.settings().SearchFlags = search.dialogOptions.bits;
    m_app.settings().SaveUnlessResident(m_app.environment().store, m_app.isResident());
    return true;
}

SearchPlace FindCommands::currentPlace() const {
    SearchPlace place;
    place.focused = focusedItem();
    MainWindow& window = *m_app.window();
    MemoTextView& text = *window.panes()->memoText();
    const Item* item = m_app.note().FindItem(place.focused);
    if (!item || !item->IsMemo() || window.lists()->focusWindow() != FocusWindow::kMemoText ||
        text.openMemo() != place.focused) {
        return place;
    }
    text.commitEdits();
    const std::string_view body = static_cast<const tidemark::Memo&>(*item).Body().View();
    const QTextCursor cursor = text.textCursor();
    place.inText = true;
    place.selectionStart = tidemark::BodyOffsetOf(body, std::size_t(cursor.selectionStart()));
    place.selectionEnd = tidemark::BodyOffsetOf(body, std::size_t(cursor.selectionEnd()));
    return place;
}

void FindCommands::showHit(const SearchHit& hit) {
    MainWindow& window = *m_app.window();
    ListPanes& lists = *window.lists();
    MemoTextView& text = *window.panes()->memoText();
    if (hit.inTitle) {
        lists.commitEdits();
        // The list must come into view where it takes turns with the text.
        if (window.layoutMode() == PaneLayout::kAlternate)
            lists.closeOpenMemo();
        lists.revealAndSelect(hit.item, true);
        window.panes()->relayout();
        window.panes()->memoList()->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (lists.memoListFocused() != hit.item)
        lists.revealAndSelect(hit.item, true);
    if (text.openMemo() != hit.item)
        window.showItem(hit.item);
    if (text.openMemo() != hit.item)
        return;
    text.setFocus(Qt::OtherFocusReason);
    const tidemark::Item* item = m_app.note().FindItem(hit.item);
    const std::string_view body = static_cast<const tidemark::Memo&>(*item).Body().View();
    QTextCursor cursor(text.document());
    cursor.setPosition(int(tidemark::PanePositionOf(body, hit.offset)));
    cursor.setPosition(int(tidemark::PanePositionOf(body, hit.offset + hit.length)),
                       QTextCursor::KeepAnchor);
    text.setTextCursor(cursor);
    text.ensureCursorVisible();
}

void FindCommands::reportNotFound() {
    QApplication::beep();
    MainWindow* window = m_app.window();
    // Through the text pane's notices, which reach the status bar after the
    // refresh that ends every command.
    const auto notify = [window] {
        window->panes()->memoText()->showNotice(MemoTextView::Notice::kFailure, uiText(kNotFound));
    };
    notify();
    if (window->isActiveWindow())
        return;
    // Right after the dialog the window is not active yet, and its return
    // refreshes the status bar once more: the notice follows that refresh,
    // unless another command has started by then.
    auto* pending = new QObject(this);
    connect(qApp, &QApplication::focusChanged, pending,
            [pending, window, notify](QWidget*, QWidget* now) {
                if (!now || now->window() != window)
                    return;
                notify();
                pending->deleteLater();
            });
    connect(&m_app.actions(), &CommandActions::commandStarting, pending, &QObject::deleteLater);
}
