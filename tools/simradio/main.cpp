// zr50-simradio: a simulated radio on a pseudo-terminal for ZR50 to talk to.

#include "SimRadio.h"
#include "link/Ports.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace zr50;

namespace {

int quitPipe[2] = {-1, -1};

void OnSignal(int) {
    const char c = 0;
    [[maybe_unused]] const auto n = ::write(quitPipe[1], &c, 1);
}

int Fail(const QString& text) {
    std::fprintf(stderr, "zr50-simradio: %s\n", qPrintable(text));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zr50-simradio"));
    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral(
        "Simulated KD4412 radio: prints the device to point ZR50 at, then answers it."));
    cli.addHelpOption();
    const QCommandLineOption model({QStringLiteral("m"), QStringLiteral("model")},
                                   QStringLiteral("Model text reported (default KD4412P)."),
                                   QStringLiteral("text"), QStringLiteral("KD4412P"));
    const QCommandLineOption firmware({QStringLiteral("f"), QStringLiteral("firmware")},
                                      QStringLiteral("Firmware version reported (default V200)."),
                                      QStringLiteral("text"), QStringLiteral("V200"));
    const QCommandLineOption extBand(QStringLiteral("ext-band"),
                                     QStringLiteral("Report the extended band."));
    const QCommandLineOption baud({QStringLiteral("b"), QStringLiteral("baud")},
                                  QStringLiteral("Throttle the line to this rate (0: none)."),
                                  QStringLiteral("rate"), QStringLiteral("0"));
    const QCommandLineOption image({QStringLiteral("i"), QStringLiteral("image")},
                                   QStringLiteral("Memory image file to serve."),
                                   QStringLiteral("file"));
    const QCommandLineOption save({QStringLiteral("s"), QStringLiteral("save")},
                                  QStringLiteral("File the written image is saved to."),
                                  QStringLiteral("file"));
    const QCommandLineOption link({QStringLiteral("l"), QStringLiteral("link")},
                                  QStringLiteral("Add the device to the port map as COM<n>."),
                                  QStringLiteral("n"));
    const QCommandLineOption portDir(QStringLiteral("port-dir"),
                                     QStringLiteral("Port map folder (default %1).")
                                         .arg(DefaultPortMapDir()),
                                     QStringLiteral("folder"));
    cli.addOptions({model, firmware, extBand, baud, image, save, link, portDir});
    cli.process(app);

    sim::SimRadio radio;
    radio.identity.model = cli.value(model).toLatin1();
    radio.identity.firmware = cli.value(firmware).toLatin1();
    radio.identity.extBand = cli.isSet(extBand);
    radio.SetBaudRate(cli.value(baud).toInt());
    radio.saveImageTo = cli.value(save);
    if (cli.isSet(image)) {
        QFile f(cli.value(image));
        if (!f.open(QIODevice::ReadOnly)) return Fail(f.errorString());
        const QByteArray bytes = f.readAll();
        if (bytes.size() > kMemImageSize)
            return Fail(QStringLiteral("%1 is larger than the radio's memory").arg(f.fileName()));
        std::copy(bytes.begin(), bytes.end(), radio.Image().begin());
    }
    QString error;
    if (!radio.Start(&error)) return Fail(error);

    QString linkPath;
    if (cli.isSet(link)) {
        const int n = cli.value(link).toInt();
        if (n < 1 || n > 999) return Fail(QStringLiteral("port number must be 1..999"));
        const QString dir = cli.isSet(portDir) ? cli.value(portDir) : DefaultPortMapDir();
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
