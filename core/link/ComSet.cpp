#include "ComSet.h"

#include "link/Ports.h"
#include "Program.h"
#include "platform/IniFile.h"
#include "rules/ListHelpers.h"
#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"

namespace zr50 {

QStringList SerialPortEntries() {
    QStringList entries;
    for (const SerialPortEntry& e : EnumSerialPorts().entries)
        entries << QStringLiteral("COM") + QString::number(e.number);
    return entries;
}

FrmComSetLogic::FrmComSetLogic(Program& p, std::function<QStringList()> listPorts)
    : p_(p), listPorts_(std::move(listPorts)) {}

QString FrmComSetLogic::Caption() const { return p_.T(p_.texts.Main.CommPortCaption); }
QString FrmComSetLogic::LabelCaption() const { return p_.T(p_.texts.Main.Com); }
QString FrmComSetLogic::OkCaption() const { return p_.T(p_.texts.Msg.Ok); }
QString FrmComSetLogic::CancelCaption() const { return p_.T(p_.texts.Msg.Cancel); }

void FrmComSetLogic::FillAndSelect(int port) {
    Entries = listPorts_ ? listPorts_() : QStringList();
    ListIndex = SelectComboByText(Entries, QStringLiteral("COM") + QString::number(port));
    ChosenPort = PortOfSelection();
}

int FrmComSetLogic::PortOfSelection() const {
    if (ListIndex < 0 || ListIndex >= Entries.size()) return 0;
    return StrToIntDef(Entries[ListIndex].mid(3), 0);
}

void FrmComSetLogic::Form_Load() {
    Closed = false;
    FillAndSelect(p_.settings.PortNo);
    TimerEnabled = true;
}

void FrmComSetLogic::ReShowComPortTimer_Timer() { FillAndSelect(ChosenPort); }

void FrmComSetLogic::Combo1_Click(int index) {
    ListIndex = index >= 0 && index < Entries.size() ? index : -1;
    ChosenPort = PortOfSelection();
}

void FrmComSetLogic::CommandOK_Click() {
    if (ListIndex < 0 || ListIndex >= Entries.size()) {
        p_.settings.PortNo = 0;
    } else {
        const QString number = Entries[ListIndex].mid(3);
        if (const auto n = ToInt16(number)) {
            p_.settings.PortNo = *n;
            WriteProfileString(p_.paths.SettingsIni(), QStringLiteral("language"),
                               QStringLiteral("comPort"), QString::number(*n));
        }
    }
    Form_Unload();
}

void FrmComSetLogic::CommandCancel_Click() { Form_Unload(); }

void FrmComSetLogic::Form_Unload() {
    TimerEnabled = false;
    Closed = true;
}

}  // namespace zr50
