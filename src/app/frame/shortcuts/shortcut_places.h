#pragma once

#include <QString>

// Where a shortcut to a note goes. The values are the order of the choices
// in the shortcut dialog.
enum class ShortcutPlace {
    kDesktop = 0,
    kMenu = 1,     // the desktop's application menu
    kStartup = 2,  // started when the user logs in
};

// The folder of `place`, read from the environment at each call; the folder
// need not exist yet.
//   desktop: what `xdg-user-dir DESKTOP` says (the user's user-dirs.dirs),
//            or $HOME/Desktop when that program is missing or says nothing
//            usable;
//   menu:    $XDG_DATA_HOME/applications (~/.local/share/applications);
//   startup: $XDG_CONFIG_HOME/autostart (~/.config/autostart).
// A relative XDG_* value is ignored, as the base directory rules say.
QString shortcutFolder(ShortcutPlace place);
