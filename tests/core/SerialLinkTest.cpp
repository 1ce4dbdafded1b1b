// The Qt serial line on a pseudo-terminal, the reply timer, the port list and
// the simulated radio on the far end of a line.

#include "link/Ports.h"
#include "link/SerialLink.h"
#include "PseudoTerminal.h"
#include "SimRadio.h"
#include "support/Scripted.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zr50;
using sim::Corruption;
using sim::FrameKind;

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
    l.port.ClearInput();
    l.pty.Write("0123456789abcdef");
    ASSERT_TRUE(test::RunUntil([&] { return l.deliveries.size() == 2; }));
    EXPECT_EQ(l.deliveries.last(), QByteArray("0123456789abcdef"));
}

// A send forgets what came in, never what is going out: the frame before may
// not have left yet, and the radio must hear it whole.
TEST(SerialLink, OutputStillOnItsWayLeavesWholeWhateverIsSentBehindIt) {
    Line l;
    ASSERT_TRUE(l.port.Open(l.pty.DevicePath(), LineSettings{}));
    const QByteArray page(1032, 'p');
    l.port.Output(page);
    EXPECT_EQ(l.port.OutputPending(), page.size());  // nothing written before the event loop runs
    l.port.ClearInput();
    l.port.Output("next");
    QByteArray far;
    ASSERT_TRUE(test::RunUntil([&] { return (far += l.pty.ReadAvailable()).size() >= page.size() + 4; }));
    EXPECT_EQ(far, page + "next");
    EXPECT_EQ(l.port.OutputPending(), 0);
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
    EXPECT_EQ(other.LastOpenFailure(), OpenFailure::Busy);
    EXPECT_FALSE(other.Open(link, LineSettings{}));
    EXPECT_EQ(other.LastOpenFailure(), OpenFailure::Busy);
    EXPECT_FALSE(other.Open(dir.filePath(QStringLiteral("missing")), LineSettings{}));
    EXPECT_EQ(other.LastOpenFailure(), OpenFailure::NoDevice);
    EXPECT_FALSE(other.Open(QString(), LineSettings{}));  // a port number without a device
    EXPECT_EQ(other.LastOpenFailure(), OpenFailure::NoDevice);
    l.port.Close();
    EXPECT_TRUE(other.Open(l.pty.DevicePath(), LineSettings{}));
    EXPECT_EQ(other.LastOpenFailure(), OpenFailure::None);
    EXPECT_TRUE(other.Open(l.pty.DevicePath(), LineSettings{}));  // an open port is reopened
}

