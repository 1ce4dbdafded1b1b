#include "TextTables.h"

namespace zr50 {

void InitMessageTexts(TextTables& t) {
    MessageTexts& m = t.Msg;
    m.AllDataCleared = Both("All data will be cleared.", "所有数据将被清空。");
    m.DataFile = Both("Data File", "数据文件");
    m.FileError = Both("file error.", "文件错误。");
    m.CannotOpenPort = Both("Cannot Open Communication Port.", "无法打开通信端口。");
    m.PortNoPermission = Both(
        "You are not allowed to use this port: add your user to the dialout group "
        "(sudo adduser $USER dialout), then log out and in again.",
        "没有使用该端口的权限：请把当前用户加入 dialout 组（sudo adduser $USER dialout），"
        "然后注销并重新登录。");
    m.PortBusy = Both(
        "Another program is using this port: close it and try again "
        "(ModemManager or brltty may hold a USB serial adapter).",
        "该端口正被其他程序占用：请关闭该程序后重试（ModemManager 或 brltty 可能占用了 USB 串口适配器）。");
    m.PortMissing = Both("There is no such port: the cable or the USB serial adapter is unplugged.",
                         "没有该端口：电缆或 USB 串口适配器未连接。");
    m.ReadConfirm = Both("Read data from radio.\r\nDo you wish continue?",
                         "从对讲机读取数据。\r\n是否继续？");
    m.WriteConfirm = Both("Write data to radio.\r\nDo you wish continue?",
                          "向对讲机写入数据。\r\n是否继续？");
    m.FileModified = Both("File has been modify,save it now?", "当前文件已被修改，是否现在保存？");
    m.FileOverwrite = Both("file will be Overwrite,Continue?", "文件将被覆盖，是否继续？");
    m.CheckConnection = Both("Check Connection. Retry or Cancel?", "检测连接。重试或取消？");
    m.SearchOtherPorts = Both("No radio answers on %1. Search the other serial ports?",
                              "%1上没有对讲机应答。是否搜索其他串口？");
    m.Completed[1] = Both("Read Data Completed.", "读取数据完成。");
    m.Completed[2] = Both("Write Data Completed.", "写入数据完成。");
    m.ModelWrong = Both("Model type is wrong.", "机型类型错误。");
    m.FreqOutOfRange = Both("Frequency is out of range.", "频率超出范围。");
    m.Ok = Both("&OK", "确定(&O)");
    m.Cancel = Both("&Cancel", "取消(&C)");
}

namespace {
void InitMainTexts(TextTables& t) {
    auto& menu = t.Main.Menu;
    const struct {
        const char* name;
        const char* en;
        const char* zh;
    } items[] = {
        {"mnuFile", "&File", "文件&F"},
        {"mnuFileNew", "&New", "新建(&N)"},
        {"mnuFileOpen", "&Open", "打开(&O)"},
        {"mnuFileSave", "&Save", "保存(&S)"},
        {"mnuFileSaveAs", "Save &As", "另存为(&A)"},
        {"mnuFilePrint", "&Print", "打印(&P)"},
        {"mnuFileExit", "E&xit", "退出(&X)"},
        {"mnuModel", "&Model", "机型(&M)"},
        {"mnuModelInfo", "&Model Information", "机型信息(&M)"},
        {"MnuBand", "&Band", "频段(&B)"},
        {"MnuCheckRadioBand", "Check Radio &Band", "检查机器频段(&B)"},
        {"MnuFrequencyCheck", "Check All Channel &Frequency", "有效频率检测(&F)"},
        {"mnuEdit", "&Edit", "编辑(&E)"},
        {"mnuChannelInfo", "&Channel Information", "信道信息(&C)"},
        {"mnuOptFeature", "&Option Features", "可选功能(&O)"},
        {"mnuKeyAssignm", "&Key Assignment", "键设置(&K)"},
        {"mnuScanInfo", "&Scan Information", "扫描信息(&S)"},
        {"mnuDTMF", "&DTMF", "DTMF(双音多频)(&D)"},
        {"mnuFleetSync", "&Fleet Sync", "Fleet Sync(队列同步)(&F)"},
        {"mnuTestFre", "&Test FreQuence", "测试频率(&T)"},
        {"mnuEmbeddedMsg", "Local &Information", "本机信息(&I)"},
        {"mnuEMG", "Embedded &Message", "嵌入信息(&M)"},
        {"mnuProgram", "&Program", "编程(&P)"},
        {"mnuReadFromRadio", "&Read from Radio", "从对讲机读取数据(&R)"},
        {"mnuWriteToRadio", "&Write to Radio", "向对讲机写入数据(&W)"},
        {"mnuTest", "&Test Mode", "测试模式(&T)"},
        {"mnuTools", "&Tools", "工具(&T)"},
        {"mnuRadioInfo", "&Radio Information", "对讲机信息(&R)"},
        {"mnuSetRadioInfo", "&Set Radio Information", "设置对讲机信息(&S)"},
        {"mnuSet", "&Setup", "设置(&S)"},
        {"mnuComm", "&Communication Port", "通讯端口(&C)"},
        {"mnuLanguage", "&Language Setup", "语言设置(&L)"},
        {"MnuInitial", "&Initial Setting", "初始化设置(&I)"},
        {"MnuInitialBand1", "Band1", "Band1"},
        {"MnuInitialBand2", "Band2", "Band2"},
        {"mnuView", "&View", "视图(&V)"},
        {"mnuTreeView", "Tree &View", "树视图(&V)"},
        {"mnuViewToolbar", "&Toolbar", "工具栏(&T)"},
        {"mnuViewStatusBar", "&Status Bar", "状态栏(&S)"},
        {"mnuWindow", "&Window", "窗口(&W)"},
        {"mnuWindowCascade", "&Cascade", "层叠(&C)"},
        {"mnuWindowTileHorizontal", "Tile Windows &Horizontally", "横向平铺窗口(&H)"},
        {"mnuWindowTileVertical", "Tile Windows &Vertically", "纵向平铺窗口(&V)"},
        {"mnuWindowArrangeIcons", "&Arrange Icons", "排列图标(&A)"},
        {"mnuCloseAll", "Close All &Windows", "关闭所有窗口(&W)"},
        {"mnuHelp", "&Help", "帮助(&H)"},
        {"mnuHelpTopic", "&Help topics", "帮助主题(&H)"},
        {"mnuHelpAbout", "&About ZR50", "关于 AZR50(&A)"},
    };
    for (const auto& i : items) menu.insert(QString::fromLatin1(i.name), Both(i.en, i.zh));
    // The roger-beep entry takes its caption from the tone texts.
    menu.insert(QStringLiteral("mnuToneTips"),
                {GetToneText(10221, kEnglish), GetToneText(10221, kChinese)});
    // The group-write entry has one caption in both languages.
    menu.insert(QStringLiteral("mnuMWriteToRadio"), Same("向多台对讲机写入数据(&M)"));

    MainTexts& m = t.Main;
    m.CommPortCaption = Both("Communication Port", "通信端口");
    m.Com = Both("COM", "通信口");
    m.LanguageMode = Both("Language Mode", "语言模式");
    m.LanguageSetup = Both("Language Setup", "语言设置");
    m.LanguageNames[1] = Both("English", "英语");
    m.LanguageNames[2] = Both("Chinese", "中文");
    m.Close = Both("&Close", "关闭(&C)");
    m.Help = Both("&Help", "帮助(&H)");
    m.RadioCount = Both("Number of radios to write:", "要写入的对讲机台数：");
}

void InitProgressTexts(TextTables& t) {
    t.Progress.Title[1] = Both("Read data from radio", "从对讲机读取数据");
    t.Progress.Title[2] = Both("Write data to radio", "向对讲机写入数据");
    t.Progress.Percentage = Both("Completion percentage:", "完成进度:");
}
}  // namespace

void InitPrintTexts(TextTables& t) {
    PrintTexts& p = t.Print;
    p.FileName = Both("File Name", "文件名");
    p.Switch[1] = Both("OFF", "关");
    p.Switch[2] = Both("ON", "开");
    const char* colours[] = {"Off", "White", "Blue", "Green", "Red", "Yellow", "Purple", "Blue"};
    for (int i = 1; i <= 8; ++i) p.Colors[i] = Same(colours[i - 1]);
}

void InitVersionTexts(TextTables& t) {
    VersionTexts& v = t.Version;
    v.FirmwareLabel = Both("Firmware version is", "固件版本为");
    v.SoftwareLabel = Both("programming software is", "写频软件版本为");
    v.DataFileLabel = Both("DataFile version is", "数据文件版本为");
    v.Question = Both(
        "incompatible version. It may cause unknown error.To start the corresponding software "
        "version, or not?",
        "版本不兼容，有可能引起未知错误，是否启动对应版本软件？");
    v.MissingVersion = Both("Fail to start the software. This version does not exist.",
                            "未能启动，不存在此版本软件！");
    v.UnknownDataVersion = Both("Unknown version Of DataFile!", "未能识别的数据版本!");
}

void InitEnglishText(TextTables& t) {
    InitMessageTexts(t);
    InitMainTexts(t);
    InitPrintTexts(t);
    InitChannelInfoTexts(t);
    InitOptionTexts(t);
    InitDTMFTexts(t);
    InitOptFeatTexts(t);
    InitProgressTexts(t);
}

}  // namespace zr50
