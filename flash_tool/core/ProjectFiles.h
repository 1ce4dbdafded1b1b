#pragma once
// The three files of a project, field by field, little-endian: the .spi header
// (51 bytes), the block index (278 bytes a block) and the data pool.

#include "Project.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace kdi {

constexpr int kHeaderFileSize = 51;
constexpr int kBlockRecordSize = 278;

// The companion of a project file: its path less the last three characters,
// then "CDI" or "CDD".
QString BlockIndexPath(const QString& spiPath);
QString DataPoolPath(const QString& spiPath);

QByteArray EncodeHeader(const ProjectHeader& h);
ProjectHeader DecodeHeader(const QByteArray& bytes);  // needs 51 bytes
QByteArray EncodeBlockIndex(const std::vector<BlockRecord>& blocks);
// count records from the start; nullopt when the bytes are fewer.
std::optional<std::vector<BlockRecord>> DecodeBlockIndex(const QByteArray& bytes, int count);

// Whether header and block records make a project: counts and sizes not
// negative, the blocks back to back from 0, their lengths adding up to the pool.
bool ConsistentProject(const ProjectHeader& h, const std::vector<BlockRecord>& blocks);

}  // namespace kdi
