// zr50-simradio: a simulated radio on a pseudo-terminal for ZR50 to talk to.

#include "SimRadio.h"
#include "RadioMain.h"
#include "link/Ports.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

using namespace zr50;

namespace {

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
    const int n = cli.value(link).toInt();
    if (cli.isSet(link)) {
        linkPath = sim::LinkIntoPortMap(n, cli.value(portDir), radio.DevicePath(), &error);
        if (linkPath.isEmpty()) return Fail(error);
    }
    return sim::RunUntilSignalled(app, radio.DevicePath(), n, linkPath);
}
