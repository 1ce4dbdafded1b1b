#include "PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace zr50::sim {

PseudoTerminal::~PseudoTerminal() { Close(); }

bool PseudoTerminal::Open(QString* error) {
    Close();
    auto fail = [&](const char* what) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QLatin1String(what),
                                                  QString::fromLocal8Bit(strerror(errno)));
        Close();
        return false;
    };
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) return fail("posix_openpt");
    if (grantpt(master_) != 0) return fail("grantpt");
    if (unlockpt(master_) != 0) return fail("unlockpt");
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0) return fail("ptsname");
    path_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) return fail("open slave");
    termios t{};
    if (tcgetattr(slave_, &t) != 0) return fail("tcgetattr");
    cfmakeraw(&t);
    if (tcsetattr(slave_, TCSANOW, &t) != 0) return fail("tcsetattr");
    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) return fail("fcntl");
    return true;
}

void PseudoTerminal::Close() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

QByteArray PseudoTerminal::ReadAvailable() {
    QByteArray out;
    if (master_ < 0) return out;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) {
            out.append(buf, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;  // nothing more now (EAGAIN), or no reader on the other side
    }
    return out;
}

bool PseudoTerminal::Write(const QByteArray& bytes) {
    int done = 0;
    while (master_ >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += int(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            // Wait for the device side to drain its buffer; nobody reading it
            // for a while loses the rest, as a real line would.
            pollfd p{master_, POLLOUT, 0};
            if (::poll(&p, 1, 500) == 0) return false;
        } else {
            return false;
        }
    }
    return master_ >= 0;
}

}  // namespace zr50::sim
