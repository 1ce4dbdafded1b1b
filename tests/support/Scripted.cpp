#include "Scripted.h"

#include <QDir>

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

TestProgram::TestProgram() {
    program = std::make_unique<Program>(prompter, forms, process);
    QDir(dir.path()).mkpath(QStringLiteral("KD_270/Init"));
    QDir(dir.path()).mkpath(QStringLiteral("language"));
    program->paths.ProgramFolder = dir.path() + QStringLiteral("/KD_270");
    InitEnglishText(program->texts);
    InitVersionTexts(program->texts);
}

QString SourceDir() { return QStringLiteral(ZR50_SOURCE_DIR); }

}  // namespace zr50::test
