#pragma once
// KDImager3's progress window: modal while a read or a write runs; its load
// starts the session, and closing it ends the session.

#include "platform/gui/ProgressForm.h"

namespace kdi {

class FrmProgress : public zr50::ProgressForm {
    Q_OBJECT
public:
    // commMode 1 read, 2 write: the caption says which.
    explicit FrmProgress(int commMode, QWidget* parent = nullptr);
    void ChangShowByLanguage();

private:
    int commMode_;
};

}  // namespace kdi
