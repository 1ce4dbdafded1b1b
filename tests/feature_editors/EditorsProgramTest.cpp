// The four editor windows in the running program: opened from the menu and the
// tree, looked into and closed they change nothing; edits in each reach the
// saved files, come back when the file is opened again, reach the simulated
// radio's memory and come back from it.

#include "DtmfTestSupport.h"
#include "FrmOptFeatures.h"
#include "ToneTestSupport.h"
#include "codec/ImageMap.h"
#include "frmCommChInfo.h"
#include "sound/ModBeep.h"
#include "link/ProgramProtocol.h"
#include "support/ScriptedLink.h"
#include "support/widgets/InstalledProgram.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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
const char* const kMenus[] = {nullptr, "mnuOptFeature", "mnuToneTips", nullptr};

class Editors : public ProgramWithTones {
protected:
    template <class W = QWidget>
    W* Find(int k) {
        return qobject_cast<W*>(zr50->forms().Find(QLatin1String(kEditors[k])));
    }
    template <class W = QWidget>
    W* Open(int k) {
        emit main().TreeView1->itemClicked(main().TreeView1->topLevelItem(0)->child(k), 0);
        return Find<W>(k);
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
    uint8_t Radio(int addr) { return radio.Image()[size_t(addr)]; }
};

TEST_F(Editors, MenuAndTreeOpenOneWindowEachInTheCurrentLanguage) {
    for (int k = 1; k < 4; ++k) {
        QTreeWidgetItem* node = main().TreeView1->topLevelItem(0)->child(k);
        EXPECT_FALSE(node->isDisabled()) << kEditors[k];
        QWidget* w = nullptr;
        if (kMenus[k]) {
            ASSERT_TRUE(main().Menu(kMenus[k])->isEnabled());
            main().Menu(kMenus[k])->trigger();
            w = Find(k);
            ASSERT_NE(w, nullptr) << kEditors[k];
        }
        QWidget* fromTree = Open(k);
        EXPECT_NE(fromTree, nullptr) << kEditors[k];
        if (w) {
            EXPECT_EQ(fromTree, w) << kEditors[k];
        }
    }
    EXPECT_EQ(main().findChildren<FrmOptFeatures*>().size(), 1);

    // Another language closes them; opened again they speak it.
    p().settings.CurLanguage = kChinese;
    main().MDIForm_Activate();
    for (int k = 1; k < 4; ++k) EXPECT_EQ(Find(k), nullptr) << kEditors[k];
    auto* opt = Open<FrmOptFeatures>(1);
    ASSERT_NE(opt, nullptr);
    EXPECT_EQ(opt->windowTitle(), QString::fromUtf8("可选功能"));
    EXPECT_EQ(opt->Label1[24]->text(), QString::fromUtf8("ASQ等级"));
}

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
            QWidget* w = Open(k);
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

TEST_F(Editors, EditsInEachAreSavedReopenedWrittenAndReadBack) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    const QString path = Folder("all.dat");
    SaveAs(path);
    auto* channels = Open<frmCommChInfo>(0);
    auto* opt = Open<FrmOptFeatures>(1);
    auto* tones = Open<FrmToneTips>(2);
    auto* dtmf = Open<FrmDTMF>(3);
    ASSERT_TRUE(channels && opt && tones && dtmf);

    // An option byte changed alone is offered for saving; Cancel keeps it.
    Choose(opt->Combo1[9], "120s");  // TOT
    prompter.Script({Answer::Cancel});
    main().Menu("mnuFileOpen")->trigger();
    EXPECT_EQ(prompter.Texts(), QStringList({"File has been modify,save it now?"}));
    ASSERT_EQ(Find(1), opt);

    // Channel 3 of band 0's current group gets a receive frequency.
    channels->Combo2->setCurrentIndex(0);
    emit channels->Combo2->activated(0);
    channels->MSFlexGrid1->setFocus();
    channels->MSFlexGrid1->setCurrentCell(3, 1);
    QTest::keyClick(channels->MSFlexGrid1, Qt::Key_Return);
    ASSERT_TRUE(channels->Text1->isVisible());
    QTest::keyClicks(channels->Text1, QStringLiteral("27.12345"));
    QTest::keyClick(channels->Text1, Qt::Key_Return);
    Choose(opt->Combo1[47], "2550");  // CW tone
    opt->Check1[9]->setChecked(true);
    opt->Check1[9]->click();  // PA off
    ClickTab(tones, 3);
    Choose(tones->Combo3[1], "1200");  // step 2
    Choose(tones->Combo4[1], "150");
    Choose(tones->Combo1, "4");  // cycles
    dtmf->SSTab1->setCurrentIndex(2);
    TypeCode(dtmf, 2, QStringLiteral("12*#"));
    dtmf->Combo1[0]->setCurrentIndex(19);  // send time "200"
    emit dtmf->Combo1[0]->activated(19);
    SaveAs(path);
    ASSERT_FALSE(p().doc.IsDataModified());

