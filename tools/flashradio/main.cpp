// kd-flashradio: a simulated radio on a pseudo-terminal for KDImager3 to flash.

#include "FlashRadio.h"
#include "link/Ports.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int quitPipe[2] = {-1, -1};

void OnSignal(int) {
    const char c = 0;
    [[maybe_unused]] const auto n = ::write(quitPipe[1], &c, 1);
}

int Fail(const QString& text) {
    std::fprintf(stderr, "kd-flashradio: %s\n", qPrintable(text));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kd-flashradio"));
    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral(
        "Simulated radio for KDImager3: prints the device to point KDImager3 at, then answers "
        "\"UPDATE\", the identity request, page frames, page reads and the end byte."));
    cli.addHelpOption();
    auto opt = [&](const char* name, const char* help, const char* value = nullptr,
                   const char* def = nullptr) {
        QCommandLineOption o(QString::fromLatin1(name), QString::fromLatin1(help));
        if (value) o.setValueName(QString::fromLatin1(value));
        if (def) o.setDefaultValue(QString::fromLatin1(def));
        cli.addOption(o);
        return o;
    };
    const auto model = opt("model", "Model reported (default KD-F1).", "text", "KD-F1");
    const auto version = opt("firmware", "Version reported (default V100).", "text", "V100");
    const auto baud = opt("baud", "Pace both directions at this rate (0: none).", "rate", "0");
    const auto echo = opt("echo", "Echo every byte heard (a half-duplex line: clear Duplex).");
    const auto dropEvery = opt("drop-every", "Answer no Nth frame.", "n", "0");
    const auto nakEvery = opt("nak-every", "Refuse every Nth good page with NAK.", "n", "0");
    const auto corruptEvery = opt("corrupt-every", "Spoil every Nth reply.", "n", "0");
    const auto stopAfter = opt("stop-after", "Answer nothing after N frames.", "n", "0");
    const auto split = opt("split", "Send each reply in this many pieces.", "n", "1");
    const auto pause = opt("split-pause", "Pause between pieces in ms.", "ms", "20");
    const auto image = opt("image", "Raw image served to page reads from address 0.", "file");
    const auto save = opt("save", "File the pages are saved to after each end byte "
                                  "(4-byte address, 1024 bytes, per page).", "file");
    const auto link = opt("link", "Add the device to the port map as COM<n>.", "n");
    const auto portDir = opt("port-dir", "Port map folder.", "folder");
    cli.process(app);

    kdi::sim::FlashRadio radio;
    radio.radio.model = cli.value(model).toLatin1();
    radio.radio.version = cli.value(version).toLatin1();
    radio.radio.dropEvery = cli.value(dropEvery).toInt();
    radio.radio.nakEvery = cli.value(nakEvery).toInt();
    radio.radio.corruptEvery = cli.value(corruptEvery).toInt();
    radio.radio.stopAfter = cli.value(stopAfter).toInt();
    radio.SetBaudRate(cli.value(baud).toInt());
    radio.SetEcho(cli.isSet(echo));
    radio.SplitReplies(cli.value(split).toInt(), cli.value(pause).toInt());
    radio.saveTo = cli.value(save);
    if (cli.isSet(image)) {
        QFile f(cli.value(image));
        if (!f.open(QIODevice::ReadOnly)) return Fail(f.errorString());
        radio.radio.LoadImage(f.read(64 << 20));
    }
    QString error;
    if (!radio.Start(&error)) return Fail(error);

    QString linkPath;
    if (cli.isSet(link)) {
        const int n = cli.value(link).toInt();
        if (n < 1 || n > 999) return Fail(QStringLiteral("port number must be 1..999"));
        const QString dir = cli.isSet(portDir) ? cli.value(portDir) : zr50::DefaultPortMapDir();
        QDir().mkpath(dir);
        linkPath = QDir(dir).filePath(QStringLiteral("com%1").arg(n));
        QFile::remove(linkPath);
        if (!QFile::link(radio.DevicePath(), linkPath)) return Fail("cannot create " + linkPath);
    }
    std::printf("%s\n", qPrintable(radio.DevicePath()));
    if (!linkPath.isEmpty())
        std::printf("COM%s -> %s\n", qPrintable(cli.value(link)), qPrintable(linkPath));
    std::fflush(stdout);

    if (::pipe(quitPipe) != 0) return Fail(QStringLiteral("pipe"));
    QSocketNotifier quit(quitPipe[0], QSocketNotifier::Read);
    QObject::connect(&quit, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    const int rc = app.exec();
    if (!linkPath.isEmpty()) QFile::remove(linkPath);
    return rc;
}
