#include "app/automation_server/automation_server.h"

#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>

#include "app/automation_server/client_objects.h"
#include "app/automation_server/dbus_names.h"
#include "app/automation_server/service_file.h"
#include "platform/posix/posix_file_system.h"

namespace {

// A bus of the test's own (dbus-daemon), with the server on one connection
// and a client on another. The client's calls spin the event loop, so the
// server answers them on this same thread.
class DbusServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1"), QStringLiteral("--nopidfile")});
        ASSERT_TRUE(m_daemon.waitForStarted(5000)) << "dbus-daemon (package dbus) is needed";
        ASSERT_TRUE(m_daemon.waitForReadyRead(5000));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        QDBusConnection serverBus = QDBusConnection::connectToBus(m_address, serverName());
        ASSERT_TRUE(serverBus.isConnected());
        server = std::make_unique<AutomationServer>(serverBus, m_files, nullptr);
        ASSERT_TRUE(server->start());
        connectClient();
    }

    void TearDown() override {
        server.reset();
        QDBusConnection::disconnectFromBus(serverName());
        QDBusConnection::disconnectFromBus(QStringLiteral("dbus-test-client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("dbus-test-rival"));
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }

    static QString serverName() { return QStringLiteral("dbus-test-server"); }
    QDBusConnection client() const {
        return QDBusConnection(QStringLiteral("dbus-test-client"));
    }
    void connectClient() {
        ASSERT_TRUE(
            QDBusConnection::connectToBus(m_address, QStringLiteral("dbus-test-client")).isConnected());
    }
    QDBusConnection connectRival() const {
        return QDBusConnection::connectToBus(m_address, QStringLiteral("dbus-test-rival"));
    }

    QDBusMessage call(const QString& path, const QString& interface, const QString& member,
                      const QVariantList& arguments = {}) const {
        QDBusMessage message =
            QDBusMessage::createMethodCall(DbusName::kService, path, interface, member);
        message.setArguments(arguments);
        return client().call(message, QDBus::BlockWithGui, 5000);
    }
    QString path(const QString& onPath, const QString& interface, const QString& member,
                 const QVariantList& arguments = {}) const {
        const QDBusMessage reply = call(onPath, interface, member, arguments);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        return reply.arguments().value(0).value<QDBusObjectPath>().path();
    }
    QDBusMessage get(const QString& onPath, const QString& interface, const QString& name) const {
        return call(onPath, DbusName::kProperties, QStringLiteral("Get"), {interface, name});
    }
    QDBusMessage set(const QString& onPath, const QString& interface, const QString& name,
                     const QVariant& value) const {
        return call(onPath, DbusName::kProperties, QStringLiteral("Set"),
                    {interface, name, QVariant::fromValue(QDBusVariant(value))});
    }
    // A note with one memo: {note, root, memo}.
    std::array<QString, 3> noteWithMemo() const {
        const QString note = path(DbusName::kServicePath, DbusName::kNoteService, "New");
        const QString root = path(note, DbusName::kNote, "GetRootItem");
        const QString memo = path(root, DbusName::kItemNode, "NewItem", {3, 17});
        return {note, root, memo};
    }

    std::unique_ptr<AutomationServer> server;

private:
    QProcess m_daemon;
    QString m_address;
    tidemark::PosixFileSystem m_files;
};

TEST_F(DbusServerTest, AClientLeavingTheBusTakesItsObjectsWithIt) {
    noteWithMemo();
    ASSERT_EQ(server->objects().objectCount(), 3u);
    QDBusConnection::disconnectFromBus(QStringLiteral("dbus-test-client"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return server->objects().objectCount() == 0; }));

    // A client that comes later starts from nothing and is served.
    connectClient();
    noteWithMemo();
    EXPECT_EQ(server->objects().objectCount(), 3u);
}

