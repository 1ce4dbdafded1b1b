// Builds KDImager3's example project: three blocks (a program, a bitmap and a
// table) at page-aligned addresses within the first six pages, with the model
// fields filled in, which the program's window keeps hidden.
//
// usage: kd-make-flash-example <project.spi>

#include "FlashTexts.h"
#include "Project.h"
#include "ui/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

using namespace kdi;

namespace {

// The model the simulated flash radio reports.
constexpr const char* kRadioModel = "KD-F1";

class ConsolePrompter : public zr50::Prompter {
public:
    using Prompter::Ask;
    zr50::Answer Ask(const QString& text, zr50::Buttons, zr50::Icon, const QString&) override {
        std::fprintf(stderr, "kd-make-flash-example: %s\n", qPrintable(text));
        failed = true;
        return zr50::Answer::Ok;
    }
    bool failed = false;
};

// A program image: a counting pattern that shows in a hex view.
QByteArray Program(int n) {
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i) b[i] = char((i * 7 + 3) & 0xFF);
    return b;
}

// A small 24-bit bitmap: a colour ramp.
QByteArray Bitmap(int w, int h) {
    const int row = (w * 3 + 3) & ~3;
    const int size = 54 + row * h;
    QByteArray b(size, '\0');
    auto put = [&b](int at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, uint32_t(size), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, uint32_t(w), 4);
    put(22, uint32_t(h), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, uint32_t(row * h), 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int at = 54 + y * row + x * 3;
            b[at] = char(x * 255 / std::max(1, w - 1));
            b[at + 1] = char(y * 255 / std::max(1, h - 1));
            b[at + 2] = char(0x80);
        }
    return b;
}

QByteArray Table(int n) {
    QByteArray b;
    for (int i = 0; b.size() < n; ++i) b += QByteArray::number(i).rightJustified(4, '0') + ';';
    return b.left(n);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kd-make-flash-example <project.spi>\n");
        return 2;
    }
    const QString spi = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(QFileInfo(spi).absolutePath());

    ConsolePrompter prompter;
    FlashProject project(prompter);
    project.ResetProjectHeader();
    QTemporaryDir sources;
    struct Source {
        const char* name;
        QByteArray bytes;
        int32_t address;
    };
    const Source blocks[] = {{"program.bin", Program(1500), 0x0000},
                             {"logo.bmp", Bitmap(24, 20), 0x0800},
                             {"table.bin", Table(600), 0x1400}};
    for (const Source& s : blocks) {
        const QString path = sources.filePath(QString::fromLatin1(s.name));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(s.bytes) != s.bytes.size()) return 1;
        f.close();
        if (!project.AddBlockFile(path)) return 1;
        project.BlockList.back().Address = s.address;
    }
    project.SetModelText(0, QString::fromLatin1(kRadioModel));
    project.SetModelText(1, QStringLiteral("V100"));
    project.SetModelText(2, QStringLiteral("KD-DEMO"));
    project.SetModelText(3, QStringLiteral("V1.00"));
    project.ProjHead.ModelInfoRec.FillFF = 1;
    project.ProjectPath = spi;
    if (!project.CheckModel(true) || !project.CheckBlockLayout() || !project.SaveProjectFile() || prompter.failed)
        return 1;
    return 0;
}
