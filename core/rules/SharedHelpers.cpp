#include "SharedHelpers.h"

#include "model/Document.h"

#include "rules/Numbers.h"

namespace zr50 {

int StrToIntDef(const QString& s, int d) {
    const auto v = ToInt16(s);
    return v ? *v : d;
}

QString DtmfCodeToChar(int code) {
    QString h = QString::number(code, 16).toUpper();
    if (h == QLatin1String("E")) return QStringLiteral("*");
    if (h == QLatin1String("F")) return QStringLiteral("#");
    return h;
}

int DtmfCharToCode(const QString& text) {
    if (text.isEmpty()) return 16;
    QChar k = text.at(0);
    if (k == QLatin1Char('#')) k = QLatin1Char('F');
    if (k == QLatin1Char('*')) k = QLatin1Char('E');
    bool ok = false;
    const int v = QString(k).toInt(&ok, 16);
    return ok ? v : 16;
}

namespace {
const char* const kBand0Names[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                   "J", "K", "L", "M", "N", "O", "MEM", "VFO"};
const char* const kBand1Names[] = {"A", "B", "C", "D", "E", "F", "G",
                                   "H", "I", "J", "K", "L", "MEM", "VFO"};
}  // namespace

QString GroupNameOf(int band, int index) {
    if (band == 0) return QLatin1String(index >= 1 && index <= 17 ? kBand0Names[index - 1] : "A");
    if (band == 1) return QLatin1String(index >= 1 && index <= 14 ? kBand1Names[index - 1] : "A");
    return QString();
}

int GroupIndexOf(int band, const QString& name) {
    if (band != 0 && band != 1) return 0;
    for (int i = 1; i <= GroupCount(band); ++i)
        if (GroupNameOf(band, i) == name) return i;
    return 0;
}

void ParseBandText(const QString& bandText, BandLimits& limits) {
    const int p = bandText.indexOf(QLatin1String(" - "));
    if (p < 0) {
        limits.BandMin = 100.0;
        limits.BandMax = 500.0;
        return;
    }
    const int q = bandText.indexOf(QLatin1String(" MHz"), p);
    const auto lo = ParseNumber(bandText.left(p));
    limits.BandMin = lo ? *lo : 100.0;
    const auto hi = ParseNumber(q >= 0 ? bandText.mid(p + 3, q - p - 3) : bandText.mid(p + 3));
    limits.BandMax = hi ? *hi : 500.0;
    limits.Band2Min = 21.0;
    limits.Band2Max = 21.5;
}

QString Hex2(uint8_t b) { return QStringLiteral("%1").arg(uint(b), 2, 16, QLatin1Char('0')).toUpper(); }

bool StrEq(const QString& a, const QString& b) { return a == b; }

bool IsVersionText(const QString& t) {
    const QString u = StripNull(t);
    if (u.size() != 4 || u.at(0) != QLatin1Char('V')) return false;
    for (int i = 1; i < 4; ++i)
        if (!u.at(i).isDigit()) return false;
    return true;
}

}  // namespace zr50
