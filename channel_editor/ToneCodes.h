#pragma once
// The CTCSS tones and DCS codes the radio knows, their list texts, and the
// four-character tone codes ("0670" = 67.0 Hz, "8023" = D023N).

#include <QString>
#include <QStringList>

namespace zr50 {

constexpr int kCtcssTones = 38;
constexpr int kDcsCodes = 104;

// "C_001(67.0Hz)" .. "C_038(250.3Hz)"
QStringList CtcssList();
// "D_001(023N)" .. "D_104(754N)"
QStringList DcsList();
// off, then "67.0" .. "250.3", then "D023N" .. "D754N".
QStringList ToneShowList(const QString& off);

// Display text -> tone code; "0" for off and anything unreadable.
QString ToneCodeOfShow(const QString& shown, const QString& off);
// Tone code -> display text; off for anything that is not a tone code.
QString ToneShowOfCode(const QString& code, const QString& off);

// Channel names: 1..40 by number, above 40 "M" and the number minus 40.
QString ChannelNameOf(int n);
// The inverse; 0 for a name that is no channel number.
int ChannelIdOfName(const QString& name);

}  // namespace zr50
