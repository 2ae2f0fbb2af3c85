#pragma once

#include <functional>
#include <vector>

#include "app/context/window_context.h"

class Application;
class MainWindow;

// The window context of a main window: what its features see of it. Made
// by the window once its panes and lists exist; lives as long as the window.
class MainWindowContext : public WindowContext {
public:
    MainWindowContext(Application& app, MainWindow& window) : m_app(app), m_window(window) {}

    tidemark::Note& note() const override;
    tidemark::Settings& settings() const override;
    tidemark::FileSystem& files() const override;
    tidemark::ValueStore& valueStore() const override;
    const tidemark::ValueStore& systemValueStore() const override;
    QString notePath() const override;
    bool isReadOnly() const override;
    bool noteHasItems() const override;

    FocusWindow focusWindow() const override;
    EditFocus editFocus() const override;
    SelectionSource& selection() const override;
    ItemViewUpdater& views() const override;
    QPlainTextEdit& memoTextPane() const override;
    LinkOpener& linkOpener() const override;

    void commitPendingEdits() override;
    bool revealAndSelect(ListKind list, tidemark::ItemId item, bool exclusive) override;
    void focusMemoList() override;
    void openInTextPane(tidemark::ItemId memo) override;

    void showStatusText(const QString& text, bool warning) override;
    void updateActions() override;
    // Jobs may nest (a script that prints): the window is busy until the
    // outermost one ends.
    void setBusy(bool busy) override;
    bool isBusy() const { return m_busyDepth > 0; }
    // Runs `work` now, or, while a job holds the window, once the job has
    // ended: what other windows ask of this one (close, show an item, apply
    // settings) never lands in the middle of a script or a sort.
    void whenIdle(std::function<void()> work);
    QWidget* dialogParent() const override;
    CommandActions& actions() const override;
    void openHelp(int topic) override;
    // Stored for the next window; the other windows are not told.
    void saveSettings() override;

private:
    void runHeldWork();

    Application& m_app;
    MainWindow& m_window;
    int m_busyDepth = 0;
    std::vector<std::function<void()>> m_heldWork;
};
