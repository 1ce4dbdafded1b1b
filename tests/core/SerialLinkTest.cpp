// The Qt serial line on a pseudo-terminal, and the port list.

#include "link/Ports.h"
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

TEST(Ports, DeviceNumbering) {
    EXPECT_EQ(PortNumberOfDevice(QStringLiteral("ttyS0")), 1);
    EXPECT_EQ(PortNumberOfDevice(QStringLiteral("ttyS31")), 32);
    EXPECT_EQ(PortNumberOfDevice(QStringLiteral("ttyUSB2")), 35);
    EXPECT_EQ(PortNumberOfDevice(QStringLiteral("ttyACM0")), 65);
    for (const char* other : {"ttyS32", "ttyUSB01", "ttyACM", "ttyAMA0", "pts/3", "ttyS-1"})
        EXPECT_EQ(PortNumberOfDevice(QLatin1String(other)), 0) << other;
}

TEST(Ports, PortMapAddsLinksToPresentDevices) {
    test::CoreApp();
    sim::PseudoTerminal a, b;
    ASSERT_TRUE(a.Open());
    ASSERT_TRUE(b.Open());
    QTemporaryDir dir;
    auto link = [&](const QString& target, const char* name) {
        ASSERT_TRUE(QFile::link(target, dir.filePath(QLatin1String(name))));
    };
    link(b.DevicePath(), "com250");
    link(a.DevicePath(), "COM200");
    link(dir.filePath(QStringLiteral("gone")), "com201");
    link(a.DevicePath(), "com1000");
    link(a.DevicePath(), "com0");
    link(a.DevicePath(), "comx");

    const SerialPortList list = EnumSerialPorts(dir.path());
    std::vector<std::pair<int, QString>> mapped;
    for (const SerialPortEntry& e : list.entries) {
        if (e.number >= 100) mapped.push_back({e.number, e.device});
        EXPECT_LE(e.number, 999);
    }
    const std::vector<std::pair<int, QString>> want = {{200, a.DevicePath()},
                                                       {250, b.DevicePath()}};
    EXPECT_EQ(mapped, want);
    EXPECT_EQ(list.first, list.entries.front().number);
    EXPECT_EQ(DeviceForPort(250, dir.path()), b.DevicePath());
    EXPECT_EQ(DeviceForPort(201, dir.path()), QString());

    qputenv("KDRADIO_PORT_DIR", dir.path().toLocal8Bit());
    EXPECT_EQ(DefaultPortMapDir(), dir.path());
    EXPECT_EQ(DeviceForPort(200), a.DevicePath());
    qunsetenv("KDRADIO_PORT_DIR");

    QTemporaryDir empty;
    const SerialPortList none = EnumSerialPorts(empty.path());
    EXPECT_EQ(none.first, none.entries.empty() ? 0 : none.entries.front().number);
}
