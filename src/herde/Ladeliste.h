#pragma once
// The mixer wagon: the loading list of a stored ration (kg per load in
// loading order, the scale reading after each feed) and the evaluation of
// what was really loaded, by the ration window's own evaluation. Nothing
// here changes the stored ration except the loading order, which the
// user sets on purpose.

#include "herde/GespeicherteRationen.h"
#include "herde/RationenBewerten.h"
#include "ration/RationAuswerten.h"

#include <QList>
#include <QMap>
#include <QString>
#include <optional>

namespace kelvora {

// KELVORA.INI section and key of the scale's step in kg.
QString LadelisteAbschnitt(); // "Ladeliste"
QString SchrittSchluessel(); // "Schritt"
inline constexpr double SchrittVorgabe = 1;

const Eingabegrenze& SchrittGrenze(); // "Schritt", 0,01 .. 100 kg
const Eingabegrenze& LadungenGrenze(); // "Ladungen", 1 .. 99
const Eingabegrenze& FassungGrenze(); // "Fassung", 1 .. 100.000 kg FM
const Eingabegrenze& GeladenGrenze(); // "geladen kg", 0 .. 100.000 kg FM

// The step from KELVORA.INI: SchrittVorgabe without an entry; none (the
// German message in meldung) for an entry that is no number, is out of
// range or has more than two decimals. A scale step is never guessed.
std::optional<double> SchrittLesen(QString& meldung);

// Decimals a step needs: 0 for a whole step, else 1 or 2.
int SchrittStellen(double schritt);
// A kg figure with the step's decimals and German thousands points.
QString KgText(double kg, double schritt);

// kg rounded half up to the step; anything above 0 is at least one step.
double AufSchrittRunden(double kg, double schritt);

// What the user chose; tiere and reserve fall back to the ration's own,
// the loads come from ladungen, else from fassung, else 1.
struct LadeAngaben {
    std::optional<long> tiere;
    std::optional<double> reserve; // %
    std::optional<long> ladungen;
    std::optional<double> fassung; // kg FM the mixer holds
    double schritt = SchrittVorgabe;
};

struct LadeZeile {
    int nr = 0; // place in the loading order, 1 first
    long inhaltID = 0; // row of RationenInhalt
    RationZeile zeile; // as stored
    QString name;
    double genau = 0; // kg per load before rounding
    double kg = 0; // kg per load, rounded to the step
    double waage = 0; // scale reading after this feed
    double kgTM = 0; // kg dry matter in kg
};

struct Ladeliste {
    QString ration;
    long tiere = 0;
    double reserve = 0;
    long ladungen = 1;
    double schritt = SchrittVorgabe;
    QList<LadeZeile> zeilen; // in loading order
    double kg = 0; // one load, the sum of the rounded amounts
    double kgTM = 0;
    // Free feeds of the ration that no balancing has given an amount yet:
    // they are loaded with 0 kg.
    QStringList nichtAusgeglichen;
};

// The list of a ration (rows included) whose inputs are usable; wert gives
// the feeds' names and dry matter. Empty message: done. Otherwise the
// German reason (no head count, a capacity that no number of loads keeps)
// and no list.
QString LadelisteBerechnen(
    const BenannteRation& ration, const LadeAngaben& angaben, const FutterWertFunktion& wert, Ladeliste& liste);

// Per cow and day from kg loaded in one load: kg × loads / (head ×
// (1 + reserve / 100)), the inverse of the list's amount before rounding.
double JeKuh(double kgJeLadung, const Ladeliste& liste);

// A deviation is marked (light red) beyond this many % of the plan.
inline constexpr double AbweichungGrenzeProzent = 5;

struct GeladenZeile {
    int nr = 0;
    QString name;
    double geplant = 0; // kg per load as listed
    double geladen = 0;
    double abweichungKg = 0;
    std::optional<double> abweichungProzent; // none when nothing was planned
    bool auffaellig = false; // beyond ± AbweichungGrenzeProzent (or loaded without a plan)
    double jeKuh = 0; // kg FM per cow and day the cows really got
};

// A limit whose light shows another colour for what was loaded.
struct Ampelwechsel {
    QString was; // caption as the report prints it ("kg TM", "NEL")
    QString planText;
    qint64 planFarbe = 0;
    QString geladenText;
    qint64 geladenFarbe = 0;
};

struct GeladenBewertung {
    Ladeliste liste;
    QList<GeladenZeile> zeilen; // in loading order
    RationsBewertung plan; // the stored ration as the ration window shows it
    Auswertung geladen; // the ration the cows really got, every row fixed
    QList<Ampelwechsel> wechsel;
};

// Rows of a ration with the amounts the cows really got: every row of the
// ration, fixed at kg per cow from geladen (by list number).
QList<RationZeile> GeladeneZeilen(const Ladeliste& liste, const QMap<int, double>& geladen);

// The numbers 1 .. anzahl of a list missing in nummern and those it does
// not have; both empty when nummern names every feed once.
struct NummernPruefung {
    QList<int> fehlend;
    QList<int> unbekannt;
};
NummernPruefung NummernPruefen(qsizetype anzahl, const QList<int>& nummern);

// Evaluates what was loaded (every number of the list in geladen) against
// the plan: tier are the ration's animal inputs.
GeladenBewertung GeladenBewerten(const RationsBewertung& plan, const Ladeliste& liste,
    const QMap<int, double>& geladen, const TierEingaben& tier, const FutterWertFunktion& wert);

// The limits whose light differs between two evaluations, in the order of
// the report's overview page.
QList<Ampelwechsel> AmpelnVergleichen(const Auswertung& plan, const Auswertung& geladen);
// "kg TM: grün → hellrot (22,50 → 24,10)".
QString AmpelwechselText(const Ampelwechsel& w);

// ------------------------------------------------------------ database

// Reads the ration of that name from the feed database at pfad, evaluates
// it and builds its list, in one read. An unknown name, unusable stored
// inputs or a list that cannot be built is refused (*abgelehnt, message
// shown); false with the database's message when it cannot be read. With
// geladen (every number of the list), also the evaluation of what was
// loaded into *bewertung; numbers missing or unknown are refused there with
// *falscheNummern set.
struct LadelisteLauf {
    QString name;
    LadeAngaben angaben;
    const QMap<int, double>* geladen = nullptr;
};
struct LadelisteErgebnis {
    Ladeliste liste;
    RationsBewertung plan; // the stored ration as the ration window shows it
    GeladenBewertung bewertung; // only with geladen
    bool abgelehnt = false;
    bool falscheNummern = false;
};
[[nodiscard]] bool LadelisteLesen(const QString& pfad, const LadelisteLauf& lauf, LadelisteErgebnis& ergebnis);

// Stores a new loading order: inhaltIDs are the ration's rows of
// RationenInhalt, first to be loaded first. One transaction; refused
// (*abgelehnt) when the ration is gone or its rows are not exactly these.
[[nodiscard]] bool ReihungSpeichern(
    const QString& pfad, const QString& name, const QList<long>& inhaltIDs, bool* abgelehnt = nullptr);

} // namespace kelvora
