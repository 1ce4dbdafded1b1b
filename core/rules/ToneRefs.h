#pragma once
// References to the roger-beep tone records 1..8; 0 means none. A record is
// usable when it plays at least once and has a step of some length.

namespace zr50 {

class Document;
struct Program;

// k when record k is usable, else 0.
int ValidToneIndex(const Document& doc, int k);
// The number of usable records.
int CountToneRecords(const Document& doc);
// Clears the references of every channel, of the public channel and of the
// common channel to records no longer usable, then refreshes the windows
// showing them.
void RevalidateToneUsers(Program& p);

}  // namespace zr50
