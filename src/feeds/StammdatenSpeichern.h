#pragma once
// Reading and writing the feed that the feed editor shows.

#include "feeds/StammdatenMaske.h"
#include "feeds/StammdatenPruefung.h"

#include <optional>

namespace kelvora {

// The stored feed, or nothing when the row does not exist or the database
// cannot be opened (the open procedures report that).
std::optional<Stammdaten> StammdatenLesen(long futterID);

enum class Speicherergebnis { Gespeichert, NichtGefunden, Fehlgeschlagen };

// Writes the feed: ID 0 adds a row with AngelegtAm, any other ID updates that
// row. LetzteÄnderung is the seam's current time. Shows the outcome: green
// status line on success, red when the database could not be written, a
// message when the row has gone meanwhile. gespeicherteID receives the ID of
// the written row.
[[nodiscard]] Speicherergebnis StammdatenSchreiben(
    const Stammdaten& futter, long futterID, long* gespeicherteID = nullptr);

// The editor's "Speichern" without the window, for the window and for a feed
// taken over on the command line: the checks, then the write with the ID of
// lblIDAnzeige. Nothing is written when a check fails.
struct Speichervorgang {
    Pruefergebnis pruefung;
    Speicherergebnis ergebnis = Speicherergebnis::Fehlgeschlagen; // only when the checks passed
    long id = 0; // the written row
};
[[nodiscard]] Speichervorgang MaskeSpeichern(const Eingabemaske& maske, Nullwerte nullwerte = Nullwerte::Fragen);

// The general feed type (FutterArt) stored with a feed of the given group.
// The ration evaluation counts a feed as forage by FutterArt 1 to 5, so the
// type must agree with the group chosen in the editor: a type that already
// agrees is kept; otherwise forage gets the forage type its name suggests
// (grass silage, maize silage, hay, straw, else green forage) and the other
// groups their usual type (grain, oil meal, by-product, mineral feed).
int FutterArtFuerGruppe(long gruppe, int bisherigeArt, const QString& bezeichnung);

} // namespace kelvora
