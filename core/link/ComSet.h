#pragma once
// What the port dialog FrmComSet does, without its widgets: the window shows
// Entries with ListIndex selected, calls the handlers and closes when Closed.

#include <QStringList>
#include <functional>

namespace zr50 {

struct Program;

// "COM<n>" for each serial port present, in listing order.
QStringList SerialPortEntries();

class FrmComSetLogic {
public:
    // listPorts gives the port entries ("COM3", ...) in listing order.
    explicit FrmComSetLogic(Program& p,
                            std::function<QStringList()> listPorts = SerialPortEntries);

    QString Caption() const;
    QString LabelCaption() const;
    QString OkCaption() const;
    QString CancelCaption() const;

    void Form_Load();
    void ReShowComPortTimer_Timer();  // every second while loaded
    void Combo1_Click(int index);
    void CommandOK_Click();
    void CommandCancel_Click();
    void Form_Unload();

    QStringList Entries;
    int ListIndex = -1;  // -1: nothing selected
    int ChosenPort = 0;  // the dialog's public port number, 0 for none
    bool TimerEnabled = false;
    bool Closed = false;

private:
    // Refills the list and selects "COM<port>", else the first entry.
    void FillAndSelect(int port);
    int PortOfSelection() const;

    Program& p_;
    std::function<QStringList()> listPorts_;
};

}  // namespace zr50
