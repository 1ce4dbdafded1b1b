#pragma once
// Channel modes: numbers 0 FM, 1 AM, 2 USB, 3 LSB, 4 PA, 5 CW, each usable
// while its enable word is above 0 (the enable words run FM, AM, USB, LSB, CW, PA).

#include <QString>
#include <QStringList>

namespace zr50 {

class Document;
struct Program;

// "FM" 0 .. "CW" 5; any other text 0.
int ModeNameToIndex(const QString& name);
// 1 "AM" .. 5 "CW"; any other value "FM".
QString ModeIndexToName(int mode);

// m when it is an enabled mode, else the lowest enabled mode, else 0 (FM).
int ValidModeIndex(const Document& doc, int m);

// The enabled mode names in the order FM, AM, USB, LSB, PA, CW; never PA in
// the MEM group.
QStringList FillModeCombo(const Document& doc, bool isMem);

// Moves every channel of both bands onto an enabled mode, then
// lets the channel window do the same for its mode list.
void RevalidateChannelModes(Program& p);

}  // namespace zr50
