#pragma once
// The two about boxes: "frmAbout" with Chinese captions (it can start the
// system-information program) and "FrmAbout2" with English ones.

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

namespace zr50 {

struct Program;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(Program& p, bool chinese, QWidget* parent = nullptr);

    QLabel *picIcon, *lblTitle, *lblVersion, *lblDescription, *Label1, *lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo = nullptr;  // the Chinese box only

    // Programs tried in order on the search path; a test may replace them.
    QStringList sysInfoPrograms = {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
                                   QStringLiteral("gnome-system-monitor"), QStringLiteral("xfce4-taskmanager")};

public slots:
    void StartSysInfo();

private:
    Program& p_;
};

// "Version 2.0.0": major.minor.revision without leading zeros.
QString VersionLabel(const QString& prefix, const QString& version);

}  // namespace zr50
