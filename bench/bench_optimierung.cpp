// Time of one least-cost optimisation of a ration with 40 free feeds on a
// feed database of 1,000 feeds: reading the ration and the feeds, solving,
// writing the amounts. The solve alone is timed as well.
//
//   bench_optimierung [wiederholungen]

#include "Messdaten.h"
#include "ration/Optimierung.h"
#include "ration/RationAuswerten.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <ctime>

using namespace kelvora;

namespace {

constexpr int FreieFutter = 40;

// Free feeds spread over the added feeds (the delivered ones carry no price)
// and one fixed hay-like feed.
bool FreieRationFuellen(Verbindung& v)
{
    if (!AnweisungAusfuehren(v, QStringLiteral("DELETE FROM Ration")))
        return false;
    const QString sql = QStringLiteral(
        "INSERT INTO Ration (FutterID, FutterFrischMenge, ProzentAnteil, FixeMenge) VALUES (?, ?, ?, ?)");
    for (int i = 0; i < FreieFutter; ++i) {
        if (!AnweisungAusfuehren(v, sql, {100 + (i * 23) % 900, 0.0, 100.0 / FreieFutter, 0}))
            return false;
    }
    return AnweisungAusfuehren(v, sql, {104, 2.0, 0.0, 1});
}

struct Zeit {
    double ms;
    double cpuMs;
};

template <typename Lauf>
Zeit Messen(int wiederholungen, Lauf lauf)
{
    QElapsedTimer uhr;
    uhr.start();
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < wiederholungen; ++i)
        lauf();
    return {static_cast<double>(uhr.nsecsElapsed()) / 1e6 / wiederholungen,
            static_cast<double>(std::clock() - cpuStart) * 1000 / CLOCKS_PER_SEC / wiederholungen};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream aus(stdout);
    const int wiederholungen = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 50;

    QTemporaryDir ordner;
    if (!ordner.isValid() || !MessdatenbankAnlegen(ordner.path()))
        return 1;
    {
        Verbindung v;
        if (!DatenbankOeffnen(v, programm().futterDatenbank) || !FreieRationFuellen(v))
            return 1;
    }

    TierEingaben tier;
    tier.gewicht = 650;
    tier.milch = 32;
    tier.fett = 4.1;
    tier.monat = 6;

    // One run before timing; it must find a ration, or the figure would time
    // the explanation of a ration without solution.
    QList<OptimierungsFutter> futter;
    {
        Verbindung v;
        QList<RationZeile> zeilen;
        if (!DatenbankOeffnen(v, programm().futterDatenbank) || !RationZeilenLesen(v, zeilen))
            return 1;
        futter = OptimierungsFutterLesen(v, zeilen);
    }
    const OptimierungsZiele ziele = OptimierungsZieleFuer(tier);
    const OptimierungsLoesung probe = OptimaleMengen(futter, ziele);
    if (probe.status != OptimierungsStatus::Optimal
        || RationOptimieren(tier, programm().futterDatenbank) != OptimierungsErgebnis::Optimiert) {
        QTextStream(stderr) << "Die Messration hat keine Lösung" << Qt::endl;
        return 1;
    }
    int genutzt = 0;
    for (double m : probe.mengen)
        genutzt += m > 1e-9 ? 1 : 0;

    aus << "Optimierung von " << FreieFutter << " freien Futtermitteln (" << genutzt << " in der Lösung) auf "
        << FutterAnzahl << " Futtermitteln, " << wiederholungen << " Läufe\n";
    const Zeit ganz = Messen(wiederholungen, [&tier] { RationOptimieren(tier, programm().futterDatenbank); });
    aus << QString::asprintf("lesen, lösen, schreiben: %8.2f ms je Lauf (Prozessorzeit %.2f ms)\n", ganz.ms,
                             ganz.cpuMs);
    const Zeit loesen = Messen(wiederholungen, [&futter, &ziele] { OptimaleMengen(futter, ziele); });
    aus << QString::asprintf("nur lösen:               %8.2f ms je Lauf (Prozessorzeit %.2f ms)\n", loesen.ms,
                             loesen.cpuMs);
    return 0;
}
