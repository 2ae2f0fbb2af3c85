#pragma once

#include "app/frame/shortcuts/shortcut_places.h"

class Application;

// Shortcuts to the window's note: "ショートカットの作成(&H)..." and the
// offer of one after the note was saved under a new name. Keeps the place
// chosen last for the life of the process (one Application per process);
// a new process starts with the desktop.
class ShortcutCommands {
public:
    explicit ShortcutCommands(Application& app);

    // The command: a note that has no file yet is saved under a name first
    // (the user may cancel that, which ends the command); then the shortcut
    // dialog.
    void createShortcut();
    // After a save under a new name: unless the user switched the offer off,
    // asks whether to make a shortcut. Switching it off in the question is
    // saved at once and told to the other windows.
    void offerAfterSave();

private:
    Application& m_app;
    ShortcutPlace m_lastPlace = ShortcutPlace::kDesktop;
};
