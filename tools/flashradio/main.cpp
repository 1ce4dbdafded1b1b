// kd-flashradio: a simulated radio on a pseudo-terminal for KDImager3 to flash.

#include "FlashRadio.h"
#include "RadioMain.h"
#include "link/Ports.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

namespace {

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
    const auto baud = opt("baud", "Pace both directions at this rate (0: none; default: the rate "
                                  "KDImager3 set on the line).", "rate", "line");
    const auto echo = opt("echo", "Echo every byte heard (a half-duplex line: clear Duplex).");
    const auto dropEvery = opt("drop-every", "Answer no Nth frame.", "n", "0");
    const auto nakEvery = opt("nak-every", "Refuse every Nth good page with NAK.", "n", "0");
    const auto corruptEvery = opt("corrupt-every", "Spoil every Nth reply.", "n", "0");
    const auto stopAfter = opt("stop-after", "Answer nothing after N frames.", "n", "0");
    const auto lateFrame = opt("late-frame", "Answer frame N (the handshake is frame 1) late.", "n", "0");
    const auto lateMs = opt("late-ms", "How late, in ms; later answers go out first.", "ms", "1500");
    const auto strayFrame = opt("stray-frame", "Put one stray byte 0x06 on the line before frame N.", "n", "0");
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
    radio.lateFrame = cli.value(lateFrame).toInt();
    radio.lateMs = cli.value(lateMs).toInt();
    radio.strayFrame = cli.value(strayFrame).toInt();
    if (cli.value(baud) != QLatin1String("line")) radio.SetBaudRate(cli.value(baud).toInt());
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
    const int n = cli.value(link).toInt();
    if (cli.isSet(link)) {
        linkPath = zr50::sim::LinkIntoPortMap(n, cli.value(portDir), radio.DevicePath(), &error);
        if (linkPath.isEmpty()) return Fail(error);
    }
    return zr50::sim::RunUntilSignalled(app, radio.DevicePath(), n, linkPath);
}
