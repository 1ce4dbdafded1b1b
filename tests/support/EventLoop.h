#pragma once
// Tests that run serial lines and timers need the Qt event loop of their thread.

#include <QCoreApplication>
#include <QTest>

namespace zr50::test {

// The process's application object, created on first use.
QCoreApplication& CoreApp();

// Runs the event loop until the condition holds; the limit only keeps a broken
// test from hanging.
template <class Pred>
bool RunUntil(Pred pred) {
    CoreApp();
    return QTest::qWaitFor(pred, 10000);
}

}  // namespace zr50::test
