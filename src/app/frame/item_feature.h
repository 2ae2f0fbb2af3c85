#pragma once

class Application;
class MainWindow;

// The item operations of a main window: the item commands, the edit
// commands, the clipboard, dragging rows out of the lists and drops onto
// them, the text exchange commands whose import also takes dropped files,
// and note files dropped on the window. Everything is owned by `window`;
// its lists must exist.
void installItemFeature(Application& app, MainWindow& window);
