#include "FrmProgress.h"

#include <QLabel>

namespace kdi {

FrmProgress::FrmProgress(int commMode, QWidget* parent) : ProgressForm(parent), commMode_(commMode) {
    ChangShowByLanguage();
    justSize();
    ShowPercent(0);
}

void FrmProgress::ChangShowByLanguage() {
    setWindowTitle(commMode_ == 1 ? QStringLiteral("Read data from walkie talkie")
                                  : QStringLiteral("Write data to walkie talkie"));
    Label1->setText(QStringLiteral("Completion schedule"));
}

}  // namespace kdi
