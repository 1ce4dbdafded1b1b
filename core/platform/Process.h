#pragma once
// Starting another program and ending this one at once.

#include <QString>
#include <QStringList>

namespace zr50 {

class ProcessControl {
public:
    virtual ~ProcessControl() = default;
    virtual bool StartDetached(const QString& program, const QStringList& args = {}) = 0;
    // Ends the process now: no shutdown handlers run. (A test stand-in may return.)
    virtual void ExitNow(int code) = 0;
};

class SystemProcess : public ProcessControl {
public:
    bool StartDetached(const QString& program, const QStringList& args = {}) override;
    void ExitNow(int code) override;
};

}  // namespace zr50
