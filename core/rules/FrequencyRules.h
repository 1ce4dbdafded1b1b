#pragma once
// Frequency texts: shown as megahertz "#0.00000", stored as the digits without
// the point (two integer digits first) in an eight-character field. Input is
// snapped to the 10 Hz raster that starts at the band minimum and checked
// against the band ranges of the document.

#include <QString>

namespace zr50 {

class Document;
struct Program;

// Shown or typed text -> stored digits ("28.01500" -> "2801500", "8.5" -> "085").
// A text that is not numeric becomes the band minimum; "" stays "".
QString PadFreqText(const Document& doc, const QString& text);

// Stored digits -> shown text; "" for "" and "FFFFFFFF". A text that is not a
// number tells the user "Not IsNumeric" and gives the band minimum.
QString FormatFreqText(Program& p, const QString& stored);

// Rounds onto the 10 Hz raster starting at the band minimum (towards it).
double SnapFreq(const Document& doc, double f);

// The snapped frequency when it lies in an allowed range (limits included);
// otherwise the nearest limit, or 0 without clamp, with the out-of-range
// message when show is set.
double CheckFreqRange(Program& p, double f, bool clamp, bool show);

// For input that is not a number: band minimum with clamp, else 0.
double FreqRangeFallback(Program& p, bool clamp, bool show);

// Typed text -> shown text after the range check; "" when it comes out as 0.
QString NormalizeFreqInput(Program& p, const QString& text, bool clamp, bool show);

}  // namespace zr50
