// Time of one ration evaluation, all database reads included: rations of 10,
// 40 and 100 feeds on a feed database of 1,000 feeds.
//
//   bench_auswertung [wiederholungen]

#include "database/DatenbankRoutinen.h"
#include "database/LieferDatenbank.h"
#include "frame/Programm.h"
#include "ration/RationAuswerten.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <ctime>

using namespace kelvora;

namespace {

constexpr int FutterAnzahl = 1000;

// Feeds beyond the delivered ones, with values in the usual ranges. ME and
// NEL are both set, so no run completes an energy value.
bool FutterAuffuellen(Verbindung& v)
{
    QSqlQuery q(v.Datenbank());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM Futtermittel")) || !q.next())
        return false;
    const int vorhanden = q.value(0).toInt();
    v.Datenbank().transaction();
    for (int i = vorhanden; i < FutterAnzahl; ++i) {
        const int art = 1 + i % 14;
        const double tm = art <= 5 ? 200 + (i % 7) * 50 : 860 + (i % 5) * 10;
        const bool ok = AnweisungAusfuehren(
            v,
            QStringLiteral("INSERT INTO Futtermittel (FutterArt, FutterArtIOFC, Bezeichnung, TM_g, XP_gTM, "
                           "UDP_gTM, NDF_gTM, ADF_gTM, NFC_gTM, ME_MJTM, NEL_MJTM, Ca_gTM, P_gTM) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {art, art <= 5 ? 1 : 2, QStringLiteral("Messfutter %1").arg(i + 1), tm, 90.0 + i % 300,
             20.0 + i % 90, 150.0 + i % 400, 60.0 + i % 250, 100.0 + i % 500, 10.0 + (i % 30) / 10.0,
             6.0 + (i % 20) / 10.0, 3.0 + i % 9, 2.5 + (i % 6) / 2.0});
        if (!ok)
            return false;
    }
    return v.Datenbank().commit();
}

// n rows spread over the feed table; every fifth is a free feed.
bool RationFuellen(Verbindung& v, int n)
{
    if (!AnweisungAusfuehren(v, QStringLiteral("DELETE FROM Ration")))
        return false;
    for (int i = 0; i < n; ++i) {
        const bool frei = i % 5 == 4;
        if (!AnweisungAusfuehren(v,
                                 QStringLiteral("INSERT INTO Ration (FutterID, FutterFrischMenge, ProzentAnteil, "
                                                "FixeMenge) VALUES (?, ?, ?, ?)"),
                                 {1 + (i * 37) % FutterAnzahl, frei ? 0.0 : 0.5 + (i % 8), frei ? 20.0 : 0.0,
                                  frei ? 0 : 1}))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream aus(stdout);
    const int wiederholungen = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 50;

    QTemporaryDir ordner;
    if (!ordner.isValid())
        return 1;
    DatenordnerSetzen(ordner.path());
    const QString daten = QFileInfo(QStringLiteral(__FILE__)).dir().absoluteFilePath(QStringLiteral("../data"));
    QString fehler;
    if (!LieferDatenbankBauen(daten, programm().futterDatenbank, &fehler)) {
        QTextStream(stderr) << "Datenbank nicht gebaut: " << fehler << Qt::endl;
        return 1;
    }
    {
        Verbindung v;
        if (!DatenbankOeffnen(v, programm().futterDatenbank) || !FutterAuffuellen(v)) {
            QTextStream(stderr) << "Futter nicht angelegt" << Qt::endl;
            return 1;
        }
    }

    TierEingaben tier;
    tier.gewicht = 650;
    tier.milch = 32;
    tier.fett = 4.1;
    tier.monat = 6;

    aus << "Auswertung auf " << FutterAnzahl << " Futtermitteln, " << wiederholungen << " Läufe je Größe\n";
    for (const int n : {10, 40, 100}) {
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
        aus << QString::asprintf("%4d Futtermittel: %8.2f ms je Auswertung (Prozessorzeit %.2f ms)\n", n, ms, cpuMs);
        aus.flush();
    }
    return 0;
}
