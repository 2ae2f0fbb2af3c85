#pragma once

namespace tidemark {
class Settings;
}

// The defaults a user who picks the simple mode on the first run starts
// with: only the simple toolbar, first and on its own line, 200 pixels wide
// (the other three hidden, on lines of their own, without a saved place);
// automatic saving; the last used note at start-up; the first line of a
// memo's body as its title.
void applySimpleModeDefaults(tidemark::Settings& settings);
