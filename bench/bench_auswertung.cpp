// Time of one ration evaluation, all database reads included: rations of 10,
// 40 and 100 feeds on a feed database of 1,000 feeds.
//
//   bench_auswertung [wiederholungen]

#include "Messdaten.h"
#include "ration/RationAuswerten.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <ctime>

using namespace kelvora;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream aus(stdout);
    const int wiederholungen = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 200;

    QTemporaryDir ordner;
    if (!ordner.isValid() || !MessdatenbankAnlegen(ordner.path()))
        return 1;

    TierEingaben tier;
    tier.gewicht = 650;
    tier.milch = 32;
    tier.fett = 4.1;
    tier.monat = 6;

    aus << "Auswertung auf " << FutterAnzahl << " Futtermitteln, " << wiederholungen << " Läufe je Größe\n";
    for (const int n : { 10, 40, 100 }) {
        {
            Verbindung v;
            if (!DatenbankOeffnen(v, programm().futterDatenbank) || !RationFuellen(v, n))
                return 1;
        }
        // One run before timing: it warms the file cache like a window that is already open.
        const Auswertung probe = RationAuswerten(tier, programm().futterDatenbank);
        if (probe.zeilen.size() < n)
            return 1;
        QElapsedTimer uhr;
        uhr.start();
        const std::clock_t cpuStart = std::clock();
        for (int i = 0; i < wiederholungen; ++i)
            RationAuswerten(tier, programm().futterDatenbank);
        const double ms = static_cast<double>(uhr.nsecsElapsed()) / 1e6 / wiederholungen;
        // Processor time as well: on a busy machine the wall time says more
        // about the neighbours than about the evaluation.
        const double cpuMs = static_cast<double>(std::clock() - cpuStart) * 1000 / CLOCKS_PER_SEC / wiederholungen;
        aus << QString::asprintf("%4d Futtermittel: %8.2f ms je Auswertung (Prozessorzeit %.2f ms", n, ms, cpuMs);
        // The ration window evaluates after every change: a farm's ration
        // of 40 feeds must take no longer than half a millisecond.
        if (n == 40)
            aus << QString::asprintf(", Grenze 0,5 ms: %s", cpuMs <= 0.5 ? "eingehalten" : "ÜBERSCHRITTEN");
        aus << ")\n";
        aus.flush();
    }
    return 0;
}
