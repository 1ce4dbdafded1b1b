#include "FrequencyRules.h"

#include "Program.h"
#include "rules/Numbers.h"

#include <cmath>

namespace zr50 {

namespace {
const char* const kNoFrequency = "FFFFFFFF";

void ShowOutOfRange(Program& p) {
    p.prompter.Ask(p.T(p.texts.Msg.FreqOutOfRange), Buttons::Ok, Icon::Exclamation);
}

bool InRange(double f, double lo, double hi) { return f >= lo && f <= hi; }
}  // namespace

QString PadFreqText(const Document& doc, const QString& text) {
    if (text.isEmpty()) return text;
    QString t = IsNumeric(text) ? text : ShortestText(doc.Limits.BandMin);
    int p = t.indexOf(QLatin1Char('.'));
    if (p < 0) return t;
    // Two integer digits, so the stored digits always read as MHz "NN.nnnnnn".
    while (p < 2) {
        t.prepend(QLatin1Char('0'));
        ++p;
    }
    return t.left(2) + t.mid(p + 1);
}

QString FormatFreqText(Program& p, const QString& stored) {
    if (stored.isEmpty() || stored == QLatin1String(kNoFrequency)) return QString();
    // A number in digits may still fail once the point is placed ("&H10", "1e5").
    const auto v = IsNumeric(stored)
                       ? ParseNumber(stored.left(2) + QLatin1Char('.') + stored.mid(2))
                       : std::nullopt;
    if (!v) {
        p.prompter.Ask(QStringLiteral("Not IsNumeric"));
        return ShortestText(p.doc.Limits.BandMin);
    }
    return FormatFixed(*v, 5);
}

double SnapFreq(const Document& doc, double f) {
    const double h = RoundHalfEven(f * 1000000.0);
    const double b = RoundHalfEven(doc.Limits.BandMin * 1000000.0);
    // fmod keeps the sign of h - b: below the minimum the raster is approached upwards.
    const double r = std::fmod(h - b, 10.0);
    return (h - r) / 1000000.0;
}

double CheckFreqRange(Program& p, double f, bool clamp, bool show) {
    const BandLimits& l = p.doc.Limits;
    double limit = 0;
    if (p.doc.DataRec.CurBand == 0 && p.doc.RadioExtBand) {
        if (InRange(f, l.BandMin, l.BandMax) || InRange(f, l.Band2Min, l.Band2Max))
            return SnapFreq(p.doc, f);
        limit = f < l.Band2Min ? l.Band2Min : l.Band2Max;
    } else {
        if (InRange(f, l.BandMin, l.BandMax)) return SnapFreq(p.doc, f);
        limit = f < l.BandMin ? l.BandMin : l.BandMax;
    }
    if (show) ShowOutOfRange(p);
    return clamp ? limit : 0.0;
}

double FreqRangeFallback(Program& p, bool clamp, bool show) {
    if (show) ShowOutOfRange(p);
    return clamp ? p.doc.Limits.BandMin : 0.0;
}

QString NormalizeFreqInput(Program& p, const QString& text, bool clamp, bool show) {
    const auto f = ParseNumber(text);
    const double v = f ? CheckFreqRange(p, *f, clamp, show) : FreqRangeFallback(p, clamp, show);
    const QString s = FormatFixed(v, 5);
    return ParseNumber(s).value_or(0.0) == 0.0 ? QString() : s;
}

}  // namespace zr50
