#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zr50 {

namespace {
const char* const kName = "qtbase";
}

bool UseQtTranslations(const QString& localeName) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    // The one translator lives with the application object, found by name.
    auto* current = app->findChild<QTranslator*>(QLatin1String(kName), Qt::FindDirectChildrenOnly);
    if (current && current->property("locale").toString() == localeName) return true;
    if (current) {
        QCoreApplication::removeTranslator(current);
        delete current;
    }
    if (localeName.isEmpty()) return true;
    auto* next = new QTranslator(app);
    next->setObjectName(QLatin1String(kName));
    next->setProperty("locale", localeName);
    if (!next->load(QLocale(localeName), QLatin1String(kName), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete next;
        return false;
    }
    QCoreApplication::installTranslator(next);
    return true;
}

}  // namespace zr50
