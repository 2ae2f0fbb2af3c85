#include "app/find/find_commands.h"

#include <QApplication>
#include <QTextCursor>

#include <QPlainTextEdit>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "app/context/window_context.h"
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

void installFindCommands(WindowContext& context, QObject* owner) {
    auto* commands = new FindCommands(context, owner);
    commands->registerCommands(context.actions());
}

FindCommands::FindCommands(WindowContext& context, QObject* parent)
    : QObject(parent), m_context(context) {
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
    const ItemId focused = m_context.selection().memoListFocused();
    return m_context.note().FindItem(focused) ? focused : tidemark::kNoItem;
}

bool FindCommands::canFind() const {
    return focusedItem() != tidemark::kNoItem;
}

FindState& FindCommands::ensureState() {
    if (!m_state)
        m_state = std::make_unique<FindState>(SearchOptions{m_context.settings().SearchFlags});
    return *m_state;
}

void FindCommands::find(FindDirection direction, bool ask) {
    const ItemId focused = focusedItem();
    if (focused == tidemark::kNoItem)
        return;
    FindState& search = ensureState();
    const tidemark::Note& note = m_context.note();
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
    QPlainTextEdit& text = m_context.memoTextPane();
    if (m_context.focusWindow() != FocusWindow::kMemoText ||
        m_context.views().openMemo() == tidemark::kNoItem)
        return QString();
    m_context.commitPendingEdits();
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
    const tidemark::Note& note = m_context.note();
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
    FindDialog dialog(direction, search.dialogOptions, text, holdingGroupTitle(),
                      m_context.dialogParent());
    connect(&dialog, &FindDialog::helpRequested, this,
            [this] { m_context.openHelp(FindDialog::kHelpTopic); });
    if (dialog.exec() != QDialog::Accepted)
        return false;
    search.lastText = dialog.searchText();
    search.dialogOptions = dialog.options();
    search.activeOptions = search.dialogOptions;
    search.matcher = dialog.takeMatcher();
    search.scope = tidemark::SearchScopeFor(m_context.note(), search.activeOptions, focusedItem());
    // Kept for the next window; the other windows need not hear of it.
    m_context.settings().SearchFlags = search.dialogOptions.bits;
    m_context.saveSettings();
    return true;
}

SearchPlace FindCommands::currentPlace() const {
    SearchPlace place;
    place.focused = focusedItem();
    const QPlainTextEdit& text = m_context.memoTextPane();
    const Item* item = m_context.note().FindItem(place.focused);
    if (!item || !item->IsMemo() || m_context.focusWindow() != FocusWindow::kMemoText ||
        m_context.views().openMemo() != place.focused) {
        return place;
    }
    m_context.commitPendingEdits();
    const std::string_view body = static_cast<const tidemark::Memo&>(*item).Body().View();
    const QTextCursor cursor = text.textCursor();
    place.inText = true;
    place.selectionStart = tidemark::BodyOffsetOf(body, std::size_t(cursor.selectionStart()));
    place.selectionEnd = tidemark::BodyOffsetOf(body, std::size_t(cursor.selectionEnd()));
    return place;
}

void FindCommands::showHit(const SearchHit& hit) {
    ItemViewUpdater& views = m_context.views();
    if (hit.inTitle) {
        m_context.commitPendingEdits();
        m_context.revealAndSelect(ListKind::kMemoList, hit.item, true);
        m_context.focusMemoList();
        return;
    }
    if (m_context.selection().memoListFocused() != hit.item)
        m_context.revealAndSelect(ListKind::kMemoList, hit.item, true);
    if (views.openMemo() != hit.item)
        m_context.openInTextPane(hit.item);
    if (views.openMemo() != hit.item)
        return;
    QPlainTextEdit& text = m_context.memoTextPane();
    text.setFocus(Qt::OtherFocusReason);
    const tidemark::Item* item = m_context.note().FindItem(hit.item);
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
    QWidget* window = m_context.dialogParent()->window();
    // The status text comes after the refresh that ends every command.
    const auto notify = [this] { m_context.showStatusText(uiText(kNotFound), true); };
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
    connect(&m_context.actions(), &CommandActions::commandStarting, pending, &QObject::deleteLater);
}
