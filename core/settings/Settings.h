#pragma once
// Program-wide settings and switches established at start-up.

#include <QString>

namespace zr50 {

struct Settings {
    int MWriteEnable = 0;  // group write offered only when 1; nothing sets it
    int SkipInitFile = 0;  // start without the blank template; nothing sets it
    int SysLanguage = 1;   // 2 when the system locale is 0x0804
    int CurLanguage = 1;   // 1 English, 2 Chinese
    int AppliedLanguage = 1;
    bool FirstRunFlag = false;
    int PortNo = 1;
    int PortHandshaking = 0;
    int PortStopBits = 1;
};

// Where the program's files are: the program folder and the folder above it.
struct Paths {
    QString ProgramFolder;
    QString ProgramName = QStringLiteral("ZR50");  // file name of the executable

    QString ParentFolder() const;
    QString SettingsIni() const;  // <parent>/language/mysetup.ini
    QString VersionIni() const;   // <parent>/Version.ini
    QString InitFolder() const;   // <program>/Init
    QString PictureFolder() const;  // <program>/PIC
};

}  // namespace zr50
