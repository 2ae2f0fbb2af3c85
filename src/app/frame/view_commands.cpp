#include "app/frame/view_commands.h"

#include <QCoreApplication>

#include "app/common/command_actions.h"
#include "app/common/message_box.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/list/memo_list.h"
#include "app/text/memo_text_view.h"
#include "core/model/item.h"
#include "core/model/note.h"

namespace {

using namespace tidemark;

}  // namespace

void ViewCommands::registerCommands(CommandActions& actions) {
    Application& app = m_app;
    MainWindow& window = *app.window();

    const struct {
        CommandId id;
        PaneLayout layout;
    } layouts[] = {{kCmdLayoutAlternate, PaneLayout::kAlternate},
                   {kCmdLayoutStacked, PaneLayout::kStacked},
                   {kCmdLayoutSideBySide, PaneLayout::kSideBySide}};
    for (const auto& entry : layouts) {
        const PaneLayout layout = entry.layout;
        actions.setHandler(
            entry.id, [&window, layout] { window.setLayoutMode(layout); },
            [&window, layout] {
                return CommandState{true, window.layoutMode() == layout};
            });
    }

    const struct {
        CommandId id;
        BandId band;
    } toolbars[] = {{kCmdToggleStandardToolbar, BandId::kStandard},
                    {kCmdToggleNavigationToolbar, BandId::kNavigation},
                    {kCmdToggleMemoToolbar, BandId::kMemo},
                    {kCmdToggleSimpleToolbar, BandId::kSimple}};
    for (const auto& entry : toolbars) {
        const BandId band = entry.band;
        actions.setHandler(
            entry.id,
            [&window, band] { window.setToolbarShown(band, !window.isToolbarShown(band)); },
            [&window, band] {
                return CommandState{true, window.isToolbarShown(band)};
            });
    }

    actions.setHandler(
        kCmdToggleStatusBar,
        [&app, &window] {
            window.setStatusBarShown(app.settings().ShowStatusBar == 0);
            app.saveSettings();
        },
        [&app] {
            return CommandState{true, app.settings().ShowStatusBar != 0};
        });

    actions.setHandler(
        kCmdToggleTitleBar, [&window] { window.setTitleBarHidden(!window.isTitleBarHidden()); },
        [&window] { return CommandState{window.layoutMode() == PaneLayout::kAlternate}; });
    actions.setHandler(
        kCmdStayOnTop, [&window] { window.setStaysOnTop(!window.staysOnTop()); },
        [&window] {
            return CommandState{true, window.staysOnTop()};
        });

    actions.setHandler(
        kCmdSwitchPane, [this] { switchPane(); },
        [&app, &window] {
            const Item* focused = app.note().FindItem(window.panes()->memoList()->focusedItem());
            return CommandState{window.layoutMode() == PaneLayout::kAlternate && focused &&
                                focused->IsMemo()};
        });

    actions.setHandler(kCmdExit, [&window] { window.close(); });
    actions.setHandler(kCmdAbout, [this] { showAbout(); });
}

void ViewCommands::switchPane() {
    MainWindow& window = *m_app.window();
    MemoTextView* text = window.panes()->memoText();
    if (text->holdsMemo()) {
        text->closeMemo(m_app.noteHasItems());
        window.panes()->relayout();
        window.panes()->memoList()->setFocus();
        return;
    }
    window.showItem(window.panes()->memoList()->focusedItem());
    if (text->holdsMemo())
        text->setFocus();
}

void ViewCommands::showAbout() {
    showMessage(m_app.window(), MessageKind::kInformation,
                uiText(UiStringId::kProductName) + QStringLiteral(" ") +
                    QCoreApplication::applicationVersion());
}
