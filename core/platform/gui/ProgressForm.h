#pragma once
// The progress window of a transfer, as both programs show it: a bar from 0 to
// 100 (ProgressBar1), the percentage text (Label2) and its caption (Label1),
// which justSize keeps just left of the percentage whatever its language.

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;

namespace zr50 {

// Where the caption's left edge goes: 10 twips left of the percentage text.
inline int JustSizeLeft(int label2Left, int label1Width) { return label2Left - label1Width - 10; }

class ProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit ProgressForm(QWidget* parent = nullptr);
    QProgressBar* ProgressBar1;
    QLabel* Label1;  // caption of the percentage
    QLabel* Label2;  // the percentage, e.g. "45%"

public slots:
    void SetProgressValue(int rValue);
    void justSize();

public:
    // The bar at percent and Label2 showing it ("45%").
    void ShowPercent(int percent);

    // Shows the window modally. load runs first: it starts the transfer, which
    // may end (and Unload the window) before the window ever shows.
    // closedByUser runs when the user closes the window, not when Unload does.
    void RunModal(const std::function<void()>& load, std::function<void()> closedByUser);
    // Closes the window for the transfer that ended.
    void Unload();
    bool IsRunning() const { return running_; }

private:
    bool running_ = false;
    bool unloading_ = false;
};

// Pieces for windows built like it.
QLabel* MakeNamedLabel(QWidget* parent, const char* name, const QString& text);
QProgressBar* MakeProgressBar(QWidget* parent, const char* name);
// Moves caption so that it ends JustSizeLeft of value, on value's line.
void RightAlignAgainst(QLabel* caption, QLabel* value);

}  // namespace zr50
