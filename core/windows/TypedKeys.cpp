#include "TypedKeys.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QString>

namespace zr50 {

bool DropsTypedKey(const QKeyEvent* k, const QString& extra) {
    if (k->matches(QKeySequence::Copy) || k->matches(QKeySequence::Paste) ||
        k->matches(QKeySequence::Cut))
        return true;
    const QString t = k->text();
    if (t.size() > 1) return true;
    if (t.isEmpty()) return false;
    const char16_t c = t[0].unicode();
    if (c == 3 || c == 22 || c == 24 || c >= 128) return true;
    const bool allowed = (c >= '0' && c <= '9') || extra.contains(t[0]);
    return c >= 32 && c <= 126 && !allowed;
}

}  // namespace zr50
