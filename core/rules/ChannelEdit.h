#pragma once
// The operations that change a group's channel list: delete, add, and the
// commit of a receive frequency typed into the channel grid.

#include <QString>

namespace zr50 {

class Document;
struct ChannelRecord;
struct Program;

// Removes the channel in slot 1..ChCount of the group, moving the later ones
// down; the record after the new count keeps a copy of the last one. Refused
// (false, nothing changed) for a slot outside the group's channels.
bool DeleteChannel(Document& doc, int slot, int band, int group);

// Column 1 (receive frequency) only: stores the value as frequency digits.
void SetRxFreqText(const Document& doc, ChannelRecord& rec, int column, const QString& value);

// Appends channel chNo with the frequency text as receive and transmit
// frequency. The encode DCS index, the decode tone fields and the two words
// after the transmit frequency keep what the slot held. Refused (false,
// nothing changed) when the group already holds 99 channels.
bool AddChannel(Document& doc, int chNo, int band, int group, const QString& freq);

// Applies the text typed for channel chNo of the current group: an empty or
// out-of-range value deletes the channel (never the last plain channel of
// the band's valid groups), another value sets or adds it. value comes back
// as the normalised text; the channel window's grid is refreshed when loaded.
void CommitChannelEdit(Program& p, int chNo, int column, QString& value);

}  // namespace zr50
