#pragma once

#include <QString>
#include <QWidget>

namespace tidemark {
class FontService;
class KeyTable;
class Settings;
class ValueStore;
}  // namespace tidemark

// What the pages of the options sheet edit: the window's own settings and
// key assignments. The pages read them when made and write them in apply().
struct OptionsTarget {
    tidemark::Settings& settings;
    tidemark::KeyTable& keys;
    // The key page saves the key assignments ("accelerator") itself.
    tidemark::ValueStore& store;
    const tidemark::FontService& fonts;
    // Set by a page whose change the other windows have to show as well
    // (they reload the settings with the apply flag).
    bool applyNeeded = false;
    // Set by the key page when it changed the key assignments: the window
    // binds its menus, toolbars and tool menu to the new keys.
    bool keysChanged = false;
};

// One page of the options sheet. The sheet asks leave() before another page
// is shown and before it is accepted; a page that refuses keeps the sheet on
// it. On OK every page's apply() runs, in page order.
class OptionsPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // The tab's title ("表示" …).
    virtual QString title() const = 0;
    // The help note's topic of this page.
    virtual int helpTopic() const = 0;
    // Checks what was typed. On a fault: shows its message over the page,
    // puts the focus on the control at fault and returns false.
    virtual bool leave() { return true; }
    // Stores the page's values into the target, setting applyNeeded where
    // a change must reach the other windows.
    virtual void apply(OptionsTarget& target) = 0;
};
