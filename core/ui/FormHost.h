#pragma once
// How logic reaches windows without knowing them: windows are looked up by
// name among the loaded ones and called by operation name. A window that is
// not loaded is skipped, never created, unless Show is asked.

#include <QString>
#include <QVariant>

namespace zr50 {

class FormHost {
public:
    virtual ~FormHost() = default;
    virtual bool IsLoaded(const QString& form) const = 0;
    // Calls a public operation of a loaded window; nothing when it is not loaded.
    virtual void Call(const QString& form, const char* operation, const QVariantList& args = {}) = 0;
    // Loads and shows a child window, or brings it to the front when loaded.
    virtual void Show(const QString& form) = 0;
    // Closes every loaded window of that name.
    virtual void Unload(const QString& form) = 0;
    // Closes every child window of the main window.
    virtual void UnloadChildren() = 0;
    virtual void Cascade() = 0;
};

// The editor windows that hold an edit until it is left.
inline constexpr const char* kEditorForms[] = {"frmCommChInfo", "FrmOptFeatures", "FrmDTMF",
                                               "FrmToneTips"};

// Every loaded editor finishes its pending edit (ValidateControls), so what
// the user typed counts before the document is saved, replaced or sent.
inline void FinishPendingEdits(FormHost& forms) {
    for (const char* form : kEditorForms) forms.Call(QString::fromLatin1(form), "ValidateControls");
}

// For logic that runs without any window (start-up before the main window, tests).
class NoForms : public FormHost {
public:
    bool IsLoaded(const QString&) const override { return false; }
    void Call(const QString&, const char*, const QVariantList&) override {}
    void Show(const QString&) override {}
    void Unload(const QString&) override {}
    void UnloadChildren() override {}
    void Cascade() override {}
};

}  // namespace zr50
