#pragma once
// The built-in defaults of a new document, applied before the blank template
// (which normally replaces them) is read.

#include <QString>

class QDate;

namespace zr50 {

class Document;
struct Program;

// Version "V200", band 0, group 1 in both bands, row 1 in every group that has rows.
void InitDocumentHeader(Document& doc);
// Groups 1..13 of both bands: the six M channels 41..46, then channel 1 in groups 1..10.
void InitDefaultChannelFre(Document& doc);
// Group settings of groups 1..13, the option words, and TxOffset, FreqCh,
// ASQLevel and RSSILevel.
void InitOptFeatureDefaults(Document& doc);
// The identity fields that are not refreshed at every save.
void InitFileId(Document& doc, const QDate& today);
// Roger-beep tone records 1..5.
void InitToneDefaults(Document& doc);

// Groups 1..10 get channel 1 at the group's default frequency; then the
// channel window, when loaded, redraws channel 1.
void AddDefaultChannel(Program& p, int band, int group);
// "28.015000" etc. for groups 1..10, "" for any other group.
QString DefaultGroupFrequency(int group);

}  // namespace zr50
