#pragma once
// Qt's own texts (file dialogs, standard buttons, context menus of text boxes)
// in the program's language, from the translations installed with Qt.

#include <QString>

namespace zr50 {

// Installs Qt's translation for the locale ("zh_CN"), or removes it for an
// empty name (Qt's own English). False when no translation of that locale is
// installed; Qt's texts then stay in English.
bool UseQtTranslations(const QString& localeName);

}  // namespace zr50
