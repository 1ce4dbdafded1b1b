#include "Scripted.h"

#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace zr50::test {

namespace {
// The next scripted item, or the fallback when the script has run out.
template <class T>
T Next(std::deque<T>& script, T fallback) {
    if (script.empty()) return fallback;
    fallback = script.front();
    script.pop_front();
    return fallback;
}
}  // namespace

Answer ScriptedPrompter::Ask(const QString& text, Buttons buttons, Icon icon, const QString& title) {
    const Shown s{text, buttons, icon, title};
    shown.append(s);
    if (onShow) onShow(s);
    const bool yes = buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel;
    return Next(answers_, yes ? Answer::Yes : buttons == Buttons::RetryCancel ? Answer::Retry : Answer::Ok);
}

QString ScriptedPrompter::ChooseOpenFile(const QString& filter) {
    fileDialogs << QStringLiteral("open:") + filter;
    return Next(files_, QString());
}

QString ScriptedPrompter::ChooseSaveFile(const QString& preset, const QString& filter, const QString& suffix) {
    fileDialogs << QStringLiteral("save:") + preset + QLatin1Char(':') + filter + QLatin1Char(':') + suffix;
    return Next(files_, QString());
}

int ScriptedPrompter::AskNumber(const QString& text, int, int, int) {
    shown.append({text, Buttons::OkCancel, Icon::Question, QString::fromLatin1(kProgramTitle)});
    return Next(numbers, 0);
}

QStringList ScriptedPrompter::Texts() const {
    QStringList out;
    for (const Shown& s : shown) out << s.text;
    return out;
}

void RecordingForms::Call(const QString& form, const char* operation, const QVariantList& args) {
    if (!IsLoaded(form)) return;
    calls.append({form, QString::fromLatin1(operation), args});
}

void RecordingForms::Show(const QString& form) {
    shownForms << form;
    if (!loaded.contains(form)) loaded << form;
}

void RecordingForms::Unload(const QString& form) {
    unloadedForms << form;
    loaded.removeAll(form);
}

void RecordingForms::UnloadChildren() {
    ++unloads;
    loaded.removeIf([](const QString& f) { return f != QLatin1String("frmMain"); });
}

QStringList RecordingForms::CallNames() const {
    QStringList out;
    for (const FormCall& c : calls) out << c.form + QLatin1Char('.') + c.operation;
    return out;
}

bool FakeProcess::StartDetached(const QString& program, const QStringList&) {
    started << program;
    return startSucceeds;
}

void PrepareTestProgram(Program& p, const QString& folder) {
    QDir(folder).mkpath(QStringLiteral("KD_270/Init"));
    QDir(folder).mkpath(QStringLiteral("language"));
    p.paths.ProgramFolder = folder + QStringLiteral("/KD_270");
    InitEnglishText(p.texts);
    InitVersionTexts(p.texts);
}

namespace {
void CopyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& f : QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + f.fileName();
        if (f.isDir())
            CopyTree(f.filePath(), target);
        else if (!f.isExecutable())  // the data, not the program
            QFile::copy(f.filePath(), target);
    }
}
}  // namespace

void CopyInstallation(const QString& folder) { CopyTree(QStringLiteral(ZR50_PROGRAM_DIR "/.."), folder); }

QCoreApplication& CoreApp() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "zr50_tests";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }
    return *QCoreApplication::instance();
}


QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QString SettingsKey(const Program& p, const char* key, const QString& missing) {
    return GetProfileString(p.paths.SettingsIni(), QStringLiteral("language"),
                            QString::fromLatin1(key), missing);
}

void SetChannels(Document& doc, int band, int group, std::initializer_list<int> numbers) {
    int s = 0;
    for (int n : numbers) {
        ChannelRecord& r = doc.ChData(band, ++s, group);
        r.ChNo = int16_t(n);
        r.Reserved1 = int16_t(100 + n);
    }
    doc.DataRec.ChCount(band, group) = int16_t(s);
}

std::vector<int> Numbers(const Document& doc, int band, int group) {
    std::vector<int> out;
    for (int s = 1; s <= doc.DataRec.ChCount(band, group); ++s)
        out.push_back(doc.ChData(band, s, group).ChNo);
    return out;
}

void FakeLocale::SetDecimalSeparator(uint32_t forLcid, const QString& s) {
    separator = s;
    sets << QString::number(forLcid, 16) + QLatin1Char(':') + s;
}

}  // namespace zr50::test
