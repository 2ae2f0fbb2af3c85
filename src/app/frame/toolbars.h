#pragma once

#include <QHash>
#include <QToolBar>

#include "app/frame/toolbar_bands.h"

class CommandActions;
class MainMenu;
class PathBox;

// Bands move within the top of the window only; they never float.
void keepInTheBand(QToolBar& bar);

// A toolbar that remembers the band width it was given, so that the window
// places it that wide when the line leaves room.
class BandToolBar : public QToolBar {
    Q_OBJECT
public:
    BandToolBar(const QString& objectName, QWidget* parent);
    void setBandWidth(int width);
    QSize sizeHint() const override;

private:
    int m_bandWidth = 0;
};

// The five bands at the top of the window: the menu bar, then the standard,
// navigation, memo and simple toolbars with their buttons, separators,
// drop-down menus and check groups.
class ToolbarSet : public QObject {
    Q_OBJECT
public:
    ToolbarSet(CommandActions& actions, MainMenu& menu, QWidget* parent);

    QToolBar* menuBand() const { return m_menuBand; }
    BandToolBar* toolbar(BandId id) const { return m_toolbars.value(id); }
    PathBox* pathBox() const { return m_pathBox; }

private:
    BandToolBar* makeToolbar(BandId id, const char* name, int iconSize);
    void addButtons(QToolBar* bar, std::initializer_list<int> ids);
    void addDropButton(QToolBar* bar, QAction* action, int dropDown);

    CommandActions& m_actions;
    MainMenu& m_menu;
    QToolBar* m_menuBand;
    QHash<BandId, BandToolBar*> m_toolbars;
    PathBox* m_pathBox;
};
