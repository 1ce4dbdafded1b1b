#include "OptFeatTexts.h"

#include "TextTables.h"

#include <QStringList>
#include <initializer_list>

namespace zr50 {

namespace {
LangList Numbers(int from, int to, int step = 1, const char* suffix = "") {
    LangList out;
    for (int v = from; v <= to; v += step) {
        const QString t = QString::number(v) + QLatin1String(suffix);
        out.append({t, t});
    }
    return out;
}

LangList Words(std::initializer_list<const char*> words) {
    LangList out;
    for (const char* w : words) out.append(Same(w));
    return out;
}

LangList Letters(const char* letters) {
    LangList out;
    for (const char* c = letters; *c; ++c) out.append(Same(QByteArray(1, *c).constData()));
    return out;
}

LangList Pairs(std::initializer_list<std::pair<const char*, const char*>> items) {
    LangList out;
    for (const auto& [en, zh] : items) out.append(Both(en, zh));
    return out;
}
}  // namespace

QStringList InLanguage(const LangList& items, int language) {
    QStringList out;
    for (const LangText& t : items) out << t(language);
    return out;
}

void InitOptFeatTexts(TextTables& t) {
    OptFeatTexts& o = t.OptFeat;
    const ChannelInfoTexts& c = t.ChInfo;
    const LangText& OFF = t.Print.Switch[1];
    const LangText& ON = t.Print.Switch[2];
    const LangText& Off = t.Opt.Off;

    o.Caption = Both("Optional Features", "可选功能");
    o.Public = Both("Public", "公共信道设置");
    o.ModeEnable = Same("Mode Enable");
    o.TxOffset = Same("Tx Offset");
    o.MHz = Same("MHz");

    auto& L = o.Label1;
    L[0] = Same("HAM DW Mode");
    L[1] = Both("Current HAM Group", "当前HAM组");
    L[2] = Both("INDIC", "发射时LCD显示");
    L[3] = Same("MIC");
    L[4] = Both("RB Frequecy[Hz][Hz]", "RB 频率[Hz][Hz]");
    L[5] = Both("RB Time[ms]", "RB 时间[ms]");
    L[6] = Both("CW Frequecy[Hz]", "CW 频率[Hz]");
    L[7] = Both("Call Frequecy[Hz]", "Call 频率[Hz]");
    L[8] = Same("NOG");
    L[9] = Same("TOT");
    L[10] = Same("SCM");
    L[11] = Same("Fin");
    L[12] = Same("HF DW Band");
    L[13] = Same("HF DW Chan");
    L[14] = Same("HF DW Mode");
    L[15] = Same("Ham DW Band");
    L[16] = Same("HAM DW Chan");
    L[17] = Both("Color", "背光灯颜色");
    L[18] = Same("Mode");
    L[19] = Both("Work Mode", "工作模式");
    L[20] = Both("Backlight Contrast", "背光灯对比度");
    L[21] = Both("Current Menu Page", "当前菜单页");
    L[22] = Same("Channel Mode");
    L[23] = Same("Freq_CH");
    L[24] = Both("ASQ Level", "ASQ等级");
    L[25] = Both("Rx NR", "接收NR");
    L[26] = Both("Tx NR", "发射NR");
    L[27] = Both("VOX Level", "声控等级");
    L[28] = Both("VOX Delay", "声控延时");
    L[29] = Both("MicType", "MIC类型");
    L[30] = Both("KeyLock", "锁键");
    L[31] = Both("VOL Path", "音量通道");
    L[32] = Same("Echo VOL");
    L[33] = Same("Echo Time");
    L[34] = Same("EMG");
    L[35] = Same("VOX");
    L[36] = Both("VFO Step", "VFO步进");
    L[37] = Same("AM NPC");
    L[38] = Same("VFO");
    L[39] = Both("Beep", "提示音");
    L[40] = Both("FM Deviation", "FM调制范围");
    L[41] = Both("SSB Tone", "SSB调制范围");
    L[42] = Both("PF Key", "按键");
    L[43] = Both("Long Key", "长按键");
    L[44] = c.FinRange;
    L[45] = c.HFPublic;
    L[46] = c.HamPublic;
    L[47] = c.CWFreq;
    L[48] = c.CWBeep;
    L[49] = c.Dim;
    L[50] = c.ASQ;
    L[51] = c.VoxSpk;
    L[52] = c.AGC;
    L[53] = c.ComChanRb;
    L[54] = Same("Cw Rx");
    L[55] = Same("Cw Bkin");
    L[56] = Same("Cw OffSet");
    L[57] = Same("Rx Color");
    L[58] = Same("Tx Color");

    auto& I = o.Combo1Items;
    const LangList fourModes = Words({"FM", "AM", "USB", "LSB"});
    const LangList dwBands = Letters("ABCDEFGHIJL");  // there is no "K"
    const LangList offOn = {OFF, ON};
    const LangList oneToNine = Numbers(1, 9);
    const LangList keys = Words({"NULL", "VOX", "VFO", "NB.ANL", "10K", "ECHO", "HI-CUT", "CALL",
                                 "C-CDT", "ASQ", "MIC.GAIN", "AM.NPC", "RXNR", "TXNR", "FM.DEV",
                                 "TONE", "INDIC", "CH.PUSH", "AGC.SET", "Scan"});
    const LangList tones = Numbers(300, 3000, 10);
    LangList colours;
    for (int k = 1; k <= 8; ++k) colours.append(t.Print.Colors[size_t(k)]);

    I[0] = I[14] = fourModes;
    I[1] = Letters("ABCDEFGHIJ");
    I[2] = Pairs({{"Tx Frequency Display", "发射频率显示"},
                  {"SWR LCD Display", "SWR驻波LCD显示"},
                  {"TOT Remain Time Display", "TOT剩余时间显示"},
                  {"Battery Voltage Display", "电池电压显示"}});
    I[3] = Numbers(1, 45);
    I[4] = I[6] = I[7] = tones;
    // The CW tone is one byte, stored as the list position + 30.
    I[47] = Numbers(300, 2550, 10);
    I[5] = Numbers(50, 1000, 50);
    I[8] = LangList{Off} + Numbers(1, 32);
    I[9] = LangList{Off} + Numbers(30, 600, 30, "s");
    I[10] = Pairs({{"Squelch Scan", "静噪扫描"}, {"Time Scan", "时间扫描"}});
    I[11] = LangList{Off} + Words({"R", "T", "RT"});
    I[12] = I[15] = dwBands;
    I[13] = I[16] = Numbers(1, 40);
    I[17] = Pairs({{"Off", "关"},
                   {"White", "白"},
                   {"Blue", "蓝"},
                   {"Green", "绿"},
                   {"Red", "红"},
                   {"Yellow", "黄"},
                   {"Purple", "紫"},
                   {"Cyan", "青"}});
    I[18] = Words({"FM", "AM", "USB", "LSB", "CW", "PA"});
    I[19] = Words({"CB", "HAM"});
    I[20] = I[21] = oneToNine;
    I[22] = Words({"CH", "MEM"});
    I[23] = Words({"Channel", "Frequency"});
    I[24] = LangList{OFF} + oneToNine;
    I[25] = I[26] = I[39] = I[49] = LangList{OFF} + Numbers(1, 5);
    I[27] = I[28] = oneToNine;
    I[29] = Words({"EL", "DY"});
    for (int k : {30, 35, 37, 38, 45, 46, 51, 56}) I[size_t(k)] = offOn;
    I[31] = Words({"MAIN", "MIC.JACK", "BOTH"});
    I[32] = I[33] = Numbers(1, 32);
    I[34] = LangList{OFF} + Words({"EMG 1", "EMG 2"});
    I[36] = Words({"10Hz", "100Hz", "1K", "5K", "10K", "100K", "1M"});
    I[40] = Words({"2K", "4K"});
    I[41] = Words({"Hi", "Lo"});
    I[42] = I[43] = keys;
    I[44] = Words({"500Hz", "5KHz"});
    I[48] = LangList{OFF} + Numbers(1, 63);
    I[52] = Words({"SLOW", "FAST"});
    I[54] = Words({"CW-U", "CW-L"});
    I[55] = Words({"Off"}) + Numbers(10, 1000, 10, "ms");
    I[57] = I[58] = colours;

    o.Label4 = {c.HiCut, c.NbAnl, c.Echo, c.Add10K, c.Busy,
                Same("Roger"), Same("BOT"), Same("EOT"), Same("CALL")};
    o.Combo2Items[0] = o.Combo2Items[2] = o.Combo2Items[3] = o.Combo2Items[4] = offOn;
    o.Combo2Items[1] = LangList{OFF} + Words({"NB", "ANL", "NB/ANL"});

    o.Check1 = {Both("VOX Function", "VOX功能"),
                Both("MEM Menu", "MEM菜单"),
                Both("Beep", "提示音"),
                Both("SWR Protect", "驻波保护"),
                Both("Battery Voltage Protect", "电池电压保护"),
                Same("FM Enable"),
                Same("AM Enable"),
                Same("USB Enable"),
                Same("LSB Enable"),
                Same("PA Enable"),
                Same("CW Enable"),
                Same("Reset")};
    o.chkCheck2 = {c.VolDisplay, c.SQLDisplay, c.POWDisplay, c.RFGDisplay};
    o.Frame3 = {Same("FM/AM RSSI"), Same("USB/LSB RSSI")};
    o.Label6 = {Same("1"), Same("3"), Same("5"), Same("7"), Same("9"), Same("+30")};
    o.Label3 = {Same("Max"), Same("Min[V]"), Same("Max[V]")};
    o.Label2 = {Same("RTIX(KHz)"), Same("TTIX(KHz)")};
    o.Combo3Items = Words({"FM", "AM", "USB", "LSB", "PA"});
}

}  // namespace zr50
