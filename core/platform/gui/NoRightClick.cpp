#include "NoRightClick.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace zr50 {

namespace {
NoRightClick* FilterOf(QWidget* w) { return w->findChild<NoRightClick*>(QString(), Qt::FindDirectChildrenOnly); }
}  // namespace

void NoRightClick::Hook(QWidget* w) {
    if (!w || FilterOf(w)) return;
    w->setContextMenuPolicy(Qt::NoContextMenu);
    w->installEventFilter(new NoRightClick(w));
}

void NoRightClick::Unhook(QWidget* w) {
    if (!w) return;
    if (NoRightClick* f = FilterOf(w)) {
        w->removeEventFilter(f);
        delete f;
        w->setContextMenuPolicy(Qt::DefaultContextMenu);
    }
}

bool NoRightClick::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
        case QEvent::ContextMenu: return true;
        default: return false;
    }
}

}  // namespace zr50
