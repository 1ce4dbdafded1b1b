// Any bytes, time-outs, lost lines and closed windows in any state of the radio
// link: nothing may crash, read or write outside the image, or hang.
//
// Input: one byte picks the road, then operations: 0 bytes arrive (length,
// bytes), 1 the reply time-out, 2 the line is lost, 3 the user closes the
// progress window, 4 a well-formed block for the awaited address arrives.
// Prompts take their answers from the input too.

#include "Program.h"
#include "link/Frames.h"
#include "link/LinkView.h"
#include "link/ProgramProtocol.h"

#include <cstddef>
#include <cstdint>

using namespace zr50;

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    bool More() const { return pos < size; }
    uint8_t Byte() { return pos < size ? data[pos++] : 0; }
};

class FuzzPort : public LinkPort {
public:
    bool Open(const QString&, const LineSettings&) override { return open_ = !gone; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    void SetThreshold(int) override {}
    void ClearInput() override {}
    void Output(const QByteArray&) override {}
    bool gone = false;

private:
    bool open_ = false;
};

class FuzzTimer : public ReplyTimer {
public:
    void Start() override { active = true; }
    void Stop() override { active = false; }
    bool IsActive() const override { return active; }
    bool active = false;
};

class FuzzPrompter : public Prompter {
public:
    using Prompter::Ask;
    Answer Ask(const QString&, Buttons buttons, Icon, const QString&) override {
        const bool first = (in->Byte() & 1) == 0;
        switch (buttons) {
            case Buttons::OkCancel: return first ? Answer::Ok : Answer::Cancel;
            case Buttons::YesNo: return first ? Answer::Yes : Answer::No;
            case Buttons::RetryCancel: return first ? Answer::Retry : Answer::Cancel;
            default: return Answer::Ok;
        }
    }
    Input* in = nullptr;
};

class NoProcess : public ProcessControl {
public:
    bool StartDetached(const QString&, const QStringList&) override { return false; }
    void ExitNow(int) override {}
};

class FuzzView : public LinkView {
public:
    explicit FuzzView(ProgramProtocol& link) : link_(link) { link_.SetView(this); }
    void ShowProgress() override {
        visible = true;
        link_.ProgressLoaded();
    }
    bool IsProgressVisible() const override { return visible; }
    void SetProgressValue(int) override {}
    void SetPercentText(const QString&) override {}
    void UnloadProgress() override { visible = false; }
    void ShowMProgress() override {
        mVisible = true;
        link_.MProgressLoaded();
    }
    void SetMProgressValue(int) override {}
    void SetMPercentText(const QString&) override {}
    void SetRadioNumber(int) override {}
    void UnloadMProgress() override { mVisible = false; }
    void Close() {
        if (visible) {
            visible = false;
            link_.ProgressClosed();
        } else if (mVisible) {
            mVisible = false;
            link_.MProgressUnloaded();
        }
    }
    bool visible = false, mVisible = false;

private:
    ProgramProtocol& link_;
};

// A document whose every value fits the image, so a write gets to its blocks.
const Document& WritableDocument() {
    static const Document doc = [] {
        Document d;
        OptFeatRec& o = d.DataRec.OptFeat;
        for (int b = 0; b < kBands; ++b) {
            for (int g = 1; g <= kMaxGroups; ++g)
                o.EmgCh(b, g, 0) = o.EmgCh(b, g, 1) = o.MemCh(b, g) = 1;
            o.WorkGroup[size_t(b)] = 1;
        }
        return d;
    }();
    return doc;
}

// One program for all runs (its document is large); each run starts it afresh.
struct Fixture {
    FuzzPrompter prompter;
    NoForms forms;
    NoProcess process;
    Program p{prompter, forms, process};
    Fixture() { InitEnglishText(p.texts); }
    Program& Fresh(Input& in) {
        prompter.in = &in;
        p.doc = WritableDocument();
        p.settings = Settings();
        p.messages.ShowQueuedMessages(prompter);
        p.versions.VersionPairTable = QStringList{"V200", "V200"};
        return p;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Fixture fixture;
    Input in{data, size};
    Program& p = fixture.Fresh(in);

    FuzzPort port;
    FuzzTimer wait, timerWrite;
    ProgramProtocol link(p, port, wait, timerWrite);
    FuzzView view(link);
    link.deviceForPort = [](int n) { return QString::number(n); };
    link.listPorts = [] { return QList<int>{1, 2}; };

    switch (in.Byte() % 5) {
        case 0: link.mnuReadFromRadio_Click(); break;
        case 1:
            link.mnuWriteToRadio_Click();
            link.TimerWrite_Timer();
            break;
        case 2: link.mnuMWriteToRadio_Click(in.Byte() % 4); break;
        case 3: link.mnuRadioInfo_Click(); break;
        default: link.ReadRMGDataFromRadio(); break;
    }
    // Each operation does a bounded amount of work, so a run always ends.
    while (in.More()) {
        switch (in.Byte() % 5) {
            case 0: {
                const int n = in.Byte() % 40;
                QByteArray bytes;
                for (int i = 0; i < n; ++i) bytes.append(char(in.Byte()));
                if (port.IsOpen()) link.MSComm1_OnComm(bytes);
                break;
            }
            case 1:
                if (wait.active) {
                    wait.active = false;
                    link.WaitTimer_Timer();
                }
                break;
            case 2:
                port.gone = (in.Byte() & 1) != 0;
                link.OnLineLost();
                break;
            case 3: view.Close(); break;
            default: {
                uint8_t block[kBlockLen];
                for (uint8_t& b : block) b = in.Byte();
                if (port.IsOpen() && link.CurAddr >= 0 && link.CurAddr <= 0xFFFF)
                    link.MSComm1_OnComm(DataBlockFrame(link.CurAddr, block, kBlockLen));
                break;
            }
        }
    }
    return 0;
}
