#pragma once
// Storing, loading, renaming and deleting named rations. The current
// ration stays table Ration with the ration window's animal inputs in
// KELVORA.INI (section RationTierErstellenFenster), so that the window and
// every command keep working on it unchanged; key RationName there names the
// stored ration the current one came from or was stored as.
//
// Each action is one transaction on the feed database; the INI keys it
// changes are written before the commit, and put back if the commit fails,
// so that table Ration and the inputs never tell of two different cows.
// A refusal (name taken, unknown name, an empty ration) is shown through the
// seam, leaves everything as it was and sets *abgelehnt; a failure of the
// database or of KELVORA.INI is reported as well and leaves *abgelehnt false.

#include "herde/GespeicherteRationen.h"

#include <QString>
#include <optional>

namespace kelvora {

// KELVORA.INI key of the current ration's name.
QString RationNameSchluessel(); // "RationName"
// The name stored there; empty when the current ration has none.
QString AktuellerRationName();

struct RationSpeichernAngaben {
    QString name;
    // None: 0 head for a new ration; a replaced ration keeps its head count.
    std::optional<long> tiere;
    bool ersetzen = false; // an existing name is replaced, keeping its spelling and reserve
    long gewicht = 650;
    double milch = 0;
    double fett = 0;
    std::optional<double> milchpreis;
    double eiweiss = 3.4; // milk protein, %
};

// Stores table Ration with the given inputs under a name. A replaced ration
// keeps the loading order of the feeds it had; new feeds follow in the
// order of the list. The inputs and the name become the current ones;
// gespeicherterName receives the name as stored (a replaced ration keeps its
// spelling).
[[nodiscard]] bool RationSpeichern(const QString& pfad, const RationSpeichernAngaben& angaben,
    bool* abgelehnt = nullptr, QString* gespeicherterName = nullptr);

// Makes the stored ration the current one: replaces table Ration with its
// rows and writes its inputs and name into KELVORA.INI. geladen receives it.
[[nodiscard]] bool RationLaden(
    const QString& pfad, const QString& name, bool* abgelehnt = nullptr, BenannteRation* geladen = nullptr);

// Renames a stored ration; a new spelling of the same name is allowed, a
// name another ration has is not.
[[nodiscard]] bool RationUmbenennen(
    const QString& pfad, const QString& alt, const QString& neu, bool* abgelehnt = nullptr);

// Deletes a stored ration with its rows; table Ration stays as it is.
[[nodiscard]] bool RationLoeschen(const QString& pfad, const QString& name, bool* abgelehnt = nullptr);

// Whether the current ration differs from the stored one: a row of table
// Ration (feed, amount, share, fixed or free, as the evaluation reads them)
// or one of the animal inputs or the head count.
bool WeichtAb(
    const BenannteRation& gespeichert, const QList<RationZeile>& aktuell, const RationSpeichernAngaben& eingaben);

} // namespace kelvora
