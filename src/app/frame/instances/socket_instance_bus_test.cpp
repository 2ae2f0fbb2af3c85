#include "app/frame/instances/socket_instance_bus.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/instance_bus/instance_message.h"

namespace {

using namespace std::chrono_literals;
using tidemark::instance::MessageKind;

class CountingHandler : public InstanceQueryHandler {
public:
    void addRecentPath(const QString&) override {}
    bool holdsNote(const QString&, tidemark::ItemId) override { return false; }
    void reloadSettings(bool) override {}
    void scriptsChanged() override {}
    void bringToFront() override {}
    void close() override { ++closes; }
    bool isResident() override { return resident; }
    bool defaultNoteChanged() override { return false; }

    int closes = 0;
    bool resident = false;
};

class SocketInstanceBusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        folder = temp.filePath(QStringLiteral("tidemark"));
        ASSERT_TRUE(bus.start(folder)) << bus.error().toStdString();
        bus.serve(&handler);
    }

    // Sends one frame to this process's own socket, as another window would.
    void sendToSelf(MessageKind kind) {
        auto* socket = new QLocalSocket(&sender);
        socket->connectToServer(bus.bus().socketPath());
        const std::optional<std::vector<std::uint8_t>> frame =
            tidemark::instance::EncodeFrame({kind, 0, {}});
        ASSERT_TRUE(frame.has_value());
        socket->write(reinterpret_cast<const char*>(frame->data()),
                      static_cast<qint64>(frame->size()));
        socket->flush();
    }

    QTemporaryDir temp;
    QString folder;
    CountingHandler handler;
    SocketInstanceBus bus;
    QObject sender;
};

TEST_F(SocketInstanceBusTest, ACloseThatComesWhileThisWindowAsksOthersWaitsUntilTheAskingEnds) {
    // A window that takes the question and never answers: the asking lasts
    // until the bound.
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(QDir(folder).filePath(QStringLiteral("window-999999"))));
    bus.bus().setAnswerBound(400ms);

    int closesWhileAsking = -1;
    QTimer::singleShot(50, [this] { sendToSelf(MessageKind::Close); });
    QTimer::singleShot(300, [this, &closesWhileAsking] { closesWhileAsking = handler.closes; });
    bus.bringAllToFront();

    EXPECT_EQ(closesWhileAsking, 0);
    EXPECT_EQ(handler.closes, 0);
    QTest::qWait(50);
    EXPECT_EQ(handler.closes, 1);
}

TEST_F(SocketInstanceBusTest, ACloseAtRestIsActedOnAtOnce) {
    sendToSelf(MessageKind::Close);
    for (int i = 0; i < 100 && handler.closes == 0; ++i)
        QTest::qWait(10);
    EXPECT_EQ(handler.closes, 1);
}

TEST_F(SocketInstanceBusTest, TheResidentRoleIsRefusedWhileAnotherProcessHoldsItsLock) {
    // Another resident process that has not answered yet still holds the lock.
    QLockFile other(QDir(folder).filePath(QStringLiteral("resident.lock")));
    ASSERT_TRUE(other.tryLock(0));
    EXPECT_FALSE(bus.claimResident());
    other.unlock();
    EXPECT_TRUE(bus.claimResident());
}

TEST_F(SocketInstanceBusTest, WithoutAHandlerThisProcessHoldsNothingAndIsNotResident) {
    bus.serve(nullptr);
    handler.resident = true;
    // Asked as another window would ask it.
    InstanceQueryResult result =
        queryInstances(folder, QString(), MessageKind::IsResident, QString(), 0, 2000ms);
    EXPECT_FALSE(result.found);
    EXPECT_EQ(result.answered.size(), 1);
}

}  // namespace
