#include "ModeRules.h"

#include "Program.h"
#include "rules/GroupBounds.h"

#include <array>

namespace zr50 {

namespace {
constexpr int kModes = 6;
const std::array<const char*, kModes> kModeNames = {"FM", "AM", "USB", "LSB", "PA", "CW"};
// The enable word of each mode number.
constexpr std::array<int, kModes> kEnableWordOf = {kEnableFM,  kEnableAM, kEnableUSB,
                                                   kEnableLSB, kEnablePA, kEnableCW};
constexpr int kModePA = 4;

bool IsEnabled(const Document& doc, int mode) {
    return doc.DataRec.OptFeat.ModeEnable[size_t(kEnableWordOf[size_t(mode)])] > 0;
}
}  // namespace

int ModeNameToIndex(const QString& name) {
    for (int m = 0; m < kModes; ++m)
        if (name == QLatin1String(kModeNames[size_t(m)])) return m;
    return 0;
}

QString ModeIndexToName(int mode) {
    return QLatin1String(mode >= 1 && mode < kModes ? kModeNames[size_t(mode)] : kModeNames[0]);
}

int ValidModeIndex(const Document& doc, int m) {
    if (m >= 0 && m < kModes && IsEnabled(doc, m)) return m;
    for (int i = 0; i < kModes; ++i)
        if (IsEnabled(doc, i)) return i;
    return 0;
}

QStringList FillModeCombo(const Document& doc, bool isMem) {
    QStringList items;
    for (int m = 0; m < kModes; ++m)
        if (IsEnabled(doc, m) && !(m == kModePA && isMem))
            items << QLatin1String(kModeNames[size_t(m)]);
    return items;
}

void RevalidateChannelModes(Program& p) {
    ForEachChannel(p.doc, [&p](ChannelRecord& r) {
        r.Mode = int16_t(ValidModeIndex(p.doc, r.Mode));
    });
    p.forms.Call(QStringLiteral("frmCommChInfo"), "RevalidateModeList");
}

}  // namespace zr50
