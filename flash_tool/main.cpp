// KDImager3: the flash-image tool. Its settings file sits beside the program.

#include "FlashSettings.h"
#include "FlashTexts.h"
#include "FrmMain.h"
#include "Project.h"
#include "platform/gui/MessageBoxPrompter.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kdi::text::kTitle));
    zr50::MessageBoxPrompter prompter([] { return 1; }, [] { return QApplication::activeWindow(); });
    prompter.title = QString::fromLatin1(kdi::text::kTitle);
    kdi::FlashProject project(prompter);
    kdi::FlashSettings settings;
    settings.path = kdi::SettingsIniPath(QCoreApplication::applicationDirPath());
    kdi::FrmMain window(project, settings, prompter);
    window.show();
    return app.exec();
}
