#pragma once
// Named rations per cow group: table Rationen (name, head count, the animal
// inputs and the milk price of the group, reserve) and RationenInhalt (its
// rows, as in table Ration, with Reihung, the loading order). Reading them
// and the rules a name follows; the actions that write are in
// RationenVerwalten.h. Names are unique without regard to letter case, in
// every alphabet: "Trockensteher" and "TROCKENSTEHER", "Ärger" and "ärger"
// are one name.

#include "ration/Eingabegrenzen.h"
#include "ration/RationAuswerten.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <functional>
#include <optional>

namespace kelvora {

class Verbindung;

inline constexpr int RationsNameLaenge = 100; // characters, as a feed name
inline constexpr double ReserveVorgabe = 3; // % added when the mixer is loaded

const Eingabegrenze& TiereGrenze(); // "Tiere", 0 .. 9999 head, whole numbers
const Eingabegrenze& ReserveGrenze(); // "Reserve", 0 .. 50 %

// One row of a stored ration.
struct InhaltZeile {
    // As the evaluation reads it; id is the row's ID in RationenInhalt.
    RationZeile zeile;
    long reihung = 0; // loading order, 1 first
    // FutterID, FutterFrischMenge, ProzentAnteil, FixeMenge exactly as stored
    // (an empty share stays empty), so that storing and loading copy a row
    // without changing it.
    QVariantList roh;
};

struct BenannteRation {
    long id = 0;
    QString name;
    long tiere = 0;
    long gewicht = 650; // weight class, kg
    double milch = 0; // kg per cow and day
    double fett = 0; // %
    double eiweiss = 3.4; // milk protein, %
    std::optional<double> milchpreis; // € per kg milk; none: no income figure
    double reserve = ReserveVorgabe;
    QString bemerkung;
    // As stored (ISO 8601 text of the seam's clock): turned into a date only
    // where shown, since every local date conversion looks up the time zone.
    QString angelegt;
    QString geaendert;
    // In the order the evaluation reads table Ration: by FutterID.
    QList<InhaltZeile> inhalt;

    QList<RationZeile> Zeilen() const;
    // The rows in loading order.
    QList<InhaltZeile> NachReihung() const;
};

// Empty when name can name a ration: after trimming 1 to RationsNameLaenge
// characters, no control characters, none that Windows-1252 cannot hold.
// Otherwise the German message.
QString RationsNameFehler(const QString& name);

// Two names are one name: trimmed and case-folded equal.
bool GleicherName(const QString& a, const QString& b);

// Opens the feed database for the named rations: the connection, and the
// tables brought up to date for a database of an older version. False (the
// reason told) when either fails.
[[nodiscard]] bool RationenDatenbankOeffnen(Verbindung& verbindung, const QString& pfad);

// Runs lesen (reads, and the evaluation on what it read) in one read
// transaction, so that every read sees one state of the database; a value
// the reads completed in the feed table (energy) is kept by the commit.
// The transaction ends before the caller shows any message, which must not
// keep other windows and commands out. False when the transaction could
// not begin or lesen failed (the connection holds the error).
[[nodiscard]] bool Lesend(Verbindung& verbindung, const std::function<bool()>& lesen);

// Every stored ration, sorted by name in German order regardless of letter
// case ("Färsen" before "Frischmelker", "Gruppe 9" before "Gruppe 10"); with
// mitInhalt their rows as well (read in one go). False when the tables
// cannot be read.
[[nodiscard]] bool RationenLesen(Verbindung& verbindung, QList<BenannteRation>& rationen, bool mitInhalt = false);

// The ration of that name, rows included: gefunden is false for an unknown
// name. False when the tables cannot be read.
[[nodiscard]] bool RationLesen(Verbindung& verbindung, const QString& name, BenannteRation& ration, bool& gefunden);

// Empty when the stored inputs can be used (weight class, milk, fat, milk
// price, head count and reserve inside the limits the program enters);
// otherwise a German message naming the ration and the field. A row written
// by another program is not silently evaluated as something else.
QString GespeicherteRationFehler(const BenannteRation& ration);

// The animal inputs of a stored ration, as the evaluation takes them; monat
// is the calendar month of the intake estimate.
TierEingaben TierAusRation(const BenannteRation& ration, int monat);

// The feeds the rations name, each once: what FutterWerteLeser reads ahead.
QList<long> FutterNummern(const QList<BenannteRation>& rationen);

// "„Hochleistung“": a name as messages quote it.
QString Genannt(const QString& name);

} // namespace kelvora
