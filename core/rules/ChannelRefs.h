#pragma once
// Channel references of a group (emergency and MEM channels) and the counts
// and lists they are checked against. A plain channel is numbered 40 or
// below, an "M" channel above 40; a reference must name a channel of its own
// kind in the same group.

#include <QStringList>

namespace zr50 {

class Document;
struct Program;

// The channel names of one kind (0 plain: "7"; 1 M: "M1") in the group,
// ascending by number. The two VFO groups always hold one channel, so their
// counts are set to 1 first.
QStringList FillChannelCombo(Document& doc, int band, int group, int kind);

// n when n and ref are of the same kind, else 0.
int ChannelKindMatches(int n, int ref);

int CountPlainChannels(const Document& doc, int band, int group);
// Channels of the kind of ref (0 counts as plain).
int CountSameKindChannels(const Document& doc, int band, int group, int ref);
// Plain channels of the valid groups 1..10 (band 0) or 1..9 (band 1), leaving
// out channel n of the given group.
int CountOtherPlainChannels(const Document& doc, int band, int group, int n);

// ref when the group holds that channel, else the first channel (slot order)
// of the kind of ref, else 0.
int ValidateChannelRef(const Document& doc, int band, int group, int ref);

// Repairs the group's emergency and MEM references after its channels
// changed, then refreshes the channel window's group lists. chNo is unused.
void RevalidateChannelRefs(Program& p, int band, int group, int chNo);

}  // namespace zr50
