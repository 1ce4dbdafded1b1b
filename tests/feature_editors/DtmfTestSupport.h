#pragma once
// The DTMF window's user actions shared by its tests.

#include "FlexGrid.h"
#include "FrmDTMF.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace zr50::test {

// A click on a code's cell, which opens its edit.
inline void ClickCode(FrmDTMF* w, int row) {
    FlexGrid* g = w->MSFlexGrid1;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(row, 1)).center());
    ASSERT_TRUE(w->Text3->isVisible());
    ASSERT_EQ(w->EditRow(), row);
}

// The code typed over what the cell held, and Return.
inline void TypeCode(FrmDTMF* w, int row, const QString& code) {
    ASSERT_NO_FATAL_FAILURE(ClickCode(w, row));
    w->Text3->selectAll();
    QTest::keyClicks(w->Text3, code);
    QTest::keyClick(w->Text3, Qt::Key_Return);
}

}  // namespace zr50::test
