#pragma once

class WindowContext;
class QWidget;

namespace tidemark {
class FileSystem;
}

// Shows the rescue wizard modal over `owner` and returns when it closes.
void runRescueWizard(tidemark::FileSystem& files, QWidget* owner);

// Registers the handler of "壊れたノートファイルの救出(&R)..." (40123), which
// is always enabled: the rescue works on files, never on the open note.
void installRescueCommand(WindowContext& context);
