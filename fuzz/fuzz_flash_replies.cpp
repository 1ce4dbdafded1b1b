// KDImager3's update protocol fed arbitrary replies and time-outs in any step
// of a write or a read: each input byte picks a time-out, or a reply of the
// next bytes, and the answers to the prompts. The session must stay within its
// steps and pages and end cleanly whatever arrives.

#include "UpdateProtocol.h"
#include "ui/Prompter.h"

#include <cstdint>
#include <cstdlib>

using namespace kdi;

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    bool More() const { return at < size; }
    uint8_t Next() { return at < size ? data[at++] : 0; }
};

class FuzzPrompter : public zr50::Prompter {
public:
    using Prompter::Ask;
    Input* in = nullptr;
    zr50::Answer Ask(const QString&, zr50::Buttons, zr50::Icon, const QString&) override {
        return in->Next() & 1 ? zr50::Answer::Ok : zr50::Answer::Cancel;
    }
};

class FuzzPort : public zr50::LinkPort {
public:
    bool Open(const QString&, const zr50::LineSettings&) override { return open = true; }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    void SetThreshold(int) override {}
    void ClearInput() override {}
    void Output(const QByteArray& bytes) override { sent += bytes.size(); }
    double NowMs() const override { return now; }
    bool open = false;
    qint64 sent = 0;
    double now = 0;
};

class FuzzTimer : public zr50::ReplyTimer {
public:
    void Start() override { active = true; }
    void Stop() override { active = false; }
    bool IsActive() const override { return active; }
    bool active = false;
};

class Windows : public FlashView {
public:
    UpdateProtocol* link = nullptr;
    void ShowProgress() override { link->StartSession(); }
    bool IsProgressVisible() const override { return true; }
    void SetProgressValue(int v) override {
        if (v < 0 || v > 100) std::abort();
    }
    void SetPercentText(const QString&) override {}
    void UnloadProgress() override {}
    void ShowBydata() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in{data, size};
    FuzzPrompter prompter;
    prompter.in = &in;
    FlashProject project(prompter);
    project.SetModelText(0, QStringLiteral("KD"));
    project.SetModelText(1, QStringLiteral("V100"));
    // Two blocks, three pages; the first also lies within the read cache.
    project.BlockList.resize(2);
    project.BlockList[0].Address = 0x400;
    project.BlockList[0].Length = 1500;
    project.BlockList[1].Address = 0x08020000;
    project.BlockList[1].Length = 10;
    project.BlockList[1].PoolOffset = 1500;
    project.ProjHead.BlockCount = 2;
    project.ProjHead.PoolSize = 1510;
    project.DataPool = QByteArray(1510, 'd');
    FlashSettings settings;
    settings.comPort = 1;
    const uint8_t setup = in.Next();
    settings.Duplex = setup & 1;
    FuzzPort port;
    FuzzTimer timer;
    UpdateProtocol link(project, settings, port, timer, prompter);
    link.SetDeviceOfPort([](int) { return QStringLiteral("fuzz"); });
    Windows view;
    view.link = &link;
    link.SetView(&view);

    for (int sessions = 0; sessions < 4 && in.More(); ++sessions) {
        if (in.Next() & 1)
            link.CommandWrite(setup & 2);
        else
            link.CommandRead();
        while (in.More() && link.CommMode != 0) {
            const uint8_t op = in.Next();
            if (op < 0x30) {
                if (timer.active) link.WaitTimer_Timer();
            } else if (op < 0x38) {
                link.ProgressClosed();
            } else {
                // A reply of up to 1099 bytes: its length, then as many input
                // bytes as op says, repeated to length.
                const int n = (in.Next() | in.Next() << 8) % 1100;
                QByteArray bytes;
                for (int i = 0; i < (op & 0x3F) && in.More(); ++i) bytes.append(char(in.Next()));
                QByteArray reply = bytes.isEmpty() ? QByteArray(n, '\0') : bytes.repeated(n / int(bytes.size()) + 1).left(n);
                if ((op & 0x40) && !reply.isEmpty()) reply[0] = 0x06;
                // Most replies come once a page frame can have crossed the line; the rest at once.
                if ((op & 0xC0) != 0xC0) port.now += 2000;
                link.MSComm1_OnComm(reply);
            }
            if (link.PageIndex < -1 || link.PageIndex > std::max<int32_t>(project.PageTotal, 6))
                std::abort();
            if (link.CommMode < 0 || link.CommMode > 2) std::abort();
        }
        // However it got here, a session that is over left the line closed.
        if (link.CommMode == 0 && port.open) std::abort();
    }
    if (project.DataPool.size() != 1510) std::abort();
    return 0;
}
