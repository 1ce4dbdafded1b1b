// The main window's controls and their places, in twips as the window was drawn.

#include "FrmMain.h"

#include "FlashSettings.h"

#include "platform/gui/TiledBackground.h"

#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

namespace kdi {

namespace {

// Designed places (twips).
constexpr int kTreeLeft = 120, kTreeTop = 120, kTreeWidth = 3600, kTreeHeight = 6240;
constexpr int kFrame2Left = kTreeLeft + kTreeWidth + 60, kFrame2Top = 60, kFrame2Height = 2160;
constexpr int kModelTop = kFrame2Top + kFrame2Height + 120;
constexpr int kFrame1Top = kModelTop + 1320;
constexpr int kText1Left = 240;
constexpr int kInnerWidth = 11400, kInnerHeight = 6480;

template <class W>
W* Named(W* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

QString Indexed(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

}  // namespace

QChar AddressKey(QChar c) {
    const ushort u = c.unicode();
    if (u > 127) return QChar();
    if (u < 32 || u == 127) return c;
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'F')) return c;
    if (u >= 'a' && u <= 'f') return c.toUpper();
    return QChar();
}

QString CleanAddressText(const QString& text) {
    QString out;
    for (QChar c : text) {
        const QChar k = AddressKey(c);
        if (!k.isNull() && k.unicode() >= 32 && k.unicode() != 127) out += k;
    }
    return out.left(8);
}

int FrmMain::Tw(double twips) const {
    const int dpi = screen() ? int(screen()->logicalDotsPerInchX()) : 96;
    return zr50::TwipsToPixels(twips, dpi);
}

double FrmMain::ToTwips(int pixels) const {
    const int dpi = screen() ? int(screen()->logicalDotsPerInchX()) : 96;
    return zr50::PixelsToTwips(pixels, dpi);
}

void FrmMain::BuildControls() {
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Write Code"));
    auto place = [this](QWidget* w, int l, int t, int wd, int h) { w->setGeometry(Tw(l), Tw(t), Tw(wd), Tw(h)); };

    TreeView1 = Named(new QTreeWidget(this), QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    place(TreeView1, kTreeLeft, kTreeTop, kTreeWidth, kTreeHeight);

    // The settings and the commands.
    Frame2 = Named(new QGroupBox(this), QStringLiteral("Frame2"));
    place(Frame2, kFrame2Left, kFrame2Top, kInnerWidth - kFrame2Left, kFrame2Height);
    auto label = [](QWidget* parent, const QString& name, const QString& text) {
        return Named(new QLabel(text, parent), name);
    };
    auto combo = [](QWidget* parent, const QString& name) {
        auto* c = Named(new QComboBox(parent), name);
        c->setEditable(false);
        return c;
    };
    Label2 = label(Frame2, QStringLiteral("Label2"), QStringLiteral("Comm"));
    Combo1 = combo(Frame2, QStringLiteral("Combo1"));
    Label3 = label(Frame2, QStringLiteral("Label3"), QStringLiteral("Baud"));
    Combo2 = combo(Frame2, QStringLiteral("Combo2"));
    Combo2->addItems(SpeedItems());
    Label4 = label(Frame2, QStringLiteral("Label4"), QStringLiteral("TimeOut"));
    Combo3 = combo(Frame2, QStringLiteral("Combo3"));
    Combo3->addItems(TimeOutItems());
    int x = 180;
    for (auto [l, c] : {std::pair<QLabel*, QComboBox*>{Label2, Combo1}, {Label3, Combo2}, {Label4, Combo3}}) {
        place(l, x, 300, 1400, 300);
        place(c, x, 600, 1400, 330);
        x += 1560;
    }
    Check2 = Named(new QCheckBox(QStringLiteral("Duplex"), Frame2), QStringLiteral("Check2"));
    place(Check2, x, 630, 1200, 300);
    Check3 = Named(new QCheckBox(QString::fromUtf8("空FF"), Frame2), QStringLiteral("Check3"));
    place(Check3, x + 1200, 630, 900, 300);

    auto button = [](QWidget* parent, const QString& name, const QString& text) {
        return Named(new QPushButton(text, parent), name);
    };
    CommandOpenSave = button(Frame2, QStringLiteral("CommandOpenSave"), QStringLiteral("Open File(&O)"));
    CommandWrite = button(Frame2, QStringLiteral("CommandWrite"), QStringLiteral("Write(&W)"));
    CommandRead = button(Frame2, QStringLiteral("CommandRead"), QString::fromUtf8("读出(&R)"));
    CommandRead->setEnabled(false);
    CommandSaveSet = button(Frame2, QStringLiteral("CommandSaveSet"), QString::fromUtf8("保存设定(&S)"));
    CommandAddBLock = button(Frame2, QStringLiteral("CommandAddBLock"), QString::fromUtf8("添加块文件(&A)"));
    CommandDelBolck = button(Frame2, QStringLiteral("CommandDelBolck"), QString::fromUtf8("删除块文件(&D)"));
    Command_Bin = button(Frame2, QStringLiteral("Command_Bin"), QString::fromUtf8("输出BIN(&B)"));
    CommandExit = button(Frame2, QStringLiteral("CommandExit"), QString::fromUtf8("退出(&X)"));
    // The two shown buttons lead the row; the hidden ones share their places.
    place(CommandOpenSave, 180, 1380, 1800, 480);
    place(CommandWrite, 2160, 1380, 1800, 480);
    x = 4140;
    for (QPushButton* b : {CommandRead, CommandSaveSet, CommandAddBLock, CommandDelBolck, Command_Bin, CommandExit}) {
        place(b, x, 1380, 1500, 480);
        b->hide();
        x += 1560;
    }
    Check3->hide();

    // The model fields; the communication pair is kept but not shown.
    const char* captions[4] = {"Communication model", "Communication Version", "Display model", "Display Version"};
    const int lengths[4] = {8, 4, 16, 8};
    for (int k = 0; k < 4; ++k) {
        Label5[k] = label(this, Indexed("Label5", k), QString::fromLatin1(captions[k]));
        Text3[k] = Named(new QLineEdit(this), Indexed("Text3", k));
        Text3[k]->setMaxLength(lengths[k]);
    }
    // Shown fields on the first line, the hidden pair under them.
    for (int k = 2; k < 4; ++k) {
        place(Label5[k], kFrame2Left + (k - 2) * 3700, kModelTop, 1700, 330);
        place(Text3[k], kFrame2Left + (k - 2) * 3700 + 1700, kModelTop, 1800, 330);
    }
    for (int k = 0; k < 2; ++k) {
        place(Label5[k], kFrame2Left + k * 3700, kModelTop + 480, 1700, 330);
        place(Text3[k], kFrame2Left + k * 3700 + 1700, kModelTop + 480, 1800, 330);
        Label5[k]->hide();
        Text3[k]->hide();
    }
    Check4 = Named(new QCheckBox(QString::fromUtf8("加密"), this), QStringLiteral("Check4"));
    place(Check4, kFrame2Left, kModelTop + 960, 900, 300);
    Check4->hide();

    // The block editor.
    Frame1 = Named(new QGroupBox(QString::fromUtf8("代码详细信息"), this), QStringLiteral("Frame1"));
    place(Frame1, kFrame2Left, kFrame1Top, kInnerWidth - kFrame2Left, kInnerHeight - kFrame1Top - 120);
    Label1[0] = label(Frame1, QStringLiteral("Label1(0)"), QString::fromUtf8("存储起始地址"));
    Label1[1] = label(Frame1, QStringLiteral("Label1(1)"), QString::fromUtf8("代码长度"));
    Text2[0] = Named(new QLineEdit(QStringLiteral("08020000"), Frame1), QStringLiteral("Text2(0)"));
    Text2[0]->setMaxLength(8);
    Text2[1] = Named(new QLineEdit(Frame1), QStringLiteral("Text2(1)"));
    Text2[1]->setMaxLength(6);
    Text2[1]->setEnabled(false);
    place(Label1[0], 240, 360, 1400, 300);
    place(Text2[0], 1680, 330, 1400, 330);
    place(Label1[1], 3300, 360, 1100, 300);
    place(Text2[1], 4440, 330, 1100, 330);
    Option1[0] = Named(new QRadioButton(QString::fromUtf8("数据"), Frame1), QStringLiteral("Option1(0)"));
    Option1[1] = Named(new QRadioButton(QString::fromUtf8("指令"), Frame1), QStringLiteral("Option1(1)"));
    Check1 = Named(new QCheckBox(QString::fromUtf8("不加密"), Frame1), QStringLiteral("Check1"));
    for (QWidget* w : std::initializer_list<QWidget*>{Option1[0], Option1[1], Check1}) w->setEnabled(false);
    place(Option1[0], 240, 780, 900, 300);
    place(Option1[1], 1200, 780, 900, 300);
    place(Check1, 2160, 780, 1100, 300);
    Text1 = Named(new QPlainTextEdit(Frame1), QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    Text1->setFont(mono);
    place(Text1, kText1Left, 1200, Frame1->width() > 0 ? int(ToTwips(Frame1->width())) - kText1Left - 100 : 6000, 900);
    Frame1->hide();

    Text2[0]->installEventFilter(this);

    ReShowComPortTimer = new QTimer(this);
    ReShowComPortTimer->setObjectName(QStringLiteral("ReShowComPortTimer"));
    ReShowComPortTimer->setInterval(1000);

    // Smaller, the settings and the model fields would be cut off.
    setMinimumSize(Tw(kInnerWidth), Tw(kInnerHeight));
    resize(Tw(kInnerWidth), Tw(kInnerHeight));
}

bool FrmMain::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Text2[0] && e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        const QString typed = key->text();
        // Keys without a character (arrows, Home, ...) and shortcuts go on as they are.
        if (typed.size() != 1 || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
        const QChar k = AddressKey(typed.front());
        if (k.isNull()) return true;
        if (k != typed.front()) {
            Text2[0]->insert(QString(k));
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void FrmMain::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const double w = ToTwips(width()), h = ToTwips(height());
    if (w > 11000) {
        const int fw = Tw(w - (kTreeLeft + kTreeWidth + 120));
        Frame2->resize(fw, Frame2->height());
        Frame1->resize(fw, Frame1->height());
        Text1->resize(fw - Tw(kText1Left + 100), Text1->height());
    }
    // The tree follows the height as well, so a taller window shows more blocks.
    if (h > kTreeTop + 1000) TreeView1->resize(TreeView1->width(), Tw(h - kTreeTop - 120));
    // The editor reaches down to the bottom margin; it sits below the model
    // fields, not straight under Frame2.
    if (h > 2500) Frame1->resize(Frame1->width(), std::max(Tw(600), Tw(h - kFrame1Top - 120)));
}

}  // namespace kdi
