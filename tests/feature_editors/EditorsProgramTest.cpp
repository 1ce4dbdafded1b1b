// The four editor windows together in the running program: looked into and
// closed they change nothing; one edit in each reaches the saved files, comes
// back when the file is opened again and reaches the simulated radio's memory.

#include "DtmfTestSupport.h"
#include "FrmOptFeatures.h"
#include "ToneTestSupport.h"
#include "codec/ImageMap.h"
#include "frmCommChInfo.h"
#include "link/ProgramProtocol.h"
#include "support/ScriptedLink.h"
#include "support/widgets/InstalledProgram.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;
using namespace zr50::test::linktext;

namespace {

// The tree's nodes in order: channels, optional features, roger beep, DTMF.
const char* const kEditors[] = {"frmCommChInfo", "FrmOptFeatures", "FrmToneTips", "FrmDTMF"};

class Editors : public ProgramWithTones {
protected:
    template <class W>
    W* Open(int k) {
        emit main().TreeView1->itemClicked(main().TreeView1->topLevelItem(0)->child(k), 0);
        return qobject_cast<W*>(zr50->forms().Find(QLatin1String(kEditors[k])));
    }
    void SaveAs(const QString& path) {
        prompter.ScriptFiles({path});
        main().Menu("mnuFileSaveAs")->trigger();
    }
    static QByteArray Files(const QString& dat) {
        return ReadFile(dat) + ReadFile(dat.left(dat.size() - 3) + QStringLiteral("fre"));
    }
    bool Transfer(const char* menu, const QString& done) {
        prompter.shown.clear();
        main().Menu(menu)->trigger();
        return RunUntil([&] { return Idle() && prompter.shown.size() == 2; }) &&
               prompter.Texts().last() == done;
    }
};

TEST_F(Editors, EachOpenedAndClosedUntouchedLeavesTheFilesByteForByte) {
    // The template, then a radio full of values no list holds.
    Document radioDoc;
    FillWritableDocument(radioDoc, 11);
    radio.Image() = EncodedImage(radioDoc);
    for (const bool fromRadio : {false, true}) {
        SCOPED_TRACE(fromRadio ? "read from the radio" : "template");
        if (fromRadio) {
            ASSERT_TRUE(Transfer("mnuReadFromRadio", kReadDone));
        }
        SaveAs(Folder("a.dat"));
        ASSERT_FALSE(p().doc.IsDataModified());
        for (int k = 0; k < 4; ++k) {
            QWidget* w = Open<QWidget>(k);
            ASSERT_NE(w, nullptr) << kEditors[k];
            if (auto* tones = qobject_cast<FrmToneTips*>(w))
                for (int t = 1; t <= 8; ++t) ClickTab(tones, t);
            if (auto* dtmf = qobject_cast<FrmDTMF*>(w)) dtmf->SSTab1->setCurrentIndex(2);
            w->findChild<QPushButton*>(QStringLiteral("CommandClose"))->click();
            EXPECT_FALSE(zr50->forms().IsLoaded(QLatin1String(kEditors[k])));
            EXPECT_FALSE(p().doc.IsDataModified()) << kEditors[k];
        }
        SaveAs(Folder("b.dat"));
        EXPECT_EQ(Files(Folder("b.dat")), Files(Folder("a.dat")));
    }
}

TEST_F(Editors, AnEditInEachWithAllOpenIsSavedReopenedAndWritten) {
    auto* channels = Open<frmCommChInfo>(0);
    auto* opt = Open<FrmOptFeatures>(1);
    auto* tones = Open<FrmToneTips>(2);
    auto* dtmf = Open<FrmDTMF>(3);
    ASSERT_TRUE(channels && opt && tones && dtmf);

    // Channel 3 of band 0's current group gets a receive frequency.
    channels->Combo2->setCurrentIndex(0);
    emit channels->Combo2->activated(0);
    channels->MSFlexGrid1->setFocus();
    channels->MSFlexGrid1->setCurrentCell(3, 1);
    QTest::keyClick(channels->MSFlexGrid1, Qt::Key_Return);
    ASSERT_TRUE(channels->Text1->isVisible());
    QTest::keyClicks(channels->Text1, QStringLiteral("27.12345"));
    QTest::keyClick(channels->Text1, Qt::Key_Return);
    Choose(opt->Combo1[9], "120s");  // TOT
    ClickTab(tones, 3);
    Choose(tones->Combo3[1], "1200");  // step 2
    dtmf->SSTab1->setCurrentIndex(2);
    TypeCode(dtmf, 2, QStringLiteral("12*#"));
    ASSERT_TRUE(p().doc.IsDataModified());

    const QString path = Folder("all.dat");
    SaveAs(path);
    prompter.Script({Answer::Ok});
    main().Menu("mnuFileNew")->trigger();
    prompter.ScriptFiles({path});
    main().Menu("mnuFileOpen")->trigger();
    ASSERT_EQ(p().doc.DataFileName, path);

    // Written from the reopened file: every edit in the radio's memory.
    ASSERT_TRUE(Transfer("mnuWriteToRadio", kWriteDone));
    const MemImage& m = radio.Image();
    EXPECT_TRUE(SameTransferred(EncodedImage(p().doc), m));
    const int group = p().doc.DataRec.CurGroup[0];
    const int slot = p().doc.FindChannelIndex(3, 0, group);
    ASSERT_GT(slot, 0);
    EXPECT_EQ(p().doc.ChData(0, slot, group).RxFreq.raw(), "2712345 ");
    EXPECT_EQ(m[0x4A10], 12);  // TOT
    EXPECT_EQ(m[size_t(imagemap::ToneRecordAt(3) + 1 + 2)], 120);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&m[0x4490]), 6), QByteArray("\x01\x02\x0e\x0f\x10\x10", 6));
}

}  // namespace