    // Playing while the file is opened again: the windows go, the sound ends.
    tones->Command1->click();
    ASSERT_TRUE(zr50->beep().IsPlaying());
    prompter.ScriptFiles({path});
    main().Menu("mnuFileOpen")->trigger();
    ASSERT_EQ(p().doc.DataFileName, path);
    for (int k = 1; k < 4; ++k) EXPECT_EQ(Find(k), nullptr) << kEditors[k];
    clock.RunOut();
    EXPECT_FALSE(zr50->beep().IsPlaying());

    // Written from the reopened file with a Tx offset still in its box: every
    // edit in the radio's memory.
    opt = Open<FrmOptFeatures>(1);
    ASSERT_NE(opt, nullptr);
    opt->Text4[12]->setFocus();
    QApplication::processEvents();  // the box selects its text on entry
    QTest::keyClicks(opt->Text4[12], "2.5");
    ASSERT_TRUE(Transfer("mnuWriteToRadio", kWriteDone));
    EXPECT_TRUE(SameTransferred(EncodedImage(p().doc), radio.Image()));
    const int group = p().doc.DataRec.CurGroup[0];
    const int slot = p().doc.FindChannelIndex(3, 0, group);
    ASSERT_GT(slot, 0);
    EXPECT_EQ(p().doc.ChData(0, slot, group).RxFreq.raw(), "2712345 ");
    const std::pair<int, int> bytes[] = {
        {0x4A10, 12},                // TOT
        {0x4A32, 255}, {0x4A33, 0},  // CW tone
        {0x4A17, 25000 & 0xFF}, {0x4A18, 25000 >> 8},  // Tx offset
        {0x4A1B, 20},                // DTMF send time
        {0x4480, 0x10},              // code 1 stays empty
        {imagemap::ToneRecordAt(3), 4},
        {imagemap::ToneRecordAt(3) + 1 + 2, 120},
        {imagemap::ToneRecordAt(3) + 1 + kToneSteps + 2, 15},
    };
    for (auto [addr, value] : bytes) EXPECT_EQ(Radio(addr), value) << std::hex << addr;
    EXPECT_EQ(Radio(0x4A06) & 0x10, 0);  // PA disabled
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&radio.Image()[0x4490]), 6),
              QByteArray("\x01\x02\x0e\x0f\x10\x10", 6));

    // A read after the write closes the windows and brings the settings back.
    ASSERT_TRUE(Transfer("mnuReadFromRadio", kReadDone));
    EXPECT_EQ(Find(1), nullptr);
    opt = Open<FrmOptFeatures>(1);
    tones = Open<FrmToneTips>(2);
    dtmf = Open<FrmDTMF>(3);
    ASSERT_TRUE(opt && tones && dtmf);
    EXPECT_EQ(opt->Combo1[9]->currentText(), "120s");
    EXPECT_EQ(opt->Combo1[47]->currentText(), "2550");
    EXPECT_EQ(opt->Text4[12]->text(), "2.5000");
    EXPECT_FALSE(opt->Check1[9]->isChecked());
    ClickTab(tones, 3);
    EXPECT_EQ(tones->Combo1->currentText() + tones->Combo3[1]->currentText() + tones->Combo4[1]->currentText(),
              "41200150");
    EXPECT_EQ(dtmf->MSFlexGrid1->TextMatrix(2, 1), QStringLiteral("12*#"));
    EXPECT_EQ(dtmf->Combo1[0]->currentText(), QStringLiteral("200"));

    // A DTMF edit, and leaving the program asks; Cancel keeps it running.
    dtmf->SSTab1->setCurrentIndex(2);
    TypeCode(dtmf, 2, QStringLiteral("7"));
    prompter.shown.clear();
    prompter.Script({Answer::Cancel});
    EXPECT_FALSE(main().close());
    EXPECT_EQ(prompter.Texts(), QStringList{"File has been modify,save it now?"});
    EXPECT_TRUE(zr50->forms().IsLoaded(QStringLiteral("FrmDTMF")));
}

