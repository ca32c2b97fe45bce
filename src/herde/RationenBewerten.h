#pragma once
// A stored ration evaluated with its own animal inputs by the ration
// window's evaluation (RationBerechnen), without touching table Ration;
// several of them side by side for the comparison.

#include "herde/GespeicherteRationen.h"
#include "ration/Futterkosten.h"
#include "ration/RationAuswerten.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace kelvora {

class Verbindung;

struct RationsBewertung {
    BenannteRation ration;
    Auswertung auswertung;
    Futterkosten kosten; // per cow and day
    // Milk × milk price − feed cost, per cow and day; none without a milk
    // price or with incomplete costs.
    std::optional<double> einkommenJeKuh;

    // The same for the group: per cow × head count.
    std::optional<double> EinkommenGruppe() const;
};

// Evaluates one stored ration; monat is the calendar month of the intake
// estimate.
RationsBewertung RationBewerten(const BenannteRation& ration, const FutterWertFunktion& wert, int monat);

// Reads the rations of these names (in this order) from the feed database
// at pfad and evaluates them, in the month of the seam's clock. An unknown
// name or a ration whose stored inputs are unusable is refused (*abgelehnt,
// message shown); false with the message of the database when it cannot be
// read.
[[nodiscard]] bool RationenBewerten(
    const QString& pfad, const QStringList& namen, QList<RationsBewertung>& ergebnis, bool* abgelehnt = nullptr);

// A stored ration with its feed cost per cow and day, for the list of
// stored rations.
struct RationsUeberblick {
    BenannteRation ration;
    Futterkosten kosten;
};
// Every stored ration by name. False when they cannot be read (reported).
[[nodiscard]] bool RationenUeberblicken(const QString& pfad, QList<RationsUeberblick>& ueberblick);

// How many rations a comparison shows side by side.
inline constexpr int VergleichMindestens = 2;
inline constexpr int VergleichHoechstens = 6;

// Empty when the names can be compared: 2 to 6 names, none twice (letter
// case aside); otherwise the German message.
QString VergleichsNamenFehler(const QStringList& namen);

// One figure label across the compared rations: its text and background
// colour in each, as the ration window would show them (empty where the
// window shows nothing: a hidden supply message, a label the run left alone).
struct VergleichsZeile {
    QString name; // objectName of the label, in the order of AnzeigenNamen()
    QStringList texte;
    QList<qint64> farben; // 0: not coloured
};
QList<VergleichsZeile> VergleichsKennzahlen(const QList<RationsBewertung>& bewertungen);

} // namespace kelvora
