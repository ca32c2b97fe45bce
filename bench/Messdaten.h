#pragma once
// A feed database for the benchmarks: the delivered feeds topped up to
// FutterAnzahl feeds with values in the usual ranges, and rations of any
// size on it.

#include "database/DatenbankRoutinen.h"
#include "database/LieferDatenbank.h"
#include "frame/Programm.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTextStream>

#include <ctime>
#include <functional>

namespace kelvora {

inline constexpr int FutterAnzahl = 1000;

// ME and NEL are both set, so no run completes an energy value. Every added
// feed has a price (the delivered ones have none).
inline bool FutterAuffuellen(Verbindung& v)
{
    QSqlQuery q(v.Datenbank());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM Futtermittel")) || !q.next())
        return false;
    const int vorhanden = q.value(0).toInt();
    v.Datenbank().transaction();
    for (int i = vorhanden; i < FutterAnzahl; ++i) {
        const int art = 1 + i % 14;
        const double tm = art <= 5 ? 200 + (i % 7) * 50 : 860 + (i % 5) * 10;
        const bool ok = AnweisungAusfuehren(v,
            QStringLiteral("INSERT INTO Futtermittel (FutterArt, FutterArtIOFC, Bezeichnung, TM_g, XP_gTM, "
                           "UDP_gTM, NDF_gTM, ADF_gTM, NFC_gTM, ME_MJTM, NEL_MJTM, Ca_gTM, P_gTM, Preis) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            { art, art <= 5 ? 1 : 2, QStringLiteral("Messfutter %1").arg(i + 1), tm, 90.0 + i % 300, 20.0 + i % 90,
                150.0 + i % 400, 60.0 + i % 250, 100.0 + i % 500, 10.0 + (i % 30) / 10.0, 6.0 + (i % 20) / 10.0,
                3.0 + i % 9, 2.5 + (i % 6) / 2.0, art <= 5 ? 4.0 + i % 9 : 18.0 + i % 25 });
        if (!ok)
            return false;
    }
    return v.Datenbank().commit();
}

// The data folder with the delivered database built from data/ (KELVORA_DATEN,
// set by the build) and topped up.
inline bool MessdatenbankAnlegen(const QString& ordner)
{
    DatenordnerSetzen(ordner);
    const QString daten = QStringLiteral(KELVORA_DATEN);
    QString fehler;
    if (!LieferDatenbankBauen(daten, programm().futterDatenbank, &fehler)) {
        QTextStream(stderr) << "Datenbank nicht gebaut: " << fehler << Qt::endl;
        return false;
    }
    Verbindung v;
    if (!DatenbankOeffnen(v, programm().futterDatenbank) || !FutterAuffuellen(v)) {
        QTextStream(stderr) << "Futter nicht angelegt" << Qt::endl;
        return false;
    }
    return true;
}

// n rows spread over the feed table, each feed once; every fifth is a free feed.
inline bool RationFuellen(Verbindung& v, int n)
{
    if (!AnweisungAusfuehren(v, QStringLiteral("DELETE FROM Ration")))
        return false;
    for (int i = 0; i < n; ++i) {
        const bool frei = i % 5 == 4;
        if (!AnweisungAusfuehren(v,
                QStringLiteral("INSERT INTO Ration (FutterID, FutterFrischMenge, ProzentAnteil, "
                               "FixeMenge) VALUES (?, ?, ?, ?)"),
                { 1 + (i * 37) % FutterAnzahl, frei ? 0.0 : 0.5 + (i % 8), frei ? 20.0 : 0.0, frei ? 0 : 1 }))
            return false;
    }
    return true;
}

// Runs lauf once to warm up, then wiederholungen times, and prints the wall
// and processor time of one run against the limit (processor time decides:
// on a busy machine the wall time says more about the neighbours).
inline void Messen(QTextStream& aus, const QString& was, int wiederholungen, const std::function<bool()>& lauf,
    double grenzeMs)
{
    if (!lauf()) {
        aus << was << ": fehlgeschlagen\n";
        return;
    }
    QElapsedTimer uhr;
    uhr.start();
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < wiederholungen; ++i)
        lauf();
    const double ms = static_cast<double>(uhr.nsecsElapsed()) / 1e6 / wiederholungen;
    const double cpuMs = static_cast<double>(std::clock() - cpuStart) * 1000 / CLOCKS_PER_SEC / wiederholungen;
    aus << QString::asprintf("%-40s %8.2f ms (Prozessorzeit %.2f ms, Grenze %.0f ms: %s)\n", qPrintable(was), ms,
        cpuMs, grenzeMs, cpuMs <= grenzeMs ? "eingehalten" : "ÜBERSCHRITTEN");
    aus.flush();
}

} // namespace kelvora
