#pragma once

class Application;

// "オプション(&O)...": the options sheet over the window's settings and key
// assignments. OK applies the pages, shows the changes in this window, saves
// the settings and tells the other windows (to show them too when a page
// says so); Cancel changes nothing.
void runOptionsSheet(Application& app);
