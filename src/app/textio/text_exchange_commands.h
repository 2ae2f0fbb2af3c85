#pragma once

class QObject;
class TextImporter;
class WindowContext;

// Makes the text exchange commands of a window (owned by `owner`) and
// registers them with the window's actions: 40060, the export of the note
// into a text file (always enabled), and 40061, the import of text files as
// memos (greyed while the note is read-only). Returns the import routine,
// which also takes files dropped on the lists.
TextImporter& installTextExchangeCommands(WindowContext& context, QObject* owner);
