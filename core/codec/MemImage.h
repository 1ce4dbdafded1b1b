#pragma once
// The radio's 23,745-byte memory image (addresses 0x0000..0x5CC0) and the codec
// between it and the working document.

#include "model/Records.h"

#include <QString>
#include <array>
#include <bitset>
#include <cstdint>
#include <optional>

namespace zr50 {

class Document;
struct ChannelRecord;

constexpr int kMemImageSize = 0x5CC1;
constexpr int kTransferEnd = 0x5CC0;  // the last byte is never transferred
using MemImage = std::array<uint8_t, kMemImageSize>;

// Set when an encode is refused: names the place and the field that does not fit.
using EncodeError = std::optional<QString>;

// Every byte 0xFF, the bitmaps 0x00.
void ClearMemImage(MemImage& image);

// Fills the cleared image from the working document. A value that does not fit
// its byte refuses the whole encode: the result names the field, and both the
// document and the image are left as they were. On success the emergency modes
// above 3 become 0 and the DTMF codes are stored cleaned, as written; the
// references to a code the cleaning empties are none in the image and become
// none in the document.
EncodeError EncodeAllData(Document& doc, MemImage& image);

// The DTMF code slots whose code the encode's cleaning empties (a code of
// characters no code holds). A slot that was empty already is not one.
std::bitset<kDtmfCodes + 1> DTMFCodesCleanedAway(const Document& doc);

// Replaces the working document's channels and settings by the image's. Any
// image decodes without reading or writing outside the document's arrays.
void DecodeAllData(const MemImage& image, Document& doc);

// "FFFFFFFF" for an empty (or blank) text or "FFFFFFFF"; otherwise the text
// without trailing blanks and NULs, padded with "0" to the width.
QString PadHexText(const QString& text, int width);

// One channel at the place its number gives in the group. A number the group
// has no position for is not written at all.
EncodeError EncodeChannel(const ChannelRecord& ch, int band, int group, MemImage& image);
// Appends the channel at position k of the group to the working channels, when
// the image holds one there.
void DecodeChannel(const MemImage& image, int band, int position, int group, Document& doc);

// The group settings, option settings and DTMF codes of the working document.
// The encoder writes the clean-ups' results but does not store them back.
EncodeError EncodeOptFeatures(const Document& doc, MemImage& image);
void DecodeOptFeatures(const MemImage& image, Document& doc);

// The roger-beep tone table.
EncodeError EncodeToneData(const Document& doc, MemImage& image);
void DecodeToneData(const MemImage& image, Document& doc);

}  // namespace zr50
