#pragma once
// Progress windows without widgets, for runs without a screen (tests,
// benchmarks): showing one runs an event loop until the link unloads it or
// Close is called, as a modal window would.

#include "LinkView.h"

#include <QEventLoop>
#include <functional>

namespace zr50 {

class ProgramProtocol;

class HeadlessLinkView : public LinkView {
public:
    HeadlessLinkView(Program& p, ProgramProtocol& link);
    ~HeadlessLinkView() override;

    void ShowProgress() override;
    bool IsProgressVisible() const override { return progressVisible_; }
    void SetProgressValue(int value) override;
    void SetPercentText(const QString& text) override { percentText = text; }
    void UnloadProgress() override;

    void ShowMProgress() override;
    void SetMProgressValue(int value) override;
    void SetMPercentText(const QString& text) override { mPercentText = text; }
    void SetRadioNumber(int number) override;
    void UnloadMProgress() override;

    // The user closes whichever progress window is shown.
    void Close();
    bool IsMProgressVisible() const { return mProgressVisible_; }

    QString caption;
    int progressValue = 0;
    QString percentText;
    int mProgressValue = 0;
    QString mPercentText;
    int radioMax = 0;
    int radioNumber = 0;
    std::function<void(int)> onProgressValue;  // every value the bar shows
    std::function<void(int)> onRadioNumber;

private:
    void RunModal(const bool& visible);

    Program& p_;
    ProgramProtocol& link_;
    bool progressVisible_ = false;
    bool mProgressVisible_ = false;
    QEventLoop* loop_ = nullptr;
};

}  // namespace zr50
