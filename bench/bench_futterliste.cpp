// How long the feed list takes to read its rows, and FutterWert its values,
// on a feed database of 10,000 feeds. Prints milliseconds.
//
//   bench_futterliste [data folder of the delivered database]

#include "database/DatenbankRoutinen.h"
#include "database/LieferDatenbank.h"
#include "feeds/FutterListeDaten.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Programm.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

using namespace kelvora;

namespace {

constexpr int AnzahlFutter = 10000;

const char* const Namen[] = { "Grassilage", "Maissilage", "Heu", "Weizenstroh", "Rapsextraktionsschrot",
    "Sojaextraktionsschrot", "Gerste", "Weizen", "Körnermais", "Trockenschnitzel", "Biertreber", "Pressschnitzel",
    "Milchleistungsfutter", "Ölkuchen", "Ackerbohnen" };

bool FutterAnlegen(const QString& pfad)
{
    Verbindung v;
    if (!DatenbankOeffnen(v, pfad))
        return false;
    QSqlDatabase db = v.Datenbank();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "INSERT INTO Futtermittel (FutterArt, FutterArtIOFC, Bezeichnung, TM_g, XP_gTM, nXP_gTM, UDP_gTM, NDF_gTM, "
        "ADF_gTM, NFC_gTM, ME_MJTM, NEL_MJTM, Ca_gTM, P_gTM, Preis) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (int i = 0; i < AnzahlFutter; ++i) {
        const int gruppe = i % 5 + 1;
        // Every tenth feed lacks its NFC and is left out of the list; every
        // seventh knows only its NEL and gets its ME on the first read.
        const bool vollstaendig = i % 10 != 0;
        q.addBindValue(i % 15 + 1);
        q.addBindValue(gruppe);
        q.addBindValue(
            QString::fromUtf8(Namen[i % 15]) + QStringLiteral(" Probe ") + QString::number(AnzahlFutter - i));
        q.addBindValue(200 + i % 700);
        q.addBindValue(80.0 + i % 300);
        q.addBindValue(120.0 + i % 100);
        q.addBindValue(20.0 + i % 80);
        q.addBindValue(200 + i % 400);
        q.addBindValue(100 + i % 200);
        q.addBindValue(vollstaendig ? 150 + i % 300 : 0);
        q.addBindValue(i % 7 == 0 ? 0.0 : 10.0 + (i % 30) / 10.0);
        q.addBindValue(6.0 + (i % 20) / 10.0);
        q.addBindValue(5.0);
        q.addBindValue(4.0);
        q.addBindValue(25.0 + i % 10);
        if (!q.exec())
            return false;
    }
    return db.commit();
}

double Millisekunden(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString quelle = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../data");
    QTemporaryDir ordner;
    DatenordnerSetzen(ordner.path());
    QString fehler;
    if (!LieferDatenbankBauen(quelle, programm().futterDatenbank, &fehler)) {
        std::fprintf(stderr, "Datenbank nicht gebaut: %s\n", qPrintable(fehler));
        return 1;
    }
    if (!FutterAnlegen(programm().futterDatenbank)) {
        std::fprintf(stderr, "Futter nicht angelegt\n");
        return 1;
    }

    QElapsedTimer t;
    QList<FutterListenZeile> zeilen;

    auto liste = [&](const char* was, const FutterListenFilter& f) {
        t.start();
        FutterListeLesen(f, zeilen);
        std::printf("Futterliste %-34s %6lld Zeilen %9.1f ms\n", was, qlonglong(zeilen.size()), Millisekunden(t));
    };
    liste("alle Futtermittel:", {});
    liste("alle Futtermittel, noch einmal:", {});
    liste("Gruppe Eiweißträger:", { 3, QString(), true });
    liste("Suche \"schrot\":", { 0, QStringLiteral("schrot"), true });
    liste("ohne Vollständigkeitsfilter:", { 0, QString(), false });

    QList<long> ids;
    {
        Verbindung v;
        DatenbankOeffnen(v, programm().futterDatenbank);
        QSqlQuery q;
        AbfrageOeffnen(v, q, QStringLiteral("SELECT ID FROM Futtermittel ORDER BY ID"));
        while (q.next())
            ids << q.value(0).toLongLong();
    }

    Verbindung v;
    DatenbankOeffnen(v, programm().futterDatenbank);
    double summe = 0;

    // The first read of all feeds at once, as the evaluation reads a
    // ration's feeds: one query, and every seventh feed, which lacks its ME,
    // completed in the same transaction as all the others (at most 300 ms).
    t.start();
    {
        FutterLeser leser(v);
        const QHash<long, QList<QVariant>> werte = leser.VieleWerte(ids, { 4 });
        for (const QList<QVariant>& w : werte)
            summe += w.value(0).toDouble();
    }
    std::printf(
        "VieleWerte  %6lld Futter, erstes Lesen, ergänzt    %9.1f ms\n", qlonglong(ids.size()), Millisekunden(t));

    // The codes the ration reads, without the type names that open their own
    // connection (measured apart below).
    const int codes[] = { 2, 4, 6, 7, 11, 12, 19, 22, 23, 24, 25, 72 };
    t.start();
    for (int i = 0; i < AnzahlFutter; ++i)
        summe += FutterWert(v, ids.at(i % ids.size()), codes[i % 12]).toDouble();
    std::printf("FutterWert  %6d Werte (Codes 2 bis 72)             %9.1f ms  (Summe %.1f)\n", AnzahlFutter,
        Millisekunden(t), summe);

    constexpr int Artnamen = 1000;
    int laenge = 0;
    t.start();
    for (int i = 0; i < Artnamen; ++i)
        laenge += int(FutterWert(v, ids.at(i), i % 2 ? 1 : 3).toString().size());
    std::printf("FutterWert  %6d Werte (Codes 1 und 3, Artname)    %9.1f ms  (%d Zeichen)\n", Artnamen,
        Millisekunden(t), laenge);
    return 0;
}
