#include "AboutBox.h"

#include "Program.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QVersionNumber>

namespace zr50 {

QString VersionLabel(const QString& prefix, const QString& version) {
    const QVersionNumber v = QVersionNumber::fromString(version);
    return prefix + QStringLiteral("%1.%2.%3").arg(v.majorVersion()).arg(v.minorVersion()).arg(v.microVersion());
}

namespace {
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    return l;
}

QFrame* Rule(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
}  // namespace

AboutBox::AboutBox(Program& p, bool chinese, QWidget* parent) : QDialog(parent), p_(p) {
    setObjectName(chinese ? QStringLiteral("frmAbout") : QStringLiteral("FrmAbout2"));
    setWindowTitle(chinese ? QString::fromUtf8("关于 KDP4412") : QStringLiteral("About KDP4412"));
    picIcon = MakeLabel(this, "picIcon", QString());
    picIcon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
    lblTitle = MakeLabel(this, "lblTitle", QApplication::applicationName());
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = MakeLabel(this, "lblVersion",
                           VersionLabel(chinese ? QString::fromUtf8("版本 ") : QStringLiteral("Version "),
                                        QApplication::applicationVersion()));
    lblDescription = MakeLabel(this, "lblDescription",
                               chinese ? QString::fromUtf8("ZR50 对讲机编程软件 ")
                                       : QStringLiteral("ZR50 RADIO PROGRAMMING SOFTWARE"));
    Label1 = MakeLabel(this, "Label1",
                       chinese ? QString::fromUtf8("用于 ZR50 机型") : QStringLiteral("FOR ZR50 RADIO"));
    lblDisclaimer = MakeLabel(
        this, "lblDisclaimer",
        chinese ? QString::fromUtf8("本软件仅用于 ZR50 对讲机的编程。写入对讲机前请保存当前数据。")
                : QStringLiteral("This software programs ZR50 radios. Save your data before "
                                 "writing it to a radio."));
    cmdOK = new QPushButton(chinese ? QString::fromUtf8("确定(&O)") : QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblDescription, 2, 1);
    grid->addWidget(Label1, 3, 1);
    grid->addWidget(Rule(this), 4, 0, 1, 3);
    grid->addWidget(lblDisclaimer, 5, 0, 1, 2);
    grid->addWidget(Rule(this), 6, 0, 1, 3);
    grid->addWidget(cmdOK, 5, 2, Qt::AlignTop);
    if (chinese) {
        cmdSysInfo = new QPushButton(QString::fromUtf8("系统信息(&S)"), this);
        cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
        connect(cmdSysInfo, &QPushButton::clicked, this, &AboutBox::StartSysInfo);
        grid->addWidget(cmdSysInfo, 7, 2);
    }
    grid->setColumnStretch(1, 1);
    setMinimumWidth(420);
}

void AboutBox::StartSysInfo() {
    for (const QString& name : sysInfoPrograms) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty() && p_.process.StartDetached(path)) return;
    }
    p_.prompter.Ask(QString::fromUtf8("此时系统信息不可用"), Buttons::Ok, Icon::None);
}

}  // namespace zr50
