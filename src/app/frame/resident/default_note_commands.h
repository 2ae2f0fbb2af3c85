#pragma once

#include <QString>
#include <functional>

class Application;
class CommandActions;

// The default note: the note file that a double click on the resident icon
// opens, kept in the settings store as "default". Open (40119) asks for one
// when none is set and starts a window process for it; Choose (40120) asks
// for a file. The resident process names the note in its menu entry; any
// other process that sets it tells the resident process.
class DefaultNoteCommands {
public:
    explicit DefaultNoteCommands(Application& app);

    void registerCommands(CommandActions& actions);

    // Reads the stored default note again.
    void reload();
    const QString& path() const { return m_path; }
    // The text of the menu entry that opens it: "<name>を開く(&D)", or empty
    // (the command's own text) when none is set.
    QString entryText() const;

    void open();
    // False when the user cancelled.
    bool choose();
    void set(const QString& path);

    // Called whenever the default note changed in this process.
    std::function<void()> changed;

private:
    Application& m_app;
    QString m_path;
};
