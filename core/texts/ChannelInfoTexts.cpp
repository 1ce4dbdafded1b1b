#include "TextTables.h"

namespace zr50 {

void InitChannelInfoTexts(TextTables& t) {
    ChannelInfoTexts& c = t.ChInfo;
    c.Caption = Both("Channel Information", "信道信息");
    c.SelectBand = Both("Select HF/HAM", "模式选择");
    c.Band = Both("Band", "组");
    c.HeaderChNo = Both("CH No.", "信道");
    c.HeaderFrequency = Both("Frequency", "频率");
    c.CtcDcs = Same("CTC/DCS");
    c.QtDqtEnc = Both("QT/DQT Enc", "编码");
    c.HiCut = Same("HI-CUT");
    c.NbAnl = Same("NB/ANL");
    c.Echo = Same("ECHO");
    c.Add10K = Same("+10KHz");
    c.Busy = Same("BUSY");
    c.Scan = Both("Scan", "扫描");
    c.RxCtc = Same("RXCTC");
    c.TxCtc = Same("TXCTC");
    c.CheckRadioBand = Both("Check Radio &Band", "检查机器频段(&B)");
    c.ChannelEdit = Both("Channel", "信道编辑");
    c.ScanDel = Both("Del", "删除");
    c.ScanAdd = Both("Add", "添加");
    c.TsqDisable = Both("Disable", "不使用");
    c.TsqEnable = Both("Enable", "使用");

    c.VolDisplay = Same("Vol Display");
    c.SQLDisplay = Same("SQL Display");
    c.POWDisplay = Same("POW Display");
    c.RFGDisplay = Same("RFG Display");
    c.FinRange = Same("Fin Range");
    c.HFPublic = Same("HF Public");
    c.HamPublic = Same("Ham Public");
    c.CWFreq = Same("CW Freq");
    c.CWBeep = Same("CW BEEP");
    c.Dim = Same("Dim");
    c.ASQ = Same("ASQ");
    c.VoxSpk = Same("VOX Spk");
    c.AGC = Same("AGC");
    c.ComChanRb = Same("Com Chan Rb");
}

void InitOptionTexts(TextTables& t) {
    OptionTexts& o = t.Opt;
    o.GroupName = Both("Group Name", "组名称");
    o.GroupValid = Both("Group Valid", "组有效");
    o.EmgChx = Both("EMG CHX", "紧急信道");
    o.EmgMode1 = Same("EMG Mode 1");
    o.EmgMode2 = Same("EMG Mode 2");
    // Its list is never shown, so it has no Chinese text of its own.
    o.DwAfmState = Same("DW AFM State");
    o.MemChx = Both("MEM CHX", "当前MEM信道");
    o.WorkGroup = Both("Work Group", "工作组");
    o.Off = Both("Off", "关");
}

}  // namespace zr50
