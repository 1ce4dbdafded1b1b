#include "Scripted.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zr50::test {

Answer ScriptedPrompter::Ask(const QString& text, Buttons buttons, Icon icon, const QString& title) {
    const Shown s{text, buttons, icon, title};
    shown.append(s);
    if (onShow) onShow(s);
    if (!answers_.empty()) {
        const Answer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    switch (buttons) {
        case Buttons::YesNo:
        case Buttons::YesNoCancel: return Answer::Yes;
        case Buttons::RetryCancel: return Answer::Retry;
        default: return Answer::Ok;
    }
}

QString ScriptedPrompter::NextFile() {
    if (files_.empty()) return QString();
    const QString f = files_.front();
    files_.pop_front();
    return f;
}

QString ScriptedPrompter::ChooseOpenFile(const QString& filter) {
    fileDialogs << QStringLiteral("open:") + filter;
    return NextFile();
}

QString ScriptedPrompter::ChooseSaveFile(const QString& preset, const QString& filter) {
    fileDialogs << QStringLiteral("save:") + preset + QLatin1Char(':') + filter;
    return NextFile();
}

int ScriptedPrompter::AskNumber(const QString& text, int, int, int) {
    shown.append({text, Buttons::OkCancel, Icon::Question, QString::fromLatin1(kProgramTitle)});
    if (numbers.empty()) return 0;
    const int n = numbers.front();
    numbers.pop_front();
    return n;
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

TestProgram::TestProgram() {
    program = std::make_unique<Program>(prompter, forms, process);
    PrepareTestProgram(*program, dir.path());
}

QString SourceDir() { return QStringLiteral(ZR50_SOURCE_DIR); }

}  // namespace zr50::test
