// The Qt serial line on a pseudo-terminal, the reply timer and the port list.

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
        EXPECT_TRUE(pty.Open(&err)) << err.toStdString();
        port.onReceive = [this](const QByteArray& b) { deliveries << b; };
        port.onLineLost = [this] { ++lost; };
    }
    sim::PseudoTerminal pty;
    SerialLinkPort port;
    QList<QByteArray> deliveries;
    int lost = 0;
};

}  // namespace

TEST(SerialLink, ASplitReplyIsDeliveredWholeOnceTheThresholdIsBuffered) {
    Line l;
    ASSERT_TRUE(l.port.Open(l.pty.DevicePath(), LineSettings{}));
    l.port.Output("PROGRAM");
    QByteArray far;
    test::RunUntil([&] { return (far += l.pty.ReadAvailable()).size() >= 7; });
    EXPECT_EQ(far, QByteArray("PROGRAM"));

    l.port.SetThreshold(3);
    l.pty.Write("KD");
    QTest::qWait(50);  // the first piece is taken in before the second comes
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
    EXPECT_TRUE(other.Open(l.pty.DevicePath(), LineSettings{}));  // an open port is reopened
}

TEST(SerialLink, DeviceGoneIsReportedOnce) {
    Line l;
    ASSERT_TRUE(l.port.Open(l.pty.DevicePath(), LineSettings{}));
    l.pty.Close();
    ASSERT_TRUE(test::RunUntil([&] { return l.lost > 0; }));
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(l.lost, 1);
    EXPECT_FALSE(l.port.IsOpen());
}

TEST(ReplyTimer, FiresOnce) {
    test::CoreApp();
    TimerReply t(1);
    int fired = 0;
    t.onTimeout = [&] { ++fired; };
    t.Start();
    EXPECT_TRUE(t.IsActive());
    ASSERT_TRUE(test::RunUntil([&] { return fired == 1; }));
    EXPECT_FALSE(t.IsActive());
}

TEST(Ports, DeviceNumbering) {
    const std::pair<const char*, int> names[] = {{"ttyS0", 1},    {"ttyS31", 32}, {"ttyUSB2", 35},
                                                 {"ttyACM0", 65}, {"ttyS32", 0},  {"ttyUSB01", 0},
                                                 {"ttyACM", 0},   {"ttyAMA0", 0}, {"pts/3", 0},
                                                 {"ttyS-1", 0}};
    for (const auto& [name, number] : names) EXPECT_EQ(PortNumberOfDevice(QLatin1String(name)), number) << name;
}

TEST(Ports, PortMapAddsLinksToPresentDevices) {
    test::CoreApp();
    sim::PseudoTerminal a, b;
    ASSERT_TRUE(a.Open() && b.Open());
    QTemporaryDir dir;
    for (const auto& [target, name] : {std::pair{b.DevicePath(), "com250"}, {a.DevicePath(), "COM200"},
                                       {dir.filePath(QStringLiteral("gone")), "com201"},
                                       {a.DevicePath(), "com1000"}, {a.DevicePath(), "com0"},
                                       {a.DevicePath(), "comx"}})
        ASSERT_TRUE(QFile::link(target, dir.filePath(QLatin1String(name))));

    const SerialPortList list = EnumSerialPorts(dir.path());
    std::vector<std::pair<int, QString>> mapped;
    for (const SerialPortEntry& e : list.entries) {
        if (e.number >= 100) mapped.push_back({e.number, e.device});
        EXPECT_LE(e.number, 999);
    }
    EXPECT_EQ(mapped, (std::vector<std::pair<int, QString>>{{200, a.DevicePath()}, {250, b.DevicePath()}}));
    EXPECT_EQ(list.first, list.entries.front().number);
    EXPECT_EQ(DeviceForPort(201, dir.path()), QString());

    qputenv("KDRADIO_PORT_DIR", dir.path().toLocal8Bit());
    EXPECT_EQ(DeviceForPort(200), a.DevicePath());
    qunsetenv("KDRADIO_PORT_DIR");
}
