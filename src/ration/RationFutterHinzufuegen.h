#pragma once
// A feed dropped on the ration window: a feed already in the ration opens
// its row; any other is appended after a question. The shared number of the
// dragged feed is consumed either way.

#include <QString>

namespace kelvora {

// The row the amount editor opens for; offen is false when nothing is to
// be edited (no feed dragged, no database, or the user said No).
struct ZuBearbeitendeZeile {
    bool offen = false;
    long id = 0;
    double frischMenge = 0;
};

// Takes programm().ZiehFutterID, sets it back to 0 and returns the row to
// edit.
ZuBearbeitendeZeile GezogenesFutterHinzufuegen(const QString& datenbankPfad);

} // namespace kelvora
