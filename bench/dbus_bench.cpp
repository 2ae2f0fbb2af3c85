// Times 1,000 round trips of an outside client to the automation server:
// NewItem on the root of a note, then setting the new memo's Title, each a
// call of its own over the session bus. The program runs resident on a
// private bus (dbus-run-session, which this benchmark starts itself) with a
// profile of its own. Goal: under 1 s for the 1,000.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const QString kService = QStringLiteral("org.corvane.Tidemark");
constexpr int kRounds = 1000;

QDBusMessage call(const QString& path, const QString& interface, const QString& member,
                  const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, member);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message);
}

QString pathOf(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage) {
        std::fprintf(stderr, "call failed: %s\n", qPrintable(reply.errorMessage()));
        std::exit(1);
    }
    return reply.arguments().value(0).value<QDBusObjectPath>().path();
}

int run(const QString& program) {
    QTemporaryDir home;
    QDir().mkpath(home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess server;
    server.setProcessEnvironment(environment);
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(program, {QStringLiteral("-Embedding")});
    if (!server.waitForStarted(10000)) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(program));
        return 1;
    }
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    const QDeadlineTimer deadline(20000);
    while (!bus->isServiceRegistered(kService).value() && !deadline.hasExpired())
        QThread::msleep(20);
    if (!bus->isServiceRegistered(kService).value()) {
        std::fprintf(stderr, "the program did not take %s\n", qPrintable(kService));
        return 1;
    }

    const QString note = pathOf(call(QStringLiteral("/NoteService"),
                                     QStringLiteral("org.corvane.Tidemark.NoteService"),
                                     QStringLiteral("New")));
    const QString root = pathOf(call(note, QStringLiteral("org.corvane.Tidemark.Note"),
                                     QStringLiteral("GetRootItem")));
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRounds; ++i) {
        const QString memo = pathOf(call(root, QStringLiteral("org.corvane.Tidemark.ItemNode"),
                                         QStringLiteral("NewItem"), {3, 17}));
        const QDBusMessage set = call(
            memo, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
            {QStringLiteral("org.corvane.Tidemark.ItemText"), QStringLiteral("Title"),
             QVariant::fromValue(QDBusVariant(QStringLiteral("メモ %1").arg(i)))});
        if (set.type() != QDBusMessage::ReplyMessage) {
            std::fprintf(stderr, "Title failed: %s\n", qPrintable(set.errorMessage()));
            return 1;
        }
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const QDBusMessage count = call(note, QStringLiteral("org.corvane.Tidemark.Note"),
                                    QStringLiteral("GetItemCount"));
    std::printf("%d NewItem + Title round trips: %.1f ms (%.3f ms each; goal < 1000 ms) %s\n",
                kRounds, ms, ms / kRounds, ms < 1000 ? "ok" : "SLOW");
    std::printf("items in the note afterwards: %d\n", count.arguments().value(0).toInt());
    server.terminate();
    server.waitForFinished(5000);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // A bus of its own: run again inside dbus-run-session.
    if (argc < 2 || qstrcmp(argv[1], "--on-private-bus") != 0) {
        execlp("dbus-run-session", "dbus-run-session", "--", argv[0], "--on-private-bus",
               static_cast<char*>(nullptr));
        std::perror("dbus-run-session");
        return 1;
    }
    QCoreApplication app(argc, argv);
    return run(QStringLiteral(TIDEMARK_PROGRAM));
}
