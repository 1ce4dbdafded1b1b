#pragma once
// The locale services the program asks for: the system's and the user's locale
// identifiers (Windows LCIDs, e.g. 0x0804 for zh_CN) and the user's decimal
// separator, which the program forces to "." while it runs.

#include <QString>
#include <cstdint>
#include <functional>

namespace zr50 {

class LocaleService {
public:
    virtual ~LocaleService() = default;
    virtual uint32_t SystemDefaultLcid() const = 0;
    virtual uint32_t UserDefaultLcid() const = 0;
    virtual QString DecimalSeparator(uint32_t lcid) const = 0;
    virtual void SetDecimalSeparator(uint32_t lcid, const QString& separator) = 0;
};

// "zh_CN.UTF-8" -> 0x0804; unknown names give 0x0409 (English, United States).
uint32_t LcidOfLocaleName(const QString& name);

// The process's locale: the system locale is that of the messages (LC_ALL,
// LC_MESSAGES, LANG), the user's numbers follow LC_ALL, LC_NUMERIC, LANG.
// Setting the separator switches the C library's and Qt's number formatting.
class ProcessLocale : public LocaleService {
public:
    using Env = std::function<QString(const char*)>;
    explicit ProcessLocale(Env env = {});

    uint32_t SystemDefaultLcid() const override;
    uint32_t UserDefaultLcid() const override;
    QString DecimalSeparator(uint32_t lcid) const override;
    void SetDecimalSeparator(uint32_t lcid, const QString& separator) override;

private:
    QString FirstSet(std::initializer_list<const char*> names) const;
    Env env_;
    QString numericName_;
    QString separator_;
};

// Forces the user's decimal separator to "." and puts it back; a separator that
// already is "." is never touched.
class DecimalSeparatorGuard {
public:
    void Force(LocaleService& locale);
    void Restore();
    const QString& SavedDecimalSeparator() const { return saved_; }

private:
    LocaleService* locale_ = nullptr;
    uint32_t userLocaleId_ = 0;
    QString saved_;
};

}  // namespace zr50
