#include "WindowHarness.h"

#include <QApplication>
#include <QSettings>
#include <QTimer>
#include <gtest/gtest.h>

namespace zr50::test {

WindowHarness::WindowHarness(bool plainMainWindow) {
    // Window placement and other per-user settings stay in the test's folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path() + QStringLiteral("/user"));
    if (!plainMainWindow) return;
    main = std::make_unique<QMainWindow>();
    main->setObjectName(QStringLiteral("frmMain"));
    area = new QMdiArea(main.get());
    main->setCentralWidget(area);
    main->resize(1000, 750);
    forms.SetMainWindow(main.get(), area);
}

WindowHarness::~WindowHarness() {
    forms.UnloadChildren();
    main.reset();
}

void Choose(QComboBox* list, const QString& text) {
    const int i = list->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    list->setCurrentIndex(i);
    emit list->activated(i);
}

void WhenModal(std::function<void(QWidget*)> f) {
    // Polls until the dialog's own event loop is running.
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, f] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            f(w);
        }
    });
    timer->start();
}

}  // namespace zr50::test
