#include "MdiForms.h"

#include "platform/gui/ProgramIcon.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaMethod>
#include <QWidget>

#include <array>

namespace zr50 {

void MdiForms::SetMainWindow(QWidget* main, QMdiArea* area) {
    main_ = main;
    area_ = area;
    if (main) main->setWindowIcon(ProgramIcon());
}

QWidget* MdiForms::Find(const QString& form) const {
    if (main_ && main_->objectName() == form) return main_;
    if (!area_) return nullptr;
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == form) return sub->widget();
    return nullptr;
}

bool MdiForms::IsLoaded(const QString& form) const { return Find(form) != nullptr; }

void MdiForms::Call(const QString& form, const char* operation, const QVariantList& args) {
    if (QWidget* w = Find(form)) InvokeByName(w, operation, args);
}

void MdiForms::Show(const QString& form) {
    if (QWidget* w = Find(form)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) area_->setActiveSubWindow(sub);
        w->setFocus();
        return;
    }
    auto it = factories_.constFind(form);
    if (it == factories_.constEnd() || !area_) return;
    QWidget* w = (*it)();
    if (!w) return;
    w->setObjectName(form);
    w->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = area_->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(ProgramIcon());
    w->show();
    Cascade();
}

namespace {
void CloseNow(QMdiSubWindow* sub) {
    sub->close();
    // Closing runs the window's unload handling; the object goes now, not later,
    // so a window of the same name can be shown again at once.
    delete sub;
}
}  // namespace

void MdiForms::Unload(const QString& form) {
    if (!area_) return;
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == form) CloseNow(sub);
}

void MdiForms::UnloadChildren() {
    if (!area_) return;
    for (QMdiSubWindow* sub : area_->subWindowList()) CloseNow(sub);
}

void MdiForms::Cascade() {
    if (area_) area_->cascadeSubWindows();
}

void CloseChildWindow(QWidget* w) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        sub->close();
    else
        w->close();
}

void FinishOnDeactivate(QWidget* w, std::function<void()> finish) {
    auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    if (!sub || sub->property("finishesOnDeactivate").toBool()) return;
    sub->setProperty("finishesOnDeactivate", true);
    QObject::connect(sub, &QMdiSubWindow::windowStateChanged, w,
                     [finish = std::move(finish)](Qt::WindowStates before, Qt::WindowStates now) {
                         if ((before & Qt::WindowActive) && !(now & Qt::WindowActive)) finish();
                     });
}

bool InvokeByName(QObject* target, const char* operation, const QVariantList& args) {
    const QMetaObject* mo = target->metaObject();
    for (int i = 0; i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        if (m.name() != operation || m.parameterCount() != args.size()) continue;
        QVariantList converted = args;
        std::array<QGenericArgument, 4> a{};
        if (args.size() > int(a.size())) return false;
        for (int k = 0; k < converted.size(); ++k) {
            const QMetaType type = m.parameterMetaType(k);
            if (!converted[k].convert(type)) return false;
            a[k] = QGenericArgument(type.name(), converted[k].constData());
        }
        return m.invoke(target, Qt::DirectConnection, a[0], a[1], a[2], a[3]);
    }
    return false;
}

}  // namespace zr50
