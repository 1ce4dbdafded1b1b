#pragma once
// Small shared procedures of the program: texts, group names, DTMF key codes,
// band text parsing (texts and paths in rules/TextHelpers.h).

#include "rules/TextHelpers.h"

#include <QString>
#include <cstdint>

namespace zr50 {

struct BandLimits;

// The text converted to a 16-bit integer when numeric, else d.
int StrToIntDef(const QString& s, int d);

// DTMF key codes: 0..9 digits, 10..13 "A".."D", 14 "*", 15 "#", 16 not a key.
QString DtmfCodeToChar(int code);
int DtmfCharToCode(const QString& text);

// Group names: band 0 "A".."O", "MEM", "VFO"; band 1 "A".."L", "MEM", "VFO".
QString GroupNameOf(int band, int index);
int GroupIndexOf(int band, const QString& name);

// "24.7150 - 30.1050 MHz" -> 24.715 and 30.105 (100.0 / 500.0 when unreadable);
// the second range is always 21.0 .. 21.5.
void ParseBandText(const QString& bandText, BandLimits& limits);

QString Hex2(uint8_t b);
bool StrEq(const QString& a, const QString& b);
// "V" and three digits, after StripNull.
bool IsVersionText(const QString& t);

}  // namespace zr50
