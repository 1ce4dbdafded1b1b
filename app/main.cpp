// ZR50: start-up in order, the main window, then the event loop.

#include "Zr50Program.h"
#include "Program.h"
#include "platform/Locale.h"
#include "platform/Process.h"
#include "platform/gui/MessageBoxPrompter.h"
#include "platform/gui/ProgramIcon.h"
#include "windows/frmMain.h"

#include <QApplication>
#include <QFileInfo>

using namespace zr50;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR50"));
    QApplication::setOrganizationName(QStringLiteral("ZR50"));
    QApplication::setApplicationVersion(QStringLiteral(ZR50_VERSION));
    // Dialogs and message boxes carry it too.
    QApplication::setWindowIcon(ProgramIcon());

    std::unique_ptr<Zr50Program> zr50;
    MessageBoxPrompter prompter([&] { return zr50 ? zr50->p().settings.CurLanguage : 1; },
                                [&]() -> QWidget* { return zr50 ? &zr50->main() : nullptr; });
    SystemProcess process;
    ProcessLocale locale;
    Zr50Services services(prompter, process, locale, QCoreApplication::applicationDirPath());
    services.programName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    zr50 = std::make_unique<Zr50Program>(services);
    zr50->main().show();
    return app.exec();
}