TEST_F(DbusServerTest, ReleaseForgetsOneObjectAndItemsOutliveTheirNote) {
    const auto [note, root, memo] = noteWithMemo();
    EXPECT_EQ(call(note, DbusName::kNote, "Release").type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(call(note, DbusName::kNote, "GetItemCount").errorName(), DbusName::kUnknownObject);
    // The memo still works, and its note lives on for it.
    EXPECT_EQ(set(memo, DbusName::kItemText, "Title", QStringLiteral("残る")).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_EQ(get(memo, DbusName::kItemText, "Title").arguments().value(0).value<QDBusVariant>()
                  .variant().toString(),
              QStringLiteral("残る"));
    call(memo, DbusName::kItemText, "Release");
    call(root, DbusName::kItemNode, "Release");
    EXPECT_EQ(server->objects().objectCount(), 0u);
    EXPECT_EQ(call(memo, DbusName::kItemText, "Release").errorName(), DbusName::kUnknownObject);
}

TEST_F(DbusServerTest, PropertiesCarryTheirBusTypesAndRefuseOthers) {
    const auto [note, root, memo] = noteWithMemo();
    struct Case {
        const char* name;
        int metaType;
    };
    for (const Case& c : {Case{"Id", QMetaType::Int}, Case{"Title", QMetaType::QString},
                          Case{"StrikeOut", QMetaType::Bool}, Case{"UrlBody", QMetaType::Bool},
                          Case{"ModifiedTime", QMetaType::QString}}) {
        const QDBusMessage reply = get(memo, DbusName::kItemText, c.name);
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << c.name;
        EXPECT_EQ(reply.arguments().value(0).value<QDBusVariant>().variant().metaType().id(),
                  c.metaType)
            << c.name;
    }
    struct Wrong {
        const char* name;
        QVariant value;
    };
    for (const Wrong& w : {Wrong{"Title", 7}, Wrong{"StrikeOut", QStringLiteral("true")},
                           Wrong{"StrikeOut", 1}, Wrong{"Body", true}}) {
        EXPECT_EQ(set(memo, DbusName::kItemText, w.name, w.value).errorName(),
                  DbusName::kInvalidArgs)
            << w.name;
    }
    EXPECT_EQ(set(memo, DbusName::kItemText, "Open", true).errorName(), DbusName::kUnknownProperty);
    // A memo group's own property; the root refuses it as the objects do.
    const QString group = path(root, DbusName::kItemNode, "NewItem", {2, 17});
    EXPECT_EQ(get(group, DbusName::kItemNode, "Open").arguments().value(0).value<QDBusVariant>()
                  .variant().metaType().id(),
              QMetaType::Bool);
    EXPECT_EQ(get(root, DbusName::kItemNode, "Open").errorName(),
              QStringLiteral("org.corvane.Tidemark.Error.E20053"));

    // GetAll gives every property of the interface the path has.
    const QDBusMessage all =
        call(memo, DbusName::kProperties, QStringLiteral("GetAll"), {DbusName::kItemText});
    ASSERT_EQ(all.type(), QDBusMessage::ReplyMessage);
    const QDBusArgument map = all.arguments().value(0).value<QDBusArgument>();
    QVariantMap values;
    map >> values;
    EXPECT_TRUE(values.contains(QStringLiteral("Body")));
    EXPECT_FALSE(values.contains(QStringLiteral("Open")));
}

TEST_F(DbusServerTest, ErrorsOfTheObjectsKeepTheirNumberAndText) {
    const auto [note, root, memo] = noteWithMemo();
    const QDBusMessage raised = call(root, DbusName::kItemNode, "NewItem", {1, 17});
    EXPECT_EQ(raised.errorName(), QStringLiteral("org.corvane.Tidemark.Error.E20056"));
    EXPECT_TRUE(raised.errorMessage().contains(QStringLiteral("type引数")))
        << raised.errorMessage().toStdString();
    // A method called with arguments of the wrong types does not run.
    EXPECT_EQ(call(root, DbusName::kItemNode, "NewItem", {3}).errorName(), DbusName::kInvalidArgs);
    EXPECT_EQ(call(root, DbusName::kItemNode, "GetChildItemCount").arguments().value(0),
              QVariant(1));
    EXPECT_EQ(call(memo, DbusName::kItemNode, "GetChildItemCount").errorName(),
              DbusName::kUnknownInterface);
}

TEST_F(DbusServerTest, ASecondServerCannotTakeTheNameAndLeavesTheFirstServing) {
    QDBusConnection rivalBus = connectRival();
    tidemark::PosixFileSystem files;
    AutomationServer rival(rivalBus, files, nullptr);
    EXPECT_FALSE(rival.start());
    EXPECT_FALSE(noteWithMemo()[2].isEmpty());
    EXPECT_EQ(server->objects().objectCount(), 3u);
}

TEST(DbusNotePath, ReadsOnlyThePathsItHandsOut) {
    struct Case {
        const char* path;
        int note;
        bool isItem;
        int item;
    };
    for (const Case& c : {Case{"/notes/1", 1, false, 0}, Case{"/notes/12/items/0", 12, true, 0},
                          Case{"/notes/3/items/40", 3, true, 40}, Case{"/notes/01", 0, false, 0},
                          Case{"/notes/0", 0, false, 0}, Case{"/notes/-1", 0, false, 0},
                          Case{"/notes/1/items/", 0, false, 0}, Case{"/notes/1/other/2", 0, false, 0},
                          Case{"/notes/1/items/2/x", 0, false, 0}, Case{"/notes/1234567890", 0, false, 0},
                          Case{"/", 0, false, 0}}) {
        const NotePath parsed = NotePath::parse(QString::fromLatin1(c.path));
        EXPECT_EQ(parsed.note, c.note) << c.path;
        if (c.note != 0) {
            EXPECT_EQ(parsed.isItem, c.isItem) << c.path;
            EXPECT_EQ(parsed.item, c.item) << c.path;
        }
    }
}

TEST(DbusServiceFile, NamesTheProgramSoTheBusCanSplitTheLine) {
    EXPECT_EQ(ServiceFile::contents(QStringLiteral("/usr/lib/tidemark/tidemark")),
              QStringLiteral("[D-BUS Service]\nName=org.corvane.Tidemark\n"
                             "Exec=/usr/lib/tidemark/tidemark -Embedding\n"));
    EXPECT_TRUE(ServiceFile::contents(QStringLiteral("/home/a b/it's/tidemark"))
                    .contains(QStringLiteral("Exec='/home/a b/it'\\''s/tidemark' -Embedding\n")));
}

TEST(DbusServiceFile, WritesFoldersAndRemovesQuietlyWhenNothingIsThere) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data/dbus-1/services/x.service"));
    EXPECT_TRUE(ServiceFile::remove(path));
    ASSERT_TRUE(ServiceFile::write(path, QStringLiteral("/opt/t/tidemark")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Exec=/opt/t/tidemark -Embedding\n"));
    file.close();
    EXPECT_TRUE(ServiceFile::remove(path));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(ServiceFile::remove(path));
}

}  // namespace
