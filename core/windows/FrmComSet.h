#pragma once
// The port dialog: the serial ports present, rescanned every second, the choice
// kept in the settings file.

#include "link/ComSet.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace zr50 {

class FrmComSet : public QDialog {
    Q_OBJECT
public:
    FrmComSet(Program& p, std::function<QStringList()> listPorts = SerialPortEntries,
              QWidget* parent = nullptr);
    ~FrmComSet() override;

    FrmComSetLogic logic;
    QLabel* Label1;
    QComboBox* Combo1;
    QPushButton* CommandOK;
    QPushButton* CommandCancel;
    QTimer* ReShowComPortTimer;

public slots:
    // Every second while the dialog is open: the ports present now.
    void ReShowComPortTimer_Timer();

private:
    void ShowList();
    void Finish();
};

}  // namespace zr50
