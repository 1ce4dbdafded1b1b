#pragma once
// The progress windows as the link sees them. FrmProgress shows one radio's
// read or write, frmMProgress a group write; both are modal, and their load
// starts the transfer by calling back into the link (ProgressLoaded,
// MProgressLoaded). A window the user closes tells the link so
// (ProgressClosed, MProgressUnloaded); a window the link unloads does not.

#include <QString>

namespace zr50 {

struct Program;

class LinkView {
public:
    virtual ~LinkView() = default;

    // FrmProgress: loads and shows it modally; returns once it is closed.
    virtual void ShowProgress() = 0;
    virtual bool IsProgressVisible() const = 0;
    virtual void SetProgressValue(int value) = 0;   // ProgressBar1, 0..100
    virtual void SetPercentText(const QString& text) = 0;  // Label2
    virtual void UnloadProgress() = 0;

    // frmMProgress: loads and shows it modally; returns once it is closed.
    virtual void ShowMProgress() = 0;
    virtual void SetMProgressValue(int value) = 0;  // ProgressBar1
    virtual void SetMPercentText(const QString& text) = 0;  // Label2
    virtual void SetRadioNumber(int number) = 0;    // ProgressBar2 and Label3
    virtual void UnloadMProgress() = 0;
};

// Window caption of the progress windows for a comm mode (1 read, 2 write).
QString ProgressCaption(const Program& p, int commMode);
// Caption of the percentage label.
QString PercentageCaption(const Program& p);
// Caption of frmMProgress's radio-number label (one text in both languages).
QString RadioNumberCaption();

}  // namespace zr50
