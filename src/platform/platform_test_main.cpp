// Runs the platform tests against a configuration folder of their own, never
// the user's: QSettings' paths, XDG_CONFIG_HOME and XDG_RUNTIME_DIR point into
// a temporary folder, and QStandardPaths runs in test mode.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#include "platform/platform_test_support.h"

namespace {

QString g_configDir;
const char* const kChildSwitch = "--child";

void pointSettingsAt(const QString& configDir) {
    g_configDir = configDir;
    QStandardPaths::setTestModeEnabled(true);
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, configDir);
        QSettings::setPath(format, QSettings::SystemScope, testSystemConfigDir());
    }
}

}  // namespace

QString testConfigDir() {
    return g_configDir;
}
QString testSystemConfigDir() {
    return g_configDir + QStringLiteral("/system");
}

QString runChild(const QStringList& arguments, int* exitCode) {
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments(QStringList{QString::fromLatin1(kChildSwitch)} + arguments);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start();
    bool finished = child.waitForFinished(30000);
    *exitCode = finished && child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    return QString::fromUtf8(child.readAllStandardOutput());
}

int main(int argc, char** argv) {
    const bool isChild = argc >= 2 && QByteArray(argv[1]) == kChildSwitch;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    std::unique_ptr<QTemporaryDir> tempDir;
    QString configDir;
    if (isChild) {
        // The parent's folder, handed down through the environment.
        configDir = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (configDir.isEmpty() || !configDir.startsWith(QDir::tempPath())) {
            std::fprintf(stderr, "child run without the parent's temporary folder\n");
            return 2;
        }
    } else {
        tempDir = std::make_unique<QTemporaryDir>();
        if (!tempDir->isValid()) {
            std::fprintf(stderr, "cannot create a temporary folder\n");
            return 2;
        }
        configDir = tempDir->filePath(QStringLiteral("config"));
        QString runtimeDir = tempDir->filePath(QStringLiteral("runtime"));
        QDir().mkpath(configDir);
        QDir().mkpath(runtimeDir);
        QFile::setPermissions(
            runtimeDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_CONFIG_HOME", configDir.toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit());
    }
    pointSettingsAt(configDir);

    QGuiApplication app(argc, argv);
    if (isChild) {
        QStringList arguments = QCoreApplication::arguments().mid(2);
        return childMain(arguments);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
