#pragma once
// Every text table of the program, filled once at start-up by InitEnglishText
// and never changed afterwards.

#include "OptFeatTexts.h"
#include "texts/LangText.h"

#include <QHash>
#include <array>

namespace zr50 {

struct MessageTexts {
    LangText AllDataCleared, DataFile, FileError, CannotOpenPort, ReadConfirm, WriteConfirm,
        FileModified, FileOverwrite, CheckConnection, ModelWrong, FreqOutOfRange, Ok, Cancel;
    LangText SearchOtherPorts;  // %1: the port label and number
    // Why a port did not open, shown after CannotOpenPort.
    LangText PortNoPermission, PortBusy, PortMissing;
    std::array<LangText, 3> Completed;  // item 1 read, item 2 write
};

struct MainTexts {
    QHash<QString, LangText> Menu;  // captions by menu item name
    LangText CommPortCaption, Com, LanguageMode, LanguageSetup, Close, Help;
    LangText RadioCount;  // the group write's question
    std::array<LangText, 3> LanguageNames;  // item 1 English, item 2 Chinese
};

struct PrintTexts {
    LangText FileName;
    std::array<LangText, 3> Switch;  // item 1 OFF, item 2 ON
    std::array<LangText, 9> Colors;  // items 1..8
};

struct ProgressTexts {
    std::array<LangText, 3> Title;  // item = CommMode 1 read, 2 write
    LangText Percentage;
};

struct VersionTexts {
    LangText FirmwareLabel, SoftwareLabel, DataFileLabel, Question, MissingVersion,
        UnknownDataVersion;
};

// The channel window's texts, and those the optional-features window shares
// with it (the same text in both languages).
struct ChannelInfoTexts {
    LangText Caption, SelectBand, Band, HeaderChNo, HeaderFrequency, CtcDcs, QtDqtEnc, HiCut,
        NbAnl, Echo, Add10K, Busy, Scan, RxCtc, TxCtc, CheckRadioBand, ChannelEdit;
    LangText ScanDel, ScanAdd, TsqDisable, TsqEnable;
    LangText VolDisplay, SQLDisplay, POWDisplay, RFGDisplay, FinRange, HFPublic, HamPublic,
        CWFreq, CWBeep, Dim, ASQ, VoxSpk, AGC, ComChanRb;
};

// The optional-features texts; for now the entries the channel window shows.
struct OptionTexts {
    LangText GroupName, GroupValid, EmgChx, EmgMode1, EmgMode2, DwAfmState, MemChx, WorkGroup,
        Off;
};

// The DTMF window's captions and lists.
struct DtmfTexts {
    LangText Caption, Encode, Decode, AutodialMemory, Stun, HeaderNo;
    std::array<LangText, 5> Label1;  // the Encode page's lists
    LangText Check1;
    std::array<LangText, 5> Label2;  // the Decode page's fields
    LangText Check2;
    std::array<LangText, 2> Label3;  // stun code and type
    std::array<LangText, 17> DCodes;  // "D Code", then 1..16 seconds
    std::array<LangText, 3> CallAlert, Transpond;
    std::array<LangText, 2> StunType;
};

struct TextTables {
    MessageTexts Msg;
    MainTexts Main;
    PrintTexts Print;
    ChannelInfoTexts ChInfo;
    OptionTexts Opt;
    DtmfTexts Dtmf;
    OptFeatTexts OptFeat;
    ProgressTexts Progress;
    VersionTexts Version;
};

void InitMessageTexts(TextTables& t);
void InitPrintTexts(TextTables& t);
void InitVersionTexts(TextTables& t);
void InitChannelInfoTexts(TextTables& t);
void InitOptionTexts(TextTables& t);
void InitDTMFTexts(TextTables& t);
// Fills every table, in the order the program needs them.
void InitEnglishText(TextTables& t);

// The roger-beep texts by id (10221, 12014, 29000..29007, 29100..29113, 29200, 29201).
QString GetToneText(long id, int language);

}  // namespace zr50
