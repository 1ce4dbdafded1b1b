#include "ToneCodes.h"

#include "model/Records.h"
#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"

#include <array>
#include <cstdlib>

namespace zr50 {

namespace {
const std::array<const char*, kCtcssTones> kCtcss = {
    "67.0",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",  "94.8",
    "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3", "131.8",
    "136.5", "141.3", "146.2", "151.4", "156.7", "162.2", "167.9", "173.8", "179.9", "186.2",
    "192.8", "203.5", "210.7", "218.1", "225.7", "233.6", "241.8", "250.3"};

const std::array<const char*, kDcsCodes> kDcs = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

// Zero-padded to the width, the sign in front as a number format would put it.
QString Padded(int v, int width) {
    const QString digits = QStringLiteral("%1").arg(std::abs(v), width, 10, QLatin1Char('0'));
    return v < 0 ? QLatin1Char('-') + digits : digits;
}

QString Numbered(char kind, int k, const char* value, const char* unit) {
    return QStringLiteral("%1_%2(%3%4)")
        .arg(QLatin1Char(kind))
        .arg(Padded(k, 3), QLatin1String(value), QLatin1String(unit));
}
}  // namespace

QStringList CtcssList() {
    QStringList items;
    for (int i = 0; i < kCtcssTones; ++i) items << Numbered('C', i + 1, kCtcss[size_t(i)], "Hz");
    return items;
}

QStringList DcsList() {
    QStringList items;
    for (int i = 0; i < kDcsCodes; ++i) items << Numbered('D', i + 1, kDcs[size_t(i)], "N");
    return items;
}

QStringList ToneShowList(const QString& off) {
    QStringList items{off};
    for (const char* t : kCtcss) items << QLatin1String(t);
    for (const char* d : kDcs) items << QLatin1Char('D') + QLatin1String(d) + QLatin1Char('N');
    return items;
}

QString ToneCodeOfShow(const QString& shown, const QString& off) {
    const QString zero = QStringLiteral("0");
    if (shown == off) return zero;
    if (shown.startsWith(QLatin1Char('D'))) {
        const auto code = ToInt16(shown.mid(1, 3));
        return code ? QLatin1Char('8') + Padded(*code, 3) : zero;
    }
    const auto hz = ParseNumber(shown);
    if (!hz) return zero;
    const double tenths = RoundHalfEven(*hz * 10);
    return tenths >= -32768 && tenths <= 32767 ? Padded(int(tenths), 4) : zero;
}

QString ToneShowOfCode(const QString& code, const QString& off) {
    const QString c = StripNull(code);
    if (c.size() != 4) return off;
    if (c.startsWith(QLatin1Char('8'))) {
        const auto digits = ToInt16(c.right(3));
        return digits ? QLatin1Char('D') + Padded(*digits, 3) + QLatin1Char('N') : off;
    }
    const auto v = ParseNumber(c);
    return v ? FormatFixed(*v / 10, 1) : off;
}

QString ChannelNameOf(int n) {
    return n <= kPlainChannelMax ? QString::number(n)
                                 : QLatin1Char('M') + QString::number(n - kPlainChannelMax);
}

int ChannelIdOfName(const QString& name) {
    const QString s = StripNull(name);
    if (s.startsWith(QLatin1Char('M'))) {
        const auto n = ToInt16(s.mid(1));
        // The result is a 16-bit channel number like the field it goes into.
        return n && *n + kPlainChannelMax <= 32767 ? *n + kPlainChannelMax : 0;
    }
    return ToInt16(s).value_or(0);
}

}  // namespace zr50
