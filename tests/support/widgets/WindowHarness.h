#pragma once
// A Program whose windows are real: an MDI area in a plain main window, the
// windows found by name through MdiForms, prompts and file dialogs scripted.

#include "support/Scripted.h"
#include "windows/MdiForms.h"

#include <QComboBox>
#include <QMainWindow>
#include <QMdiArea>
#include <gtest/gtest.h>
#include <memory>

namespace zr50::test {

struct WindowHarness : ProgramWith<MdiForms> {
    // Without a plain main window, the test creates the program's own.
    explicit WindowHarness(bool plainMainWindow = true);
    ~WindowHarness();

    std::unique_ptr<QMainWindow> main;  // named "frmMain"
    QMdiArea* area = nullptr;

    // The loaded window of that name, cast to its class.
    template <class W>
    W* Window(const QString& name) const {
        return qobject_cast<W*>(forms.Find(name));
    }
};

// A test of one window on a harness, with the document at hand.
struct WindowTest : ::testing::Test {
    WindowHarness h;
    Program& p = h.p();
    Document& doc = p.doc;
    DataHeaderRec& d = doc.DataRec;
};

// The entry of that text chosen in a list, as the user chooses it.
void Choose(QComboBox* list, const QString& text);

// Runs f once the next modal dialog is open (f gets it), for dialogs shown with exec().
void WhenModal(std::function<void(QWidget*)> f);

}  // namespace zr50::test
