#include "app/frame/app_environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/common/ui_strings.h"
#include "app/frame/instances/socket_instance_bus.h"
#include "app/frame/note_file_service.h"
#include "app/frame/process_launcher.h"
#include "core/file/file_system.h"
#include "platform/qsettings_value_store.h"
#include "platform/qt_font_service.h"
#include "platform/qt_settings_text_source.h"
#include "platform/system_drag_scroll_source.h"

namespace {

constexpr std::uint32_t kLegacyScriptFileName = 10037;  // "tmscript.bin"

}  // namespace

struct DesktopEnvironment::Services {
    QSettingsValueStore store;
    QSettingsValueStore systemStore{QSettingsValueStore::Scope::System};
    std::unique_ptr<tidemark::FileSystem> files = makePlatformFileSystem();
    DetachedProcessLauncher launcher;
    SocketInstanceBus instances;
    QtFontService fonts;
    SystemDragScrollSource dragScroll;
    QtSettingsTextSource texts;
};

DesktopEnvironment::DesktopEnvironment() : m_services(std::make_unique<Services>()) {
    // Joined before anything else: from now on the other windows can ask
    // this process (it answers as a window holding nothing until the
    // Application serves them).
    m_services->instances.start();
    const QString program = QCoreApplication::applicationFilePath();
    const QDir folder = QFileInfo(program).absoluteDir();
    m_environment.reset(new AppEnvironment{
        m_services->store, m_services->systemStore, *m_services->files, m_services->launcher, m_services->instances,
        m_services->fonts, m_services->dragScroll, m_services->texts, helpNotePathFor(program),
        folder.filePath(uiText(kLegacyScriptFileName))});
}

DesktopEnvironment::~DesktopEnvironment() = default;

QString helpNotePathFor(const QString& programPath) {
    const QFileInfo program(programPath);
    QString name = program.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0)
        name.truncate(dot);
    return program.absoluteDir().filePath(name + uiText(UiStringId::kHelpExtension));
}
