#pragma once
// Table Ration: the one current ration, one row per feed, either a fixed
// daily amount of fresh matter or a share of the freely available dry
// matter. Every read goes through NullFilter, every write through bound
// parameters on the row's ID.

#include "ration/RationAuswerten.h"  // RationZeile, RationZeilenLesen

#include <QList>
#include <QString>
#include <optional>

namespace kelvora {

class Verbindung;

// A free feed: its share of the free dry matter counts, not a fixed amount.
inline bool IstFrei(const RationZeile& zeile)
{
    return zeile.fixeMenge == 0;
}

// The row of a feed, or of a row ID.
std::optional<RationZeile> RationZeileZumFutter(Verbindung& verbindung, long futterID);
std::optional<RationZeile> RationZeileMitID(Verbindung& verbindung, long id);

// FutterFrischMenge of a row (0 when the row is missing).
double RationFrischMenge(Verbindung& verbindung, long id);

// Appends the row of a feed as a new row starts: no amount, fixed, share
// left empty. Returns the new row's ID, 0 when nothing was written.
[[nodiscard]] long RationZeileAnhaengen(Verbindung& verbindung, long futterID);

// Appends a row with all its values; returns its ID or 0.
[[nodiscard]] long RationZeileAnhaengen(
    Verbindung& verbindung, long futterID, double frischMenge, double prozentAnteil, int fixeMenge);

// Writes amount, share and kind of one row.
[[nodiscard]] bool RationZeileSchreiben(
    Verbindung& verbindung, long id, double frischMenge, double prozentAnteil, int fixeMenge);

// Writes the share of one row; with frischNullen its fresh amount becomes 0
// as well (a rescaled free feed has to be balanced again).
[[nodiscard]] bool RationAnteilSchreiben(Verbindung& verbindung, long id, double prozentAnteil, bool frischNullen);

// Bezeichnung of a feed, trimmed; a single blank when the feed does not exist.
QString FutterBezeichnungLesen(Verbindung& verbindung, long futterID);

} // namespace kelvora
