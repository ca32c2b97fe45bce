#pragma once
// The herd: every stored ration with a head count above 0 is a group. Per
// group the head count, kg fresh matter, feed cost and income over feed
// cost per day; per feed what the whole herd eats per day (fresh and dry
// matter, cost); totals of both. Amounts per cow are the FutterFrischMenge
// of every row, so a free row counts with what the last balancing or
// optimisation wrote, and one still at 0 kg is named as not balanced.

#include "herde/GespeicherteRationen.h"
#include "printing/DruckListe.h"

#include <QList>
#include <QString>
#include <optional>

namespace kelvora {

// A sum of money: a value, or incomplete (a feed with an amount has no
// price), or nothing to say (no milk price for the income).
struct Betrag {
    std::optional<double> wert;
    bool unvollstaendig = false;
};
// Two decimals, "unvollständig", or empty.
QString BetragText(const Betrag& betrag);
// Two decimals with thousands points: the herd's kilograms and euros.
QString Zahl2(double wert);

struct HerdenGruppe {
    QString name;
    long tiere = 0;
    double kgFM = 0; // per day, all cows of the group
    Betrag kosten; // € per day
    Betrag einkommen; // € per day
};

struct HerdenFutter {
    long futterID = 0;
    QString name;
    double kgFM = 0; // per day, whole herd
    double kgTM = 0;
    std::optional<double> euro; // none: the feed has no price
};

// A free feed of a group that no balancing has given an amount yet.
struct NichtAusgeglichen {
    QString ration;
    QString futter;
};

struct Herde {
    QList<HerdenFutter> futter; // by name
    QList<HerdenGruppe> gruppen; // by name
    // "Summe" of the feed lines.
    double futterKgFM = 0;
    double futterKgTM = 0;
    Betrag futterEuro;
    // "Herde": the totals of the groups.
    long tiere = 0;
    double kgFM = 0;
    Betrag kosten;
    Betrag einkommen;
    QList<NichtAusgeglichen> nichtAusgeglichen;
};

// The herd of these rations (rows included; those without head count are
// left out), feed values through wert.
Herde HerdeAus(const QList<BenannteRation>& rationen, const FutterWertFunktion& wert);

// The herd of the feed database at pfad. False when it cannot be read
// (reported) or a group's stored head count or inputs are unusable
// (*abgelehnt, message shown).
[[nodiscard]] bool HerdeBerechnen(const QString& pfad, Herde& herde, bool* abgelehnt = nullptr);

// "nicht ausgeglichen: „Maissilage“ in „Frischmelker“, …"; empty when every
// free feed has an amount.
QString NichtAusgeglichenText(const Herde& herde);

// The herd as the window "Herde" shows and prints it: the groups with the
// line "Herde", the feeds per day and per 30 days with the line "Summe".
DruckListe HerdenGruppenListe(const Herde& herde);
DruckListe HerdenFutterListe(const Herde& herde);

} // namespace kelvora
