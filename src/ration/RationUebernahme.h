#pragma once
// Taking an amount from the amount editor into table Ration: the checks of
// the typed values, the write of the feed's row and the offers that bring
// the free shares back to 100 %.

#include <QString>

namespace kelvora {

// What the editor holds when the amount is taken over. A hidden box counts
// as 0.
struct MengenEingabe {
    long futterID = 0;         // the number shown in the editor
    double frischMenge = 0;    // kg fresh matter
    double prozentAnteil = 0;  // % of the free dry matter
    bool anteilSichtbar = true;
    bool fix = true;           // the mark FixeMenge: ticked = fixed amount
};

// The box that has to be corrected before anything is written.
enum class MengenFehler { Keiner, Anteil, Frischmasse };

// Checks share (0 to 100, when its box is shown) and fresh amount (not
// negative) and tells the user what is wrong.
MengenFehler MengenEingabePruefen(const MengenEingabe& eingabe);

// Writes the amount into the feed's row (appending one when the feed has
// none) and then offers to restore 100 % over the free feeds. False when the
// database could not be opened and nothing was written.
bool MengeInRationSchreiben(const QString& datenbankPfad, const MengenEingabe& eingabe);

} // namespace kelvora
