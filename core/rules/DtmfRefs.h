#pragma once
// References to the DTMF autodial code slots 1..16; 0 means none.

#include "model/FixedText.h"

#include <QChar>
#include <functional>

namespace zr50 {

class Document;
struct Program;

// Slot k holds a code (not empty once NULs and trailing blanks are dropped).
// False for k outside 1..16.
bool IsDTMFCodeSet(const Document& doc, int k);
// k when slot k holds a code, else 0.
int ValidDTMFIndex(const Document& doc, int k);

// Stores a code into its slot as slots hold one: the code without NULs and
// trailing blanks, one NUL, then blanks (a 16-character code has no NUL).
// A slot already in that form keeps its bytes.
void SetDTMFCodeSlot(FixedText<16>& slot, const QString& code);

// A character as a code holds it: "0".."9", "*", "#" and "A".."D" as they
// are, "a".."d" upper-cased; a null character for any other.
QChar DTMFKeyChar(QChar c);
// The text with only the characters a code holds, as DTMFKeyChar gives them.
QString DTMFKeysOf(const QString& text);

// Whether slot k, a reference's number other than 0, no longer holds a code.
using DTMFSlotGone = std::function<bool(int k)>;
// The reference once the gone slots are dropped: 0 for one to a gone slot.
int KeptDTMFRef(int ref, const DTMFSlotGone& gone);
// Sets to none the BOT, EOT and call references of every channel and of the
// public channel to a gone slot.
void DropDTMFRefs(Document& doc, const DTMFSlotGone& gone);

// Refreshes the DTMF lists of the channel and optional-features windows.
void ShowDTMFUsers(Program& p);
// Drops the references to slots that hold no code, then refreshes the lists.
void RevalidateDTMFUsers(Program& p);

}  // namespace zr50
