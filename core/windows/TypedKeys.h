#pragma once
// The key filter of the boxes that take numbers: what reaches them is typed.

class QKeyEvent;
class QString;

namespace zr50 {

// True when the key is dropped: the clipboard keys, codes above 127, and
// printable characters other than digits and the box's extra characters.
// Control keys (Backspace, Delete, the arrows) pass.
bool DropsTypedKey(const QKeyEvent* k, const QString& extra);

}  // namespace zr50