// The open as a user without the rights to the device: as root, a child
// process that has become "nobody" tries it.
OpenFailure OpenWithoutPermission(const QString& device) {
    if (::geteuid() != 0) {
        SerialLinkPort port;
        return port.Open(device, LineSettings{}) ? OpenFailure::None : port.LastOpenFailure();
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(100);
        SerialLinkPort port;
        ::_exit(port.Open(device, LineSettings{}) ? int(OpenFailure::None) : int(port.LastOpenFailure()));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? OpenFailure(WEXITSTATUS(status)) : OpenFailure::Unknown;
}

TEST(SerialLink, ADeviceWithoutPermissionIsToldApartFromABusyOne) {
    Line l;
    const QByteArray device = QFile::encodeName(l.pty.DevicePath());
    ASSERT_EQ(::chmod(device.constData(), 0), 0);
    EXPECT_EQ(OpenWithoutPermission(l.pty.DevicePath()), OpenFailure::NoPermission);
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

// ----------------------------------------------------------------------------
// The simulated radio: how it reads the byte stream, what it answers and its
// fault knobs, seen from a serial port on the other end of its line.

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

QByteArray WriteFrame(int addr, const QByteArray& data) {
    QByteArray f = QByteArray("W") + char(addr >> 8) + char(addr) + char(data.size()) + data + '\0' + '\x06';
    f[f.size() - 2] = char(sim::FrameChecksum(f));
    return f;
}

struct Radio {
    Radio() {
        test::CoreApp();
        EXPECT_TRUE(radio.Start());
        pc.onReceive = [this](const QByteArray& b) { got += b; };
        pc.onLineLost = [this] { lost = true; };
        EXPECT_TRUE(pc.Open(radio.DevicePath(), LineSettings{}));
    }
    // Sends a frame and returns the next n bytes the radio sends back.
    QByteArray Ask(const QByteArray& frame, int n) {
        got.clear();
        pc.Output(frame);
        test::RunUntil([&] { return got.size() >= n; });
        return got;
    }
    // Sends a frame that must get no answer: true when, once the radio has heard
    // it, the next bytes back are the reply to an identity request.
    bool Unanswered(const QByteArray& frame, bool replug = false) {
        got.clear();
        const auto heard = [&] { return radio.received.size() + radio.counters.badFrames + radio.counters.garbage; };
        const size_t before = heard();
        pc.Output(frame);
        test::RunUntil([&] { return heard() > before; });
        if (replug) radio.SetUnplugged(false);
        pc.Output("\x02");
        test::RunUntil([&] { return got.size() >= 16; });
        return got.size() == 16 && got.startsWith('I');
    }
    sim::SimRadio radio;
    SerialLinkPort pc;
    QByteArray got;
    bool lost = false;
};

}  // namespace

TEST(SimRadio, AnswersEveryFrameInAnyChunking) {
    Radio r;
    r.radio.identity = {"KD44", true, "V210"};
    r.pc.Output("PRO");
    test::RunUntil([&] { return r.radio.counters.bytesIn >= 3; });
    EXPECT_EQ(r.Ask("GRAM", 3), QByteArray("KD\x06"));
    EXPECT_EQ(r.Ask("xyPX\x02", 16), Hex("49" "4b443434000000" "01" "56323130" "000000"));
    EXPECT_EQ(r.radio.counters.garbage, 4);  // bytes that start no frame
    EXPECT_EQ(r.Ask(Hex("52123010"), 22), Hex("57123010" "ffffffffffffffffffffffffffffffff" "4206"));

    const QByteArray data = Hex("00112233445566778899aabbccddeeff");
    QByteArray bad = WriteFrame(0x0000, data);
    bad[20] = char(bad[20] + 1);
    EXPECT_TRUE(r.Unanswered(bad));
    EXPECT_EQ(r.radio.Image()[0], 0xFF);
    QTemporaryDir dir;
    r.radio.saveImageTo = dir.filePath(QStringLiteral("written.bin"));
    EXPECT_EQ(r.Ask(WriteFrame(0x5CB0, data) + "END", 2), QByteArray("\x06\x06"));
    EXPECT_EQ(r.Ask(Hex("525cb010"), 22), WriteFrame(0x5CB0, data));
    const QByteArray saved = test::ReadFile(r.radio.saveImageTo);
    EXPECT_EQ(saved.size(), kMemImageSize);
    EXPECT_EQ(saved.mid(0x5CB0, 16), data);
    const sim::RadioCounters& c = r.radio.counters;
    EXPECT_EQ(std::make_tuple(c.program, c.ident, c.reads, c.writes, c.ends, c.badFrames),
              std::make_tuple(1, 2, 2, 1, 1, 1));
}

TEST(SimRadio, FaultKnobs) {
    Radio r;
    r.radio.DropNextReplies(1);
    EXPECT_TRUE(r.Unanswered("PROGRAM"));
    r.radio.DropRepliesTo(FrameKind::Read, 0x0010);
    EXPECT_EQ(r.Ask(Hex("52000010"), 22).size(), 22);
    EXPECT_TRUE(r.Unanswered(Hex("52001010")));
    EXPECT_EQ(r.radio.counters.dropped, 2);

    const QByteArray good = r.Ask(Hex("52002010"), 22);
    for (Corruption how : {Corruption::Checksum, Corruption::Address, Corruption::Length, Corruption::Tail})
        r.radio.CorruptReplyTo(FrameKind::Read, 0x0020, how);
    const QByteArray spoilt = r.Ask(Hex("52002010"), 22);
    ASSERT_EQ(spoilt.size(), 22);
    EXPECT_TRUE(spoilt[2] != good[2] && spoilt[3] != good[3] && spoilt[20] != good[20] && spoilt[21] != good[21]);
    EXPECT_EQ(r.Ask(Hex("52002010"), 22), good);  // each rule spoilt one reply
    r.radio.CorruptReplyTo(FrameKind::End, -1, Corruption::Tail, -1);
    EXPECT_EQ(r.Ask("END", 1) + r.Ask("END", 1), QByteArray("\x15\x15"));

    r.radio.ClearFaults();
    r.radio.SplitReplies(3, 15);
    r.radio.SetReplyDelay(5);
    const int chunks = r.radio.counters.chunksOut;
    EXPECT_EQ(r.Ask(Hex("52000010"), 22).size(), 22);
    EXPECT_EQ(r.radio.counters.chunksOut - chunks, 3);
    r.radio.ClearFaults();
    r.radio.SetEcho(true);
    EXPECT_EQ(r.Ask("PROGRAM", 10), QByteArray("PROGRAMKD\x06"));
    // The echo of bytes heard together leaves together: a write per byte would
    // cost a pump pass each and let a loaded machine stretch a long echo.
    const int writes = r.radio.counters.chunksOut;
    const QByteArray noise(1000, 'x');  // starts no frame
    EXPECT_EQ(r.Ask(noise, 1000), noise);
    EXPECT_LT(r.radio.counters.chunksOut - writes, 100);
    r.radio.ClearFaults();
    r.radio.SetBaudRate(19200);
    EXPECT_EQ(r.Ask(Hex("52001010") + Hex("52002010"), 44).size(), 44);

    // Unplugged, it hears but answers nothing; pulled out, the line is lost.
    r.radio.SetUnplugged(true);
    EXPECT_TRUE(r.Unanswered("PROGRAM", true));
    r.radio.onFrame = [&](const sim::Frame& f) {
        if (f.kind == FrameKind::Read) r.radio.CloseLine();
    };
    r.pc.Output(Hex("52000010"));
    ASSERT_TRUE(test::RunUntil([&] { return r.lost; }));
    EXPECT_FALSE(r.pc.IsOpen());
}
