#include "FlashRadioModel.h"

#include "FlashFrames.h"
#include "Project.h"

#include <QSaveFile>

namespace kdi::sim {

QList<QByteArray> FlashRadioModel::Hear(const QByteArray& bytes) {
    in_ += bytes;
    return Parse(false);
}

QList<QByteArray> FlashRadioModel::Quiet() { return Parse(true); }

QList<QByteArray> FlashRadioModel::Parse(bool quiet) {
    QList<QByteArray> out;
    while (!in_.isEmpty()) {
        const char c = in_[0];
        int used = 0;
        Heard h{HeardKind::End};
        QByteArray reply;
        if (c == kUpdateCmd[0]) {
            if (in_.size() < kUpdateCmd.size()) {
                if (!kUpdateCmd.startsWith(in_)) used = 1;  // garbage
                else break;
            } else if (in_.startsWith(kUpdateCmd)) {
                used = int(kUpdateCmd.size());
                h.kind = HeardKind::Update;
                reply = QByteArray(1, kAck);
            } else {
                used = 1;
            }
        } else if (c == kIdRequest) {
            // 0x02 alone asks the identity; 0x02, page, 0x06 asks a page.
            if (in_.size() >= kReadRequestSize && in_[3] == kAck) {
                used = kReadRequestSize;
                h.kind = HeardKind::Read;
                h.address = (uint32_t(uint8_t(in_[1])) << 8) | uint8_t(in_[2]);
                reply = ReadPageReply(int(h.address), PageAt(h.address * kPageSize));
            } else if (in_.size() >= kReadRequestSize || (in_.size() > 1 && in_[1] == kIdRequest) ||
                       quiet) {
                used = 1;
                h.kind = HeardKind::Ident;
                reply = IdReply(model, version);
            } else {
                break;
            }
        } else if (c == kPageFrameStart) {
            if (in_.size() < kPageFrameSize) break;
            used = kPageFrameSize;
            const QByteArray f = in_.left(kPageFrameSize);
            const uint16_t sum = Sum16(f);
            h.address = uint32_t(uint8_t(f[1])) | uint32_t(uint8_t(f[2])) << 8 |
                        uint32_t(uint8_t(f[3])) << 16 | uint32_t(uint8_t(f[4])) << 24;
            const bool good = uint8_t(f[1029]) == (sum & 0xFF) && uint8_t(f[1030]) == (sum >> 8) &&
                              f[1031] == kAck;
            if (!good) {
                h.kind = HeardKind::BadPage;
                ++counters.badPages;
                reply = QByteArray(1, kNak);
            } else if (nakEvery > 0 && ++goodPages_ % nakEvery == 0) {
                h.kind = HeardKind::Page;
                reply = QByteArray(1, kNak);
            } else {
                h.kind = HeardKind::Page;
                pages[h.address] = f.mid(5, kPageSize);
                ++counters.pages;
                reply = QByteArray(1, kAck);
            }
        } else if (c == kEndByte) {
            used = 1;
            h.kind = HeardKind::End;
            reply = QByteArray(1, kAck);
        } else {
            used = 1;
        }
        const bool frame = !reply.isEmpty();
        in_.remove(0, used);
        if (!frame) {
            ++counters.garbage;
            continue;
        }
        heard << h;
        switch (h.kind) {
        case HeardKind::Update: ++counters.updates; break;
        case HeardKind::Ident: ++counters.idents; break;
        case HeardKind::Read: ++counters.reads; break;
        case HeardKind::End: ++counters.ends; break;
        default: break;
        }
        ++frames_;
        if ((stopAfter > 0 && frames_ > stopAfter) || (dropEvery > 0 && frames_ % dropEvery == 0)) {
            ++counters.dropped;
            continue;
        }
        Reply(out, reply);
    }
    return out;
}

void FlashRadioModel::Reply(QList<QByteArray>& out, QByteArray bytes) {
    if (bytes.size() == 1 && bytes[0] == kNak) ++counters.naks;
    if (corruptEvery > 0 && ++replies_ % corruptEvery == 0) bytes[0] = char(bytes[0] ^ 0x5A);
    out << bytes;
}

QByteArray FlashRadioModel::PageAt(uint32_t address) const {
    const auto it = pages.find(address);
    return it != pages.end() ? it->second : QByteArray(kPageSize, char(0xFF));
}

QByteArray FlashRadioModel::Dump() const {
    QByteArray out;
    for (const auto& [address, data] : pages) {
        for (int i = 0; i < 4; ++i) out.append(char((address >> (8 * i)) & 0xFF));
        out.append(data);
    }
    return out;
}

bool FlashRadioModel::SaveTo(const QString& path) const {
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(Dump()) >= 0 && f.commit();
}

void FlashRadioModel::LoadImage(const QByteArray& image) {
    for (int at = 0; at < image.size(); at += kPageSize) {
        QByteArray page = image.mid(at, kPageSize);
        if (page.size() < kPageSize) page.append(QByteArray(kPageSize - page.size(), char(0xFF)));
        pages[uint32_t(at)] = page;
    }
}

}  // namespace kdi::sim
