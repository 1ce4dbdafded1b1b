#pragma once
// The progress windows of a transfer: FrmProgress for one radio, frmMProgress
// for a group write. Both are modal; loading one starts the transfer, and a
// window the user closes ends it as failed.

#include "link/LinkView.h"
#include "platform/gui/ProgressForm.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;

namespace zr50 {

class ProgramProtocol;

class FrmProgress : public ProgressForm {
    Q_OBJECT
public:
    FrmProgress(Program& p, int commMode, QWidget* parent = nullptr);

public slots:
    void ChangShowByLanguage();

private:
    Program& p_;
    int commMode_;
};

// ProgressBar1, Label1 and Label2 show the radio in hand.
class frmMProgress : public ProgressForm {
    Q_OBJECT
public:
    frmMProgress(Program& p, int commMode, int radioCount, QWidget* parent = nullptr);
    QProgressBar* ProgressBar2;  // radios
    QLabel* Label3;
    QLabel* Label4;
};

// The link's view of the two windows.
class ProgressWindows : public LinkView {
public:
    ProgressWindows(Program& p, ProgramProtocol& link, QWidget* parent);
    ~ProgressWindows() override;

    void ShowProgress() override;
    bool IsProgressVisible() const override;
    void SetProgressValue(int value) override;
    void SetPercentText(const QString& text) override;
    void UnloadProgress() override;

    void ShowMProgress() override;
    void SetMProgressValue(int value) override;
    void SetMPercentText(const QString& text) override;
    void SetRadioNumber(int number) override;
    void UnloadMProgress() override;

private:
    template <class W>
    void RunModal(QPointer<W>& slot, W& window, void (ProgramProtocol::*loaded)(),
                  void (ProgramProtocol::*closedByUser)());
    template <class W>
    void Unload(QPointer<W>& slot);

    Program& p_;
    ProgramProtocol& link_;
    QWidget* parent_;
    QPointer<FrmProgress> progress_;
    QPointer<frmMProgress> mprogress_;
};

}  // namespace zr50
