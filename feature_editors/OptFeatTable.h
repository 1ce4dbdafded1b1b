#pragma once
// The optional-features window as data: one row per list or check box with the
// document field it edits and how a stored value becomes a choice and back,
// and the rules for the typed boxes. No widgets here.

#include "model/Document.h"

#include <QString>
#include <functional>
#include <vector>

namespace zr50 {

// How a stored value is shown by a list and stored from it.
enum class OptConv {
    None,      // no field: the list shows and stores nothing
    Position,  // the list position
    Number,    // the entry whose text is the value; stored: the entry's number, 0 for a word
    Tot,       // position = value \ 3; value = position x 3
    NR,        // 0 <-> position 0; otherwise position = value - 127
    CWFreq,    // position = value - 30
    PubMode,   // the public channel's mode: a name of the fixed mode list
    Public,    // position, with the public flag of every channel of a band
};

// A field of the document, read and written as an int.
struct OptField {
    int (*get)(const DataHeaderRec&) = nullptr;
    void (*set)(DataHeaderRec&, int) = nullptr;
    explicit operator bool() const { return get != nullptr; }
};

// Combo1(k) has index k, Check1(k) 100 + k, Combo2(k) 200 + k.
constexpr int kCheck1Base = 100;
constexpr int kCombo2Base = 200;

struct OptListRow {
    int index;
    OptField field;
    OptConv conv;
    bool hidden;
};

struct OptCheckRow {
    int index;  // 100 + k
    OptField field;
    int def;     // shown when the stored value is not 0 or 1
    bool shows;  // the box shows the field
    bool stores; // a click stores the field
    bool hidden;
};

const std::vector<OptListRow>& OptListRows();  // Combo1(0..58), then Combo2(0..8)
const std::vector<OptCheckRow>& OptCheckRows();  // Check1(0..11)
const std::vector<OptField>& OptDisplayFields();  // chkCheck2(0..3)
const OptListRow* FindOptListRow(int index);
const OptCheckRow* FindOptCheckRow(int index);

// The choice a list makes for a stored value: a position, or (for Number) the
// entry of that text. The list helpers fall back to the first entry.
struct OptChoice {
    int position = -1;
    QString text;
};
OptChoice ChoiceFor(OptConv conv, int value);
// The value stored for the chosen entry.
int ValueFor(OptConv conv, int position, const QString& text);

// The mode boxes Check1(5..10): at least one stays ticked. v when above 0;
// else 1 when fewer than maxCount of the boxes from..to other than except are
// ticked, 0 otherwise.
int CheckSelectLimit(int v, int maxCount, int from, int to, int except,
                     const std::function<int(int)>& valueOf);

// The S-meter point typed into box i (0..11), as stored (shown - 1, limited to
// 0..35), when it keeps its group of six rising from left to right; else the
// stored point.
int CheckText4Order(const DataHeaderRec& d, int i, const QString& text);

// A typed limit: a number is held to lo..hi and written with the decimals;
// anything else becomes the fallback.
QString LimitedText(const QString& text, double lo, double hi, int decimals, const QString& fallback);
// The offsets of the hidden boxes: -100..100, "0" when not numeric, otherwise as typed.
QString OffsetText(const QString& text);
// The number of a text, multiplied and rounded (0 when not numeric).
int ScaledValue(const QString& text, double factor);

// Sets the public flag of every slot of every group of the band, used or not.
void SetPublicFlags(Document& doc, int band, int flag);

}  // namespace zr50
