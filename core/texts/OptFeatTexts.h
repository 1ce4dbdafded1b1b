#pragma once
// The optional-features window's captions and list entries, both languages.
// Lists built from the document (modes, roger-beep tones, DTMF codes) are not here.

#include "texts/LangText.h"

#include <QList>
#include <array>

namespace zr50 {

struct TextTables;

constexpr int kOptCombo1Count = 59;
constexpr int kOptCombo2Count = 9;
constexpr int kOptCheck1Count = 12;

using LangList = QList<LangText>;

struct OptFeatTexts {
    LangText Caption, Public, ModeEnable, TxOffset, MHz;
    std::array<LangText, kOptCombo1Count> Label1;
    std::array<LangList, kOptCombo1Count> Combo1Items;
    std::array<LangText, kOptCombo2Count> Label4;
    std::array<LangList, kOptCombo2Count> Combo2Items;
    std::array<LangText, kOptCheck1Count> Check1;
    std::array<LangText, 4> chkCheck2;
    std::array<LangText, 2> Frame3;  // FM/AM and USB/LSB S-meter points
    std::array<LangText, 6> Label6;  // the S-meter point names
    std::array<LangText, 3> Label3;  // limit boxes
    std::array<LangText, 2> Label2;  // receive and transmit offset
    LangList Combo3Items;            // the fixed mode list of the public channel
};

// Reuses the switch words, colours and shared captions, so it runs after
// InitPrintTexts and InitChannelInfoTexts.
void InitOptFeatTexts(TextTables& t);

// The entries of a list in one language.
QStringList InLanguage(const LangList& items, int language);

}  // namespace zr50
