#pragma once

class Application;
class CommandActions;

// The commands of the window itself: layouts, the pane switch, toolbars and
// status bar, the title bar, staying on top, the About box and Exit.
class ViewCommands {
public:
    explicit ViewCommands(Application& app) : m_app(app) {}
    void registerCommands(CommandActions& actions);

    // 40022 in the alternate layout: from the list to the focused memo's
    // text and back.
    void switchPane();
    void showAbout();

private:
    Application& m_app;
};
