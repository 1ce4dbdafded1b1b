#pragma once
// Messages raised during a radio transfer, shown as OK boxes once it has ended.

#include "ui/Prompter.h"

#include <QStringList>

namespace zr50 {

class MessageQueue {
public:
    static constexpr int kCapacity = 1001;

    // A text beyond the capacity is dropped.
    void QueueMessage(const QString& text) {
        if (queue_.size() < kCapacity) queue_.append(text);
    }
    void ShowQueuedMessages(Prompter& prompter) {
        const QStringList pending = queue_;
        queue_.clear();
        for (const QString& text : pending) prompter.Ask(text, Buttons::Ok, Icon::None);
    }
    int MsgQueueCount() const { return int(queue_.size()); }

private:
    QStringList queue_;
};

}  // namespace zr50
