#pragma once
// The least-cost ration: the free feeds (FixeMenge 0) get the amounts that
// meet the cow's requirement and the limits the ration window colours at the
// lowest feed cost; fixed feeds keep theirs. The model is a linear programme
// over the kg fresh matter of the free feeds, solved by Clp (LPLoeser). When
// no ration meets every limit, the limits whose omission would make one
// possible are named.

#include "ration/Bedarf.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace kelvora {

class Verbindung;
struct RationZeile;
struct TierEingaben;

// One row of the ration with the feed values the model needs.
struct OptimierungsFutter {
    long zeilenID = 0;
    long futterID = 0;
    QString name;        // Bezeichnung, for messages
    bool frei = false;   // FixeMenge 0: a variable of the model
    double menge = 0;    // kg FM per day of a fixed row
    double tm_g = 0;     // g DM per kg FM
    double preisJeKgFM = 0;  // Preis / 100 in €; 0 or less: no price
    bool grundfutter = false;  // FutterArt 1..5
    // Per kg dry matter: MJ NEL, g of everything else.
    double nel = 0, xp = 0, ca = 0, p = 0, ndf = 0, adf = 0, nfc = 0;
    // nXP and RNB per kg DM; none when the feed lacks the value (GfE.h).
    std::optional<double> nxp, rnb;
};

// What the cow needs and may eat, from the same animal inputs as the
// evaluation: the intake table's "kg TM max.", the requirement line and
// the window's NDF maximum.
struct OptimierungsZiele {
    double tmMaxKg = 0;
    Bedarf bedarf;
    double ndfMaxGramm = 0;
    // Set "nach GfE": the nXP requirement, g per day; the ration then also
    // keeps nXP at or above it and RNB from 0 to +50 g.
    std::optional<double> nXPBedarf;
};
OptimierungsZiele OptimierungsZieleFuer(const TierEingaben& tier, bool nachGfE = false);

// The limits of the model, each one group that can be left out.
enum class Grenze {
    TMMindestens,     // DM >= 95 % of kg TM max.
    TMHoechstens,     // DM <= kg TM max.
    NEL,              // >= requirement
    Rohprotein,
    Calzium,
    Phosphor,
    NDFMindestens,    // NDF >= 28 % of DM
    NDFHoechstens,    // NDF <= g NDF max.
    GrundfutterNDF,   // NDF from forage >= 75 % of NDF
    ADF,              // >= 18 % of DM
    NFCMindestens,    // >= 35 % of DM
    NFCHoechstens,    // <= 43 % of DM
    Kraftfutter,      // DM of concentrates <= 50 % of DM
    nXP,              // >= nXP requirement; only "nach GfE"
    RNBMindestens,    // RNB >= 0 g; only "nach GfE"
    RNBHoechstens,    // RNB <= 50 g; only "nach GfE"
};
inline constexpr int GrenzenAnzahl = 16;

// The limit as the message names it, e.g. "NDF mindestens 28 %".
QString GrenzeName(Grenze grenze);

enum class OptimierungsStatus { Optimal, Unmoeglich, Fehler };

struct OptimierungsLoesung {
    OptimierungsStatus status = OptimierungsStatus::Fehler;
    QList<double> mengen;  // kg FM per day of each free feed, in the order of futter
    double kostenFrei = 0;  // € per day of the free feeds
};

// Solves the model for the rows in futter, leaving out the limits in ohne.
// With mitAbstand the limits keep the small distance the window's rounding
// needs to show every met limit as met; without it the limits are exact.
OptimierungsLoesung OptimaleMengen(const QList<OptimierungsFutter>& futter, const OptimierungsZiele& ziele,
                                   const QSet<Grenze>& ohne = {}, bool mitAbstand = true);

// For a ration without solution: the sentences that say which single limits
// (or, when none alone, which pairs) would make a ration possible if left
// out; one sentence saying that none would when even that fails.
QStringList KonfliktBeschreiben(const QList<OptimierungsFutter>& futter, const OptimierungsZiele& ziele);

// The rows of table Ration (as GespeicherteRationPruefen found them usable)
// with their feed values, read through the same reads as the evaluation.
QList<OptimierungsFutter> OptimierungsFutterLesen(Verbindung& verbindung, const QList<RationZeile>& zeilen);

enum class OptimierungsErgebnis {
    Optimiert,    // the free rows hold the optimal amounts: evaluate
    Abgelehnt,    // refused or no solution; told through the seam, nothing changed
    Unerreichbar, // the database could not be opened or written (reported by the opening)
};

// The whole command: reads the ration at datenbankPfad, refuses a stored
// value that is no usable number, a ration without free feed, free feeds
// without price or without dry matter, solves, explains a ration without
// solution, and writes the amounts of the free rows, all in one transaction.
// Unerreichbar: the database could not be opened, read or written (the user
// was told why: busy, write-protected, ...).
// nachGfE adds the limits of nXP and RNB and refuses free feeds without
// those values.
OptimierungsErgebnis RationOptimieren(const TierEingaben& tier, const QString& datenbankPfad, bool nachGfE = false);

} // namespace kelvora
