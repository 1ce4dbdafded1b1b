// The Qt serial line on a pseudo-terminal.

#include "link/SerialLink.h"
#include "PseudoTerminal.h"
#include "support/EventLoop.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zr50;

namespace {

struct Line {
    Line() {
        test::CoreApp();
        QString err;
        opened = pty.Open(&err);
        EXPECT_TRUE(opened) << err.toStdString();
        port.onReceive = [this](const QByteArray& b) { deliveries << b; };
        port.onLineLost = [this] { ++lost; };
    }
    // What the far end received.
    QByteArray FarRead(int n) {
        test::RunUntil([&] { far += pty.ReadAvailable(); return far.size() >= n; });
        return far;
    }
    sim::PseudoTerminal pty;
    SerialLinkPort port;
    QList<QByteArray> deliveries;
    QByteArray far;
    int lost = 0;
    bool opened = false;
};

}  // namespace

TEST(SerialLink, DeliversEverythingOnceTheThresholdIsBuffered) {
    Line l;
    ASSERT_TRUE(l.port.Open(l.pty.DevicePath(), LineSettings{}));
    l.port.Output("PROGRAM");
    EXPECT_EQ(l.FarRead(7), QByteArray("PROGRAM"));

    l.port.SetThreshold(3);
    l.pty.Write("KD");
    QTest::qWait(50);
    EXPECT_TRUE(l.deliveries.isEmpty());
    l.pty.Write(QByteArray("\x06", 1));
    ASSERT_TRUE(test::RunUntil([&] { return !l.deliveries.isEmpty(); }));
    EXPECT_EQ(l.deliveries, QList<QByteArray>{QByteArray("KD\x06")});

    // Cleared bytes never arrive.
    l.port.SetThreshold(16);
    l.pty.Write("stale");
    QTest::qWait(50);
    l.port.ClearBuffers();
    l.pty.Write("0123456789abcdef");
    ASSERT_TRUE(test::RunUntil([&] { return l.deliveries.size() == 2; }));
    EXPECT_EQ(l.deliveries.last(), QByteArray("0123456789abcdef"));
}

TEST(SerialLink, OpenIsExclusiveAndSurvivesAClose) {
    Line l;
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com4"));
    ASSERT_TRUE(QFile::link(l.pty.DevicePath(), link));
    LineSettings both;
    both.handshaking = 3;
    both.stopBits = 2;
    ASSERT_TRUE(l.port.Open(link, both));
    SerialLinkPort other;
    EXPECT_FALSE(other.Open(l.pty.DevicePath(), LineSettings{}));
    EXPECT_FALSE(other.Open(link, LineSettings{}));
    EXPECT_FALSE(other.Open(dir.filePath(QStringLiteral("missing")), LineSettings{}));
    l.port.Close();
    EXPECT_TRUE(other.Open(l.pty.DevicePath(), LineSettings{}));
    // Opening an open port again reopens it.
    EXPECT_TRUE(other.Open(l.pty.DevicePath(), LineSettings{}));
}

TEST(SerialLink, DeviceGoneIsReportedOnce) {
    Line l;
    ASSERT_TRUE(l.port.Open(l.pty.DevicePath(), LineSettings{}));
    l.pty.Close();
    ASSERT_TRUE(test::RunUntil([&] { return l.lost > 0; }));
    QTest::qWait(50);
    EXPECT_EQ(l.lost, 1);
    EXPECT_FALSE(l.port.IsOpen());
}

TEST(ReplyTimer, SingleShotAndRestartable) {
    test::CoreApp();
    TimerReply t;
    EXPECT_EQ(t.Interval(), 300);
    t.SetInterval(5);
    int fired = 0;
    t.onTimeout = [&] { ++fired; };
    t.Start();
    EXPECT_TRUE(t.IsActive());
    ASSERT_TRUE(test::RunUntil([&] { return fired == 1; }));
    EXPECT_FALSE(t.IsActive());
    t.Start();
    t.Stop();
    QTest::qWait(30);
    EXPECT_EQ(fired, 1);
}
