#pragma once

class Application;
class CommandActions;
class ItemViewUpdater;
class SelectionSource;
class TextImporter;

// Makes the text exchange commands of the application's main window (owned
// by the window) and registers them with `actions`: 40060, the export of
// the note into a text file (always enabled), and 40061, the import of text
// files as memos (greyed while the note is read-only). `selection` and
// `views` are the window's lists; they must live as long as the window.
// Returns the import routine, which also takes files dropped on the lists.
TextImporter& installTextExchangeCommands(Application& app, CommandActions& actions,
                                          SelectionSource& selection, ItemViewUpdater& views);
