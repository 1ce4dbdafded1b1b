#pragma once
// A text in both languages: 1 English, 2 Chinese.

#include <QString>

namespace zr50 {

enum Language { kEnglish = 1, kChinese = 2 };

struct LangText {
    QString en;
    QString zh;
    // Chinese for language 2, English for any other value.
    const QString& operator()(int language) const { return language == kChinese ? zh : en; }
};

inline LangText Both(const char* en, const char* zh) {
    return {QString::fromUtf8(en), QString::fromUtf8(zh)};
}
inline LangText Same(const char* text) { return Both(text, text); }

}  // namespace zr50
