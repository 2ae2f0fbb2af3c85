// The runner of the program's tests: real widgets on the offscreen platform,
// with HOME, the XDG folders and Qt's standard paths pointing into a fresh
// temporary folder so that no test reads or writes the user's settings or
// documents.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/frame/app_setup.h"
#include "app/test_support.h"

namespace {

// The offscreen platform says for every window that it cannot pass size
// hints on; that says nothing about the program.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QStringLiteral("propagateSizeHints")))
        return;
    qt_message_output(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    if (int code = 0; runTestHelperMode(argc, argv, code))
        return code;

    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    const QByteArray root = home.path().toLocal8Bit();
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A resident start must not take the automation server's name on the
    // user's session bus; the server's tests run a bus of their own.
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    QDir().mkpath(home.path() + QStringLiteral("/runtime"));
    QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QStandardPaths::setTestModeEnabled(true);

    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    setUpApplicationObject();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
