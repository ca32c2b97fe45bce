// Time of the printed ration report of a 200-feed ration written as a PDF:
// the evaluation with all its database reads, the report's assembly and the
// painting of every page into the file.
//
//   bench_bericht [wiederholungen]

#include "Messdaten.h"
#include "printing/ui/DruckVorschau.h"
#include "ration/RationAuswerten.h"
#include "ration/RationBericht.h"
#include "ration/ui/RationBerichtDrucken.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <ctime>

using namespace kelvora;

namespace {

constexpr int Futterzeilen = 200;

// One report: evaluation, assembly, PDF. False when it was not written.
bool BerichtSchreiben(const TierEingaben& tier, const QString& pdf, int* seiten = nullptr)
{
    const Auswertung a = RationAuswerten(tier, programm().futterDatenbank);
    const RationBericht bericht = RationBerichtErstellen(RationListeZumDruck(a.zeilen),
        { QStringLiteral("600-650"), QStringLiteral("32,0"), QStringLiteral("4,10"), QStringLiteral("0,45") },
        a.anzeigen, std::nullopt);
    const PdfErgebnis e
        = PdfSchreiben(pdf, true, [&](QPagedPaintDevice& geraet) { return RationBerichtDrucken(geraet, bericht); });
    if (seiten)
        *seiten = static_cast<int>(a.zeilen.size());
    return e.geschrieben;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream aus(stdout);
    const int wiederholungen = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;

    QTemporaryDir ordner;
    if (!ordner.isValid() || !MessdatenbankAnlegen(ordner.path()))
        return 1;
    {
        Verbindung v;
        if (!DatenbankOeffnen(v, programm().futterDatenbank) || !RationFuellen(v, Futterzeilen))
            return 1;
    }
    programm().E1 = QStringLiteral("Milchviehberatung Sonnental");
    programm().E2 = QStringLiteral("Am Bach 3, 12345 Wiesenau");

    TierEingaben tier;
    tier.gewicht = 650;
    tier.milch = 32;
    tier.fett = 4.1;
    tier.monat = 6;

    const QString pdf = ordner.filePath(QStringLiteral("bericht.pdf"));
    // One report before timing: fonts and file cache as in a running program.
    int zeilen = 0;
    if (!BerichtSchreiben(tier, pdf, &zeilen))
        return 1;

    QElapsedTimer uhr;
    uhr.start();
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < wiederholungen; ++i)
        if (!BerichtSchreiben(tier, pdf))
            return 1;
    const double ms = static_cast<double>(uhr.nsecsElapsed()) / 1e6 / wiederholungen;
    const double cpuMs = static_cast<double>(std::clock() - cpuStart) * 1000 / CLOCKS_PER_SEC / wiederholungen;
    aus << QString::asprintf("Bericht mit %d Futtermitteln (%d Listenzeilen, %lld Byte PDF): %8.1f ms je Bericht "
                             "(Prozessorzeit %.1f ms), %d Läufe\n",
        Futterzeilen, zeilen, static_cast<long long>(QFileInfo(pdf).size()), ms, cpuMs, wiederholungen);
    return 0;
}
