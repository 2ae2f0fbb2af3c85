#pragma once

namespace tidemark {

// What a reload of the settings changed beyond the values every reload
// pushes to the panes anyway (both fonts and the tab width).
struct SettingsChanges {
    bool BandVisibility = false;   // a toolbar was shown or hidden: rebuild the bands
    bool BodyColumn = false;       // HideBodyInList changed: switch the list's body column
    bool StickyAlternate = false;  // switch the sticky look (not while in the alternate layout)

    friend bool operator==(const SettingsChanges&, const SettingsChanges&) = default;
};

// The window side of saving and reloading settings. The main window
// implements it over the instance bus; all calls come on its thread.
class SettingsNotifier {
public:
    virtual ~SettingsNotifier() = default;
    // Ask every other main window of the program (not this one) to reload the
    // settings; with `apply` they also apply what changed.
    virtual void BroadcastSettingsChanged(bool apply) = 0;
    // This window reloaded its settings with the apply flag: push the fonts
    // and tab width to the panes, act on `changes`, then refresh the panes,
    // grid lines, marks and colours of the text pane, and snapping.
    virtual void ApplySettings(const SettingsChanges& changes) = 0;
};

}  // namespace tidemark
