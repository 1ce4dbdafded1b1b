// Builds the document templates of the installation tree from the program's
// own defaults and writes them with its own file writer:
//   <band kind>_KD4412_New.dat/.fre  blank starting point
//   <band kind>_KD4412.dat/.fre      initial settings (a fuller channel plan)
// Band kind 0 is the HF band, 1 the HAM band.
//
// usage: zr50-make-templates <Init folder>

#include "Program.h"
#include "files/DocumentFiles.h"
#include "files/NewDocument.h"
#include "rules/ChannelEdit.h"
#include "rules/Defaults.h"
#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <vector>

using namespace zr50;

namespace {

// Nothing asks questions while the templates are built; a message means failure.
class ConsolePrompter : public Prompter {
public:
    using Prompter::Ask;
    Answer Ask(const QString& text, Buttons, Icon, const QString&) override {
        std::fprintf(stderr, "zr50-make-templates: %s\n", qPrintable(text));
        return Answer::Ok;
    }
    QString ChooseOpenFile(const QString&) override { return QString(); }
    QString ChooseSaveFile(const QString&, const QString&) override { return QString(); }
};

struct Channel {
    int number;
    double mhz;
    int mode = 0;  // FM
};

// Offsets in kHz of the 40 channels of one 450 kHz block, in the usual
// 11-metre pattern (channels 23..25 out of order).
constexpr int kBlockOffsets[40] = {0,   10,  20,  40,  50,  60,  70,  90,  100, 110,
                                   120, 140, 150, 160, 170, 190, 200, 210, 220, 240,
                                   250, 260, 290, 270, 280, 300, 310, 320, 330, 340,
                                   350, 360, 370, 380, 390, 400, 410, 420, 430, 440};

// Channels of the initial settings per (band, group); empty groups are not valid.
std::vector<Channel> InitialPlan(int band, int group) {
    std::vector<Channel> out;
    if (group == VfoGroupOf(band)) return {{1, band == 0 ? 27.185 : 28.400}};
    if (band == 0) {
        // Groups A..L: twelve 450 kHz blocks filling 24.715 - 30.105 MHz.
        if (group == MemGroupOf(0)) {
            int n = 0;
            for (double f : {26.965, 27.065, 27.185, 27.405, 28.400}) out.push_back({++n, f});
        } else if (group <= 12) {
            for (int n = 1; n <= 40; ++n)
                out.push_back({n, 24.715 + (group - 1) * 0.450 + kBlockOffsets[n - 1] / 1000.0});
        }
        return out;
    }
    // HAM band: 10 kHz steps, SSB below 29.2 MHz and FM above.
    if (group == MemGroupOf(1)) {
        int n = 0;
        for (double f : {28.400, 28.500, 29.000, 29.600, 29.620}) out.push_back({++n, f});
    } else if (group <= 4) {
        for (int n = 1; n <= 40; ++n) {
            const double f = 28.000 + ((group - 1) * 40 + n - 1) * 0.010;
            out.push_back({n, f, f < 29.2 ? 2 : 0});
        }
    } else if (group == 5) {
        for (int n = 1; n <= 10; ++n) out.push_back({n, 29.600 + (n - 1) * 0.010});
    }
    return out;
}

// Channel 1 at the group's default frequency in groups 1..10, and the VFO.
std::vector<Channel> BlankPlan(int band, int group) {
    if (group == VfoGroupOf(band)) return {{1, 28.015}};
    const QString f = DefaultGroupFrequency(group);
    if (f.isEmpty()) return {};
    return {{1, *ParseNumber(f)}};
}

template <class Plan>
void Shape(Document& doc, int kind, Plan plan) {
    DataHeaderRec& d = doc.DataRec;
    OptFeatRec& o = d.OptFeat;
    d.CurBand = int16_t(kind);
    doc.SetBandText(BandTextOf(kind));
    d.FileId.InitBandKind = int16_t(kind);
    d.CurGroup = {1, 1};
    o.WorkGroup = {1, 1};
    d.CWFreq = 30;  // the first entry of its list
    for (int band = 0; band < kBands; ++band) {
        for (int g = 1; g <= kMaxGroups; ++g) d.ChCount(band, g) = 0;
        for (int g = 1; g <= GroupCount(band); ++g) {
            d.CurRow(band, g) = 1;
            o.GroupName(band, g).set(GroupNameOf(band, g) + QChar(0));
            // Every group refers to channel 1, so each reference fits the radio's byte.
            o.EmgCh(band, g, 0) = o.EmgCh(band, g, 1) = 1;
            o.EmgMode(band, g, 0) = o.EmgMode(band, g, 1) = 1;
            o.MemCh(band, g) = 1;
            o.GroupChRef(band, g) = 41;
            const std::vector<Channel> channels = plan(band, g);
            o.GroupValid(band, g) = channels.empty() ? 0 : 1;
            for (const Channel& c : channels) {
                AddChannel(doc, c.number, band, g, FormatFixed(c.mhz, 6));
                doc.ChData(band, d.ChCount(band, g), g).Mode = int16_t(c.mode);
            }
        }
    }
}

bool Build(const QString& folder, int kind, bool blank) {
    ConsolePrompter prompter;
    NoForms forms;
    SystemProcess process;
    Program p(prompter, forms, process);
    InitEnglishText(p.texts);
    p.settings.SkipInitFile = 1;  // the defaults alone
    InitNewData(p);
    if (blank)
        Shape(p.doc, kind, BlankPlan);
    else
        Shape(p.doc, kind, InitialPlan);
    p.doc.DataFileName =
        folder + QStringLiteral("/%1_KD4412%2.dat").arg(kind).arg(blank ? "_New" : "");
    return WriteDataFile(p);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zr50-make-templates <Init folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) return 1;
    for (int kind : {0, 1})
        for (bool blank : {true, false})
            if (!Build(folder, kind, blank)) return 1;
    return 0;
}
