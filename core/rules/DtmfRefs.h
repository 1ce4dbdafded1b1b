#pragma once
// References to the DTMF autodial code slots 1..16; 0 means none.

namespace zr50 {

class Document;

// Slot k holds a code (not empty once NULs and trailing blanks are dropped).
// False for k outside 1..16.
bool IsDTMFCodeSet(const Document& doc, int k);
// k when slot k holds a code, else 0.
int ValidDTMFIndex(const Document& doc, int k);

}  // namespace zr50