TEST_F(Editors, FromAFileTheRadioGetsNoUnusableToneAndNoJunkDigits) {
    DataHeaderRec& d = p().doc.DataRec;
    SetSteps(d.RBToneTable[1], {{100, 20}}, 1, 0);
    SetSteps(d.RBToneTable[3], {{120, 15}}, 2, 0);
    d.ComChanRb = 3;
    d.OptFeat.DTMFCode[4].set(QStringLiteral("1e*F#b9E"));  // characters no code holds
    const QString path = Folder("file.dat");
    SaveAs(path);
    prompter.ScriptFiles({path});
    main().Menu("mnuFileOpen")->trigger();
    ASSERT_EQ(d.OptFeat.DTMFCode[4].raw().left(8), QStringLiteral("1e*F#b9E"));

    // The tone is made unusable with the optional-features window closed.
    auto* tones = Open<FrmToneTips>(2);
    ASSERT_NE(tones, nullptr);
    ClickTab(tones, 3);
    Choose(tones->Combo1, "Off");
    ASSERT_EQ(d.RBToneTable[3].Cycles, 0);
    ASSERT_EQ(Find(1), nullptr);

    SaveAs(path);
    EXPECT_EQ(p().doc.SavedDataRec.ComChanRb, 0);
    ASSERT_TRUE(Transfer("mnuWriteToRadio", kWriteDone));
    EXPECT_EQ(Radio(0x4A08), 0);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&radio.Image()[size_t(imagemap::DtmfRowOf(4))]), 16),
              QByteArray::fromHex("010e0f0b091010101010101010101010"));
}

TEST_F(Editors, AWrittenCodeOfJunkTakesItsReferencesWithIt) {
    OptFeatRec& o = p().doc.DataRec.OptFeat;
    o.DTMFCode[2].set(QStringLiteral("12"));
    o.DTMFCode[3].set(QStringLiteral("xyz"));  // nothing a code holds
    const int group = p().doc.DataRec.CurGroup[0];
    ASSERT_GE(p().doc.DataRec.ChCount(0, group), 1);
    const auto channel = [&]() -> ChannelRecord& { return p().doc.ChData(0, 1, group); };
    channel().Public = 0;
    channel().BOT = 3, channel().EOT = 2, channel().Call = 3;
    o.PubBOT = 3, o.PubEOT = 2, o.PubCall = 3;
    const QString path = Folder("junk.dat");
    SaveAs(path);
    prompter.ScriptFiles({path});
    main().Menu("mnuFileOpen")->trigger();
    ASSERT_EQ(o.DTMFCode[3].raw().left(3), QStringLiteral("xyz"));

    auto* channels = Open<frmCommChInfo>(0);
    auto* opt = Open<FrmOptFeatures>(1);
    ASSERT_TRUE(channels && opt);
    channels->Combo2->setCurrentIndex(0);
    emit channels->Combo2->activated(0);
    channels->MSFlexGrid1->setCurrentCell(channel().ChNo, 1);
    const auto shown = [](const auto& lists, std::initializer_list<int> which) {
        QStringList texts;
        for (int i : which) texts << lists[size_t(i)]->currentText();
        return texts;
    };
    ASSERT_EQ(shown(channels->Combo8, {13, 14, 15}), QStringList({"3", "2", "3"}));
    ASSERT_EQ(shown(opt->Combo2, {6, 7, 8}), QStringList({"3", "2", "3"}));

    ASSERT_TRUE(Transfer("mnuWriteToRadio", kWriteDone));
    const int record = imagemap::PlaceOf(0, group, channel().ChNo)->record;
    EXPECT_EQ(std::make_tuple(Radio(record + 12), Radio(record + 13), Radio(record + 14)), std::make_tuple(0, 2, 0));
    EXPECT_EQ(std::make_tuple(Radio(0x4A09), Radio(0x4A0A), Radio(0x4A0B)), std::make_tuple(0, 2, 0));
    EXPECT_EQ(shown(channels->Combo8, {13, 14, 15}), QStringList({"OFF", "2", "OFF"}));
    EXPECT_EQ(shown(opt->Combo2, {6, 7, 8}), QStringList({"OFF", "2", "OFF"}));
    // The document holds what the radio was given.
    EXPECT_TRUE(SameTransferred(EncodedImage(p().doc), radio.Image()));
}

}  // namespace
