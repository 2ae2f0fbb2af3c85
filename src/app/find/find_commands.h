#pragma once

#include <QObject>
#include <memory>

#include "app/find/find_dialog.h"
#include "app/find/find_state.h"

class CommandActions;
class WindowContext;

namespace tidemark {
struct SearchHit;
struct SearchPlace;
}  // namespace tidemark

// The four find commands of a main window: find downward (40062) and upward
// (40079) with the dialog, and continue downward (40076) and upward (40077)
// with the last options (the dialog comes first when there are none yet, or
// when a search confined to a memo group no longer stands inside it).
//
// A title match selects its item in the memo list; a body match opens the
// memo in the text pane and selects the matched characters. When nothing is
// found the status bar says so and the computer beeps. All on the window's
// thread; the commands are enabled exactly while the memo list has a
// focused item.
class FindCommands : public QObject {
    Q_OBJECT
public:
    FindCommands(WindowContext& context, QObject* parent);
    ~FindCommands() override;

    void registerCommands(CommandActions& actions);

    // The command bodies; `ask` shows the dialog first in any case.
    void find(FindDirection direction, bool ask);

private:
    bool canFind() const;
    FindState& ensureState();
    // The memo list's focused item; 0 when there is none.
    tidemark::ItemId focusedItem() const;
    // True when the user confirmed the dialog.
    bool showDialog(FindDirection direction);
    QString prefilledText() const;
    QString holdingGroupTitle() const;
    tidemark::SearchPlace currentPlace() const;
    void showHit(const tidemark::SearchHit& hit);
    void reportNotFound();

    WindowContext& m_context;
    std::unique_ptr<FindState> m_state;
};

// Makes the find commands of a window (owned by `owner`) and registers them
// with the window's actions.
void installFindCommands(WindowContext& context, QObject* owner);
