#pragma once
// The windows of the program found by name: the main window and its MDI children.
// A child window is created only by Show, from the factory registered for its
// name; a window without a factory is not part of this build and is skipped.

#include "ui/FormHost.h"

#include <QHash>
#include <QPointer>
#include <functional>

class QMdiArea;
class QWidget;

namespace zr50 {

class MdiForms : public FormHost {
public:
    using Factory = std::function<QWidget*()>;

    void SetMainWindow(QWidget* main, QMdiArea* area);
    void Register(const QString& form, Factory factory) { factories_.insert(form, std::move(factory)); }
    bool CanShow(const QString& form) const { return factories_.contains(form); }

    bool IsLoaded(const QString& form) const override;
    void Call(const QString& form, const char* operation, const QVariantList& args = {}) override;
    void Show(const QString& form) override;
    void Unload(const QString& form) override;
    void UnloadChildren() override;
    void Cascade() override;

    // The loaded window of that name, or null.
    QWidget* Find(const QString& form) const;

private:
    QPointer<QWidget> main_;
    QPointer<QMdiArea> area_;
    QHash<QString, Factory> factories_;
};

// Closes a child window with its MDI frame (the window alone when it has none).
void CloseChildWindow(QWidget* w);
// Once w sits in an MDI frame, finish runs whenever that frame stops being the
// active child window: another child taking the focus ends an edit in w.
// Called at every show; the first call with a frame connects, later ones do nothing.
void FinishOnDeactivate(QWidget* w, std::function<void()> finish);

// Calls a slot or invokable method by name with the given arguments; false
// when the object has none of that name and argument count.
bool InvokeByName(QObject* target, const char* operation, const QVariantList& args);

}  // namespace zr50
