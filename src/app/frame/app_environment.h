#pragma once

#include <QString>
#include <memory>

class InstanceBus;
class ProcessLauncher;

namespace tidemark {
class DragScrollSource;
class FileSystem;
class FontService;
class SettingsTextSource;
class ValueStore;
}  // namespace tidemark

// The services of the computer an Application runs against. The real ones
// come from DesktopEnvironment; tests put in-memory or recording ones in
// their place. Everything referenced must outlive the Application.
struct AppEnvironment {
    // The user's values, which the program reads and writes.
    tidemark::ValueStore& store;
    // The machine-wide values an installation may put there; only read.
    const tidemark::ValueStore& systemStore;
    tidemark::FileSystem& files;
    ProcessLauncher& launcher;
    InstanceBus& instances;
    const tidemark::FontService& fonts;
    const tidemark::DragScrollSource& dragScroll;
    const tidemark::SettingsTextSource& texts;
    // The help note: beside the program, its name with the ".tmh" extension.
    QString helpNotePath;
    // Where older versions kept the registered scripts ("tmscript.bin" beside the program).
    QString legacyScriptFile;
};

// The real services, owned together for the life of the process. Needs a
// QApplication.
class DesktopEnvironment {
public:
    DesktopEnvironment();
    ~DesktopEnvironment();
    DesktopEnvironment(const DesktopEnvironment&) = delete;
    DesktopEnvironment& operator=(const DesktopEnvironment&) = delete;

    AppEnvironment& environment() { return *m_environment; }

private:
    struct Services;
    std::unique_ptr<Services> m_services;
    std::unique_ptr<AppEnvironment> m_environment;
};

// The help note of the program at `programPath`: the same folder and name,
// with the extension replaced by ".tmh".
QString helpNotePathFor(const QString& programPath);
