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

// The texts of the editor's boxes as typed (or pasted). A hidden box is not
// read; an empty box counts as 0, because the editor empties the boxes that
// the other kind of amount makes meaningless.
struct MengenTexte {
    QString frisch;
    QString trocken;
    QString anteil;
    bool frischSichtbar = true;
    bool anteilSichtbar = true;
    bool fix = true;  // the mark FixeMenge
    // What the editor showed on opening and the stored values behind it: a
    // box taken over as shown keeps the stored value, not its rounding.
    QString frischGezeigt;
    QString anteilGezeigt;
    double frischGespeichert = 0;
    double anteilGespeichert = 0;
};

// The box that has to be corrected before anything is written.
enum class MengenFehler { Keiner, Anteil, Frischmasse, Trockenmasse };

// Reads the boxes strictly and checks them (a box as shown on opening gives
// its stored value): the share first (a number from 0
// to 100), then the fresh amount (a number, not negative, at most the amount
// limit) and, for a fixed amount, that the dry-matter box holds a number.
// Tells the user what is wrong and names the box; on success fills the
// amounts and the kind of eingabe.
MengenFehler MengenEingabePruefen(const MengenTexte& texte, MengenEingabe& eingabe);

// Writes the amount into the feed's row (appending one when the feed has
// none) and then offers to restore 100 % over the free feeds. False when
// something could not be written (the user has been told; what was not
// written is unchanged in the table).
[[nodiscard]] bool MengeInRationSchreiben(const QString& datenbankPfad, const MengenEingabe& eingabe);

} // namespace kelvora
