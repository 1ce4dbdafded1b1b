#include "ProgressForm.h"

#include "TiledBackground.h"

#include <QLabel>
#include <QProgressBar>
#include <QScreen>

namespace zr50 {

QLabel* MakeNamedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QProgressBar* MakeProgressBar(QWidget* parent, const char* name) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

void RightAlignAgainst(QLabel* caption, QLabel* value) {
    caption->adjustSize();
    caption->resize(caption->width(), value->height());
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Ten twips are less than a pixel: the percentage keeps a little air of its own.
    value->setIndent(4);
    const int dpi = caption->screen() ? int(caption->screen()->logicalDotsPerInchX()) : 96;
    const double left = JustSizeLeft(int(PixelsToTwips(value->x(), dpi)),
                                     int(PixelsToTwips(caption->width(), dpi)));
    caption->move(TwipsToPixels(left, dpi), value->y());
}

ProgressForm::ProgressForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmProgress"));
    setFixedSize(380, 100);
    ProgressBar1 = MakeProgressBar(this, "ProgressBar1");
    ProgressBar1->setGeometry(20, 18, 340, 22);
    Label1 = MakeNamedLabel(this, "Label1", QString::fromUtf8("完成百分比："));
    Label2 = MakeNamedLabel(this, "Label2", QStringLiteral("0%"));
    Label2->setGeometry(300, 58, 60, 22);
    justSize();
}

void ProgressForm::SetProgressValue(int rValue) { ProgressBar1->setValue(rValue); }

void ProgressForm::justSize() { RightAlignAgainst(Label1, Label2); }

void ProgressForm::ShowPercent(int percent) {
    SetProgressValue(percent);
    Label2->setText(QString::number(percent) + QLatin1Char('%'));
}

void ProgressForm::RunModal(const std::function<void()>& load, std::function<void()> closedByUser) {
    running_ = true;
    const auto connection = connect(this, &QDialog::finished, this, [this, closedByUser] {
        const bool byUser = !unloading_ && running_;
        running_ = false;
        if (byUser && closedByUser) closedByUser();
    });
    load();
    if (running_) exec();
    running_ = false;
    disconnect(connection);
}

void ProgressForm::Unload() {
    if (!running_) return;
    unloading_ = true;
    running_ = false;
    done(QDialog::Accepted);
    unloading_ = false;
}

}  // namespace zr50
