#pragma once
// A pseudo-terminal that stands in for a serial device: the master side is the
// far end of the line, the slave side is the device a program opens by path.

#include <QByteArray>
#include <QString>

namespace zr50::sim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Opens a new pair; the slave is set raw. False (with the reason) on failure.
    bool Open(QString* error = nullptr);
    // The device disappears: whoever has the slave open sees the line gone.
    void Close();
    bool IsOpen() const { return master_ >= 0; }

    int MasterFd() const { return master_; }
    QString DevicePath() const { return path_; }

    // Everything the far end has sent so far (never blocks).
    QByteArray ReadAvailable();
    // Writes all bytes towards the device; false when the line is closed.
    bool Write(const QByteArray& bytes);

private:
    int master_ = -1;
    // Held open so the master never reads a hang-up while no program has the
    // device open.
    int slave_ = -1;
    QString path_;
};

}  // namespace zr50::sim
