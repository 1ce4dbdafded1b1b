#include "Locale.h"

#include <QLocale>
#include <clocale>
#include <cstdlib>

namespace zr50 {

uint32_t LcidOfLocaleName(const QString& name) {
    // Language and territory only: "zh_CN.UTF-8@x" -> "zh_CN".
    QString n = name;
    n = n.left(n.indexOf(QLatin1Char('.')) < 0 ? n.size() : n.indexOf(QLatin1Char('.')));
    n = n.left(n.indexOf(QLatin1Char('@')) < 0 ? n.size() : n.indexOf(QLatin1Char('@')));
    n.replace(QLatin1Char('-'), QLatin1Char('_'));
    static const struct {
        const char* name;
        uint32_t lcid;
    } table[] = {
        {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"zh_SG", 0x1004},
        {"zh_MO", 0x1404}, {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09},
        {"en_CA", 0x1009}, {"de_DE", 0x0407}, {"fr_FR", 0x040C}, {"es_ES", 0x0C0A},
        {"it_IT", 0x0410}, {"ja_JP", 0x0411}, {"ko_KR", 0x0412}, {"nl_NL", 0x0413},
        {"pt_BR", 0x0416}, {"ru_RU", 0x0419}, {"pl_PL", 0x0415}, {"sv_SE", 0x041D},
    };
    for (const auto& e : table)
        if (n.compare(QLatin1String(e.name), Qt::CaseInsensitive) == 0) return e.lcid;
    if (n.compare(QLatin1String("zh"), Qt::CaseInsensitive) == 0) return 0x0804;
    return 0x0409;
}

ProcessLocale::ProcessLocale(Env env) : env_(std::move(env)) {
    if (!env_) env_ = [](const char* var) { return QString::fromLocal8Bit(std::getenv(var)); };
    numericName_ = FirstSet({"LC_ALL", "LC_NUMERIC", "LANG"});
    separator_ = QLocale(numericName_.isEmpty() ? QStringLiteral("C") : numericName_).decimalPoint();
}

QString ProcessLocale::FirstSet(std::initializer_list<const char*> names) const {
    for (const char* n : names) {
        const QString v = env_(n);
        if (!v.isEmpty()) return v;
    }
    return QString();
}

uint32_t ProcessLocale::SystemDefaultLcid() const {
    return LcidOfLocaleName(FirstSet({"LC_ALL", "LC_MESSAGES", "LANG"}));
}

uint32_t ProcessLocale::UserDefaultLcid() const { return LcidOfLocaleName(numericName_); }

QString ProcessLocale::DecimalSeparator(uint32_t) const { return separator_; }

void ProcessLocale::SetDecimalSeparator(uint32_t, const QString& separator) {
    separator_ = separator;
    if (separator == QLatin1String(".")) {
        std::setlocale(LC_NUMERIC, "C");
        QLocale::setDefault(QLocale::c());
    } else {
        std::setlocale(LC_NUMERIC, numericName_.toLocal8Bit().constData());
        QLocale::setDefault(QLocale::system());
    }
}

void DecimalSeparatorGuard::Force(LocaleService& locale) {
    locale_ = &locale;
    userLocaleId_ = locale.UserDefaultLcid();
    saved_ = locale.DecimalSeparator(userLocaleId_);
    if (saved_ != QLatin1String(".")) locale.SetDecimalSeparator(userLocaleId_, QStringLiteral("."));
}

void DecimalSeparatorGuard::Restore() {
    if (locale_ && saved_ != QLatin1String(".")) locale_->SetDecimalSeparator(userLocaleId_, saved_);
    locale_ = nullptr;
}

}  // namespace zr50
