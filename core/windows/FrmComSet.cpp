#include "FrmComSet.h"

#include "ComboBoxes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace zr50 {

FrmComSet::FrmComSet(Program& p, std::function<QStringList()> listPorts, QWidget* parent)
    : QDialog(parent), logic(p, std::move(listPorts)) {
    setObjectName(QStringLiteral("FrmComSet"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setMinimumContentsLength(10);
    CommandOK = new QPushButton(this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    CommandOK->setDefault(true);
    CommandCancel = new QPushButton(this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    ReShowComPortTimer = new QTimer(this);
    ReShowComPortTimer->setObjectName(QStringLiteral("ReShowComPortTimer"));
    ReShowComPortTimer->setInterval(1000);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, Qt::AlignRight);
    grid->addWidget(Combo1, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    grid->addLayout(buttons, 1, 0, 1, 2);
    setMinimumWidth(300);  // room for the caption

    connect(Combo1, &QComboBox::activated, this, [this](int index) { logic.Combo1_Click(index); });
    connect(CommandOK, &QPushButton::clicked, this, [this] {
        logic.CommandOK_Click();
        Finish();
    });
    connect(CommandCancel, &QPushButton::clicked, this, [this] {
        logic.CommandCancel_Click();
        Finish();
    });
    connect(ReShowComPortTimer, &QTimer::timeout, this, &FrmComSet::ReShowComPortTimer_Timer);

    logic.Form_Load();
    setWindowTitle(logic.Caption());
    Label1->setText(logic.LabelCaption());
    CommandOK->setText(logic.OkCaption());
    CommandCancel->setText(logic.CancelCaption());
    ShowList();
    if (logic.TimerEnabled) ReShowComPortTimer->start();
}

FrmComSet::~FrmComSet() { logic.Form_Unload(); }

void FrmComSet::ReShowComPortTimer_Timer() {
    logic.ReShowComPortTimer_Timer();
    ShowList();
}

void FrmComSet::ShowList() {
    // Refilling is not a choice of the user's.
    const QSignalBlocker quiet(Combo1);
    if (ItemsOf(Combo1) == logic.Entries) {
        if (Combo1->currentIndex() != logic.ListIndex) Combo1->setCurrentIndex(logic.ListIndex);
        return;
    }
    // The entry highlighted in the open list stays highlighted while it exists.
    const QString highlighted = Combo1->view()->currentIndex().data().toString();
    const bool open = Combo1->view()->isVisible();
    Combo1->clear();
    Combo1->addItems(logic.Entries);
    Combo1->setCurrentIndex(logic.ListIndex);
    if (open) Combo1->showPopup();  // sized for the new entries
    const int row = logic.Entries.indexOf(highlighted);
    if (row >= 0) Combo1->view()->setCurrentIndex(Combo1->model()->index(row, 0));
}

void FrmComSet::Finish() {
    ReShowComPortTimer->stop();
    accept();
}

}  // namespace zr50
