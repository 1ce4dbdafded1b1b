#pragma once
// The radio's 23,745-byte memory image (addresses 0x0000..0x5CC0) and the codec
// between it and the working document.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace zr50 {

class Document;

constexpr int kMemImageSize = 0x5CC1;
constexpr int kTransferEnd = 0x5CC0;  // the last byte is never transferred
using MemImage = std::array<uint8_t, kMemImageSize>;

// Every byte 0xFF, the bitmaps 0x00.
void ClearMemImage(MemImage& image);

// Fills the cleared image from the working document. A value that does not fit
// its byte refuses the whole encode: the result names the field, and the
// document is left as it was.
std::optional<QString> EncodeAllData(Document& doc, MemImage& image);

// Replaces the working document's channels and settings by the image's. Any
// image decodes without reading or writing outside the document's arrays.
void DecodeAllData(const MemImage& image, Document& doc);

}  // namespace zr50
