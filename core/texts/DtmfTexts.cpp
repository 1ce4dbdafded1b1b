#include "TextTables.h"

namespace zr50 {

void InitDTMFTexts(TextTables& t) {
    DtmfTexts& d = t.Dtmf;
    d.Caption = Both("DTMF", "DTMF(双音多频)");
    d.Encode = Both("Encode", "编码");
    d.Decode = Both("Decode", "解码");
    d.AutodialMemory = Both("Autodial Memory", "自动拨号存储器");
    d.Stun = Same("Stun");
    d.HeaderNo = Both("No.", "编号");
    d.Label1 = {Both("DTMF Send Time[ms]", "DTMF 发送时间[毫秒]"),
                Both("First Digit Time[ms]", "首位数码时间[毫秒]"),
                Both("First Digit Delay[ms]", "首位数码延迟[毫秒]"),
                Both("* and # Tone[ms]", "*和#音[毫秒]"),
                Both("D Code Assignment", "D键设定")};
    d.Check1 = Both("DTMF DISP", "DTMF 显示");
    d.Label2 = {Both("ID Code", "ID 码"), Both("Group Code", "组呼码"),
                Both("Auto Reset Timer[s]", "自动复位定时器[秒]"), Both("Call Alert", "呼叫告警"),
                Both("Transpond", "自动应答")};
    d.Check2 = Both("Clear to Transpond", "清除自动应答");
    d.Label3 = {Both("Stun Code", "遥毙码"), Both("Stun Type", "遥毙类型")};

    d.DCodes[0] = Both("D Code", "D 码");
    for (int n = 1; n <= 16; ++n)
        d.DCodes[size_t(n)] = {QString::number(n) + QLatin1Char('s'),
                               QString::number(n) + QString::fromUtf8("秒")};
    d.CallAlert = {Both("Off", "关"), Both("Normal", "常规"), Both("Continuous", "连续")};
    d.Transpond = {Both("Off", "关"), Both("Alert", "告警"), Both("ID Code", "ID 码")};
    d.StunType = {Both("TX Inhibit", "发射抑制"), Both("TX/RX Inhibit", "发射/接收 抑制")};
}

}  // namespace zr50
