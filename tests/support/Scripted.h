#pragma once
// Stand-ins that let tests answer every prompt and watch every window call.

#include "Program.h"
#include "platform/Locale.h"
#include "ui/FormHost.h"
#include "ui/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace zr50::test {

struct Shown {
    QString text;
    Buttons buttons;
    Icon icon;
    QString title;
};

// Answers prompts from a script; an unscripted prompt gets the first button's
// "positive" answer (Ok, Yes, Retry) and is recorded all the same.
class ScriptedPrompter : public Prompter {
public:
    using Prompter::Ask;
    Answer Ask(const QString& text, Buttons buttons, Icon icon, const QString& title) override;

    QString ChooseOpenFile(const QString& filter) override;
    QString ChooseSaveFile(const QString& preset, const QString& filter, const QString& suffix) override;
    // Scripted numbers in order; unscripted questions are cancelled (0).
    int AskNumber(const QString& text, int min, int max, int value) override;
    std::deque<int> numbers;

    void Script(std::initializer_list<Answer> answers) { answers_.insert(answers_.end(), answers); }
    // File dialog answers in order; an empty text cancels. Unscripted dialogs cancel.
    void ScriptFiles(std::initializer_list<QString> paths) { files_.insert(files_.end(), paths); }
    QStringList fileDialogs;  // "open:<filter>" or "save:<preset>:<filter>:<suffix>"
    // Called when a prompt is shown, before it is answered (e.g. to act mid-dialog).
    std::function<void(const Shown&)> onShow;

    QList<Shown> shown;
    QStringList Texts() const;

private:
    std::deque<Answer> answers_;
    std::deque<QString> files_;
};

struct FormCall {
    QString form;
    QString operation;
    QVariantList args;
};

class RecordingForms : public FormHost {
public:
    bool IsLoaded(const QString& form) const override { return loaded.contains(form); }
    void Call(const QString& form, const char* operation, const QVariantList& args) override;
    void Show(const QString& form) override;
    void Unload(const QString& form) override;
    void UnloadChildren() override;
    void Cascade() override { ++cascades; }

    QStringList loaded;
    QList<FormCall> calls;
    QStringList shownForms;
    QStringList unloadedForms;
    int unloads = 0;
    int cascades = 0;
    QStringList CallNames() const;  // "form.operation"
};

class FakeProcess : public ProcessControl {
public:
    bool StartDetached(const QString& program, const QStringList& args = {}) override;
    void ExitNow(int code) override { exitCodes << code; }

    bool startSucceeds = true;
    QStringList started;
    QList<int> exitCodes;
};

// Makes folder an empty installation (program folder KD_270 with Init/, and
// language/) and points the program at it, with its text tables filled.
void PrepareTestProgram(Program& p, const QString& folder);

// A Program with scripted stand-ins and a private installation folder:
// <tmp>/KD_270 as the program folder, <tmp>/language, <tmp>/Version.ini.
template <class Forms>
struct ProgramWith {
    ProgramWith() : program(std::make_unique<Program>(prompter, forms, process)) {
        PrepareTestProgram(*program, dir.path());
    }
    ScriptedPrompter prompter;
    Forms forms;
    FakeProcess process;
    QTemporaryDir dir;
    std::unique_ptr<Program> program;
    Program& p() { return *program; }
};
using TestProgram = ProgramWith<RecordingForms>;

// Tests of the program's logic without windows.
struct ProgramTest : ::testing::Test {
    TestProgram tp;
    Program& p = tp.p();
};

// The process's application object, created on first use.
QCoreApplication& CoreApp();
// Runs the event loop until the condition holds; the limit only keeps a broken
// test from hanging.
template <class Pred>
bool RunUntil(Pred pred, int limitMs = 10000) {
    CoreApp();
    return QTest::qWaitFor(pred, limitMs);
}

// Copies the data of the installation tree the build laid out (Version.ini,
// language/, KD_270/Init, KD_270/PIC) into folder.
void CopyInstallation(const QString& folder);


// A file's whole contents (empty when it cannot be read), and writing them.
QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);
// A key of the settings file's [language] section.
QString SettingsKey(const Program& p, const char* key, const QString& missing = QString());
// Channels numbered as given in a group's first slots; each record is marked
// with 100 + its number in Reserved1, so moves can be followed.
void SetChannels(Document& doc, int band, int group, std::initializer_list<int> numbers);
// The numbers of a group's channels in slot order.
std::vector<int> Numbers(const Document& doc, int band, int group);

// A locale whose system and user locale is lcid; records the calls it gets.
class FakeLocale : public LocaleService {
public:
    explicit FakeLocale(uint32_t lcid = 0x0409, QString separator = QStringLiteral("."))
        : lcid(lcid), separator(std::move(separator)) {}
    uint32_t SystemDefaultLcid() const override {
        Seen("system");
        return lcid;
    }
    uint32_t UserDefaultLcid() const override { return lcid; }
    QString DecimalSeparator(uint32_t) const override {
        Seen("separator");
        return separator;
    }
    void SetDecimalSeparator(uint32_t forLcid, const QString& s) override;

    uint32_t lcid;
    QString separator;
    QStringList sets;  // "<lcid in hex>:<separator>"
    std::function<void(const char*)> onCall;

private:
    void Seen(const char* what) const {
        if (onCall) onCall(what);
    }
};

}  // namespace zr50::test
