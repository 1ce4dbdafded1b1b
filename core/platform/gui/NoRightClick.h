#pragma once
// Swallows right-button presses and context menus of one widget (the in-place
// editors use it so no edit menu can paste into them).

#include <QObject>

class QWidget;

namespace zr50 {

class NoRightClick : public QObject {
    Q_OBJECT  // so a widget's other children are never taken for the filter
public:
    // Installs itself on w (and is owned by it); idempotent.
    static void Hook(QWidget* w);
    static void Unhook(QWidget* w);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

}  // namespace zr50
