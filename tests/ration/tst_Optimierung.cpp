#include "RationsTestdaten.h"
#include "TestRegister.h"
#include "database/DatenbankRoutinen.h"
#include "frame/Programm.h"
#include "ration/Optimierung.h"
#include "ration/RationAuswerten.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

using Mengen = QList<double>;
using FutterListe = QList<OptimierungsFutter>;
using Ration = QList<TestRationsZeile>;
Q_DECLARE_METATYPE(QList<kelvora::OptimierungsFutter>)
Q_DECLARE_METATYPE(kelvora::OptimierungsZiele)

namespace {

// A forage whose every mix meets all share limits (NDF 40 %, ADF 20 %,
// NFC 40 %) and whose protein and minerals cover a requirement of 0, so that
// only the dry matter and NEL decide.
OptimierungsFutter Grundfutter(double preisJeKgFM, double nel, bool frei = true, double menge = 0)
{
    return {.name = QStringLiteral("Grundfutter"), .frei = frei, .menge = menge, .tm_g = 500, .preisJeKgFM = preisJeKgFM, .grundfutter = true,
            .nel = nel, .xp = 150, .ca = 5, .p = 4, .ndf = 400, .adf = 200, .nfc = 400};
}

OptimierungsZiele Ziele(double tmMaxKg, double nel)
{
    OptimierungsZiele z;
    z.tmMaxKg = tmMaxKg;
    z.bedarf.nel = nel;
    z.ndfMaxGramm = 1e6;
    return z;
}

// Feeds of a realistic ration in the test database (values per kg DM).
struct DBFutter {
    long id;
    const char* name;
    int art;  // FutterArt: 1..5 forage
    double tm, nel, xp, ca, p, ndf, adf, nfc;
    QVariant preis;  // € per dt FM; invalid: no price
};
using DBListe = QList<DBFutter>;

const DBFutter Gras{9201, "Grassilage Test", 2, 350, 6.5, 160, 6, 4, 450, 280, 240, 8.0};
const DBFutter Getreide{9202, "Gerste Test", 6, 880, 8.5, 120, 1, 4, 200, 60, 600, 22.0};
const DBFutter Mineral{9203, "Mineralfutter Test", 13, 950, 0, 0, 200, 60, 0, 0, 0, 90.0};
// Low in fibre: with it alone NDF cannot reach 28 %, every other limit holds.
const DBFutter Maisarm{9204, "Silage faserarm", 3, 350, 7, 150, 6, 4, 250, 200, 400, 6.0};
const DBFutter OhnePreis{9205, "Heu ohne Preis", 4, 860, 5.2, 110, 5, 3, 600, 350, 150, QVariant()};
const DBFutter PreisNull{9206, "Stroh Preis null", 5, 860, 3.5, 40, 3, 1, 780, 480, 60, 0.0};
const DBFutter OhneTM{9207, "Futter ohne TM", 6, 0, 8, 100, 1, 3, 200, 60, 600, 20.0};

bool FutterAnlegen(const DBListe& futter, const Ration& zeilen)
{
    const QString sql = QStringLiteral("INSERT INTO Futtermittel (ID, Bezeichnung, FutterArt, FutterArtIOFC, TM_g, "
                                       "NEL_MJTM, ME_MJTM, XP_gTM, Ca_gTM, P_gTM, NDF_gTM, ADF_gTM, NFC_gTM, UDP_gTM, "
                                       "Preis) VALUES (?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?)");
    Verbindung v;
    bool ok = RationAnlegen({}, zeilen) && DatenbankOeffnen(v, programm().futterDatenbank);
    for (const DBFutter& f : futter)
        ok = ok && AnweisungAusfuehren(v, sql, {qlonglong(f.id), QString::fromUtf8(f.name), f.art, f.tm, f.nel,
                                                f.nel / 0.6, f.xp, f.ca, f.p, f.ndf, f.adf, f.nfc, f.preis});
    return ok;
}

// A cow of 650 kg with 20 kg milk at 4 % fat: FCM 20, 17,88 kg TM max.
const TierEingaben Kuh{
    .gewicht = 650, .milch = 20, .fett = 4, .monat = 6, .milchpreis = {}, .letzterAusgleich = {}};

} // namespace

Q_DECLARE_METATYPE(QList<DBFutter>)
Q_DECLARE_METATYPE(QList<kelvora::test::TestRationsZeile>)

class OptimierungTest : public QObject {
    Q_OBJECT
private slots:
    void bekanntesOptimum_data();
    void bekanntesOptimum();
    void optimierteRationHaeltAlleGrenzen();
    void ablehnen_data();
    void ablehnen();
};

void OptimierungTest::bekanntesOptimum_data()
{
    QTest::addColumn<FutterListe>("futter");
    QTest::addColumn<OptimierungsZiele>("ziele");
    QTest::addColumn<Mengen>("mengen");  // kg FM of the free feeds

    // Without a requirement only the dry-matter floor binds: the cheaper feed
    // alone, 95 % of 20 kg DM = 19 kg DM = 38 kg FM.
    QTest::newRow("TM-Untergrenze bindet")
        << FutterListe{Grundfutter(0.10, 6), Grundfutter(0.20, 8)} << Ziele(20, 0) << Mengen{38, 0};
    // A fixed 10 kg FM (5 kg DM) leaves 14 kg DM to the free feed.
    QTest::newRow("feste Menge zählt mit")
        << FutterListe{Grundfutter(0.10, 6, false, 10), Grundfutter(0.20, 8)} << Ziele(20, 0) << Mengen{28};
    // 140 MJ in at most 20 kg DM: 6a + 8b = 140, a + b = 20 gives 10 kg DM
    // of each (cheaper than 19 kg DM with 13 kg of the dear feed).
    QTest::newRow("NEL und TM-Obergrenze binden")
        << FutterListe{Grundfutter(0.10, 6), Grundfutter(0.20, 8)} << Ziele(20, 140) << Mengen{20, 20};
}

void OptimierungTest::bekanntesOptimum()
{
    QFETCH(FutterListe, futter);
    QFETCH(OptimierungsZiele, ziele);
    QFETCH(Mengen, mengen);

    const OptimierungsLoesung l = OptimaleMengen(futter, ziele);
    QCOMPARE(l.status, OptimierungsStatus::Optimal);
    QCOMPARE(l.mengen.size(), mengen.size());
    // The limits keep a thousandth of a kg or MJ away from their bounds.
    for (qsizetype i = 0; i < mengen.size(); ++i)
        QVERIFY2(qAbs(l.mengen[i] - mengen[i]) < 0.02,
                 qPrintable(QStringLiteral("Futter %1: %2 statt %3").arg(i).arg(l.mengen[i]).arg(mengen[i])));
}

void OptimierungTest::optimierteRationHaeltAlleGrenzen()
{
    DatenbankUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(FutterAnlegen({Gras, Getreide, Mineral},
                          {{Gras.id, 0, 60, 0}, {Getreide.id, 0, 40, 0}, {Mineral.id, 0, 0, 0}}));

    QCOMPARE(RationOptimieren(Kuh, programm().futterDatenbank), OptimierungsErgebnis::Optimiert);
    QVERIFY2(u.ui.meldungen.isEmpty(), qPrintable(u.ui.Texte().join('\n')));

    // Every limit the window colours and the model optimises is green as
    // shown, with the rounding of the display, and nothing is under-supplied.
    const Auswertung a = RationAuswerten(Kuh, programm().futterDatenbank);
    for (const char* name : {"lblTMKiloAnzeige", "lblNFCKonzAnzeige", "lblNDFGrammAnzeige", "lblNDFKonzAnzeige",
                             "lblNDFGFKonzAnzeige", "lblADFKonzAnzeige", "lblKraftfutterProzentAnzeige"})
        QVERIFY2(a.AnzeigeNach(QString::fromLatin1(name))->hintergrund == Farbe::Gruen, name);
    QVERIFY(!a.AnzeigeNach(QStringLiteral("lblUnterversorgungRohprotein"))->text.startsWith("Unter"));
    QVERIFY(!a.AnzeigeNach(QStringLiteral("lblUnterversorgungNEL"))->text.startsWith("Unter"));
    QVERIFY(a.summen.trockenmasse >= 0.95 * 17.875);
    QVERIFY(a.summen.ca >= a.bedarf.ca && a.summen.p >= a.bedarf.p);
    // The mineral is needed for calcium; shares and kinds stay as they were.
    const QList<GespeicherteZeile> zeilen = RationLesen();
    QVERIFY(zeilen[2].frischMenge > 0);
    QCOMPARE(zeilen[0].anteil, 60.0);
    QCOMPARE(zeilen[2].fixeMenge, 0);
}

void OptimierungTest::ablehnen_data()
{
    QTest::addColumn<DBListe>("futter");
    QTest::addColumn<Ration>("ration");
    QTest::addColumn<QStringList>("teile");  // parts of the one message shown
    QTest::addColumn<QStringList>("nichtGenannt");

    QTest::newRow("NDF unter 28 %")
        << DBListe{Maisarm, Getreide} << Ration{{Maisarm.id, 5, 80, 0}, {Getreide.id, 3, 20, 0}}
        << QStringList{"Ohne die Grenze NDF mindestens 28 % wäre eine Ration möglich.", "Die Ration bleibt unverändert."}
        << QStringList{"ADF mindestens", "Kraftfutter-Anteil"};
    QTest::newRow("freie ohne Preis und mit Preis 0")
        << DBListe{Gras, OhnePreis, PreisNull}
        << Ration{{Gras.id, 0, 50, 0}, {OhnePreis.id, 2, 30, 0}, {PreisNull.id, 1, 20, 0}}
        << QStringList{"kein Preis eingetragen", "Heu ohne Preis", "Stroh Preis null"} << QStringList{"Grassilage Test"};
    QTest::newRow("feste Menge ohne Preis stört nicht, freies ohne TM schon")
        << DBListe{Gras, OhnePreis, OhneTM} << Ration{{Gras.id, 0, 50, 0}, {OhnePreis.id, 2, 0, 1}, {OhneTM.id, 0, 50, 0}}
        << QStringList{"keine Trockenmasse eingetragen", "Futter ohne TM"} << QStringList{"Heu ohne Preis"};
    QTest::newRow("kein freies Futtermittel") << DBListe{Gras} << Ration{{Gras.id, 30, 0, 1}}
                                              << QStringList{"kein Futtermittel frei"} << QStringList{};
}

void OptimierungTest::ablehnen()
{
    QFETCH(DBListe, futter);
    QFETCH(Ration, ration);
    DatenbankUmgebung u;
    QVERIFY(u.bereit && FutterAnlegen(futter, ration));
    const QStringList vorher = DatenbankInhalt(programm().futterDatenbank);

    QCOMPARE(RationOptimieren(Kuh, programm().futterDatenbank), OptimierungsErgebnis::Abgelehnt);
    QCOMPARE(u.ui.meldungen.size(), 1);
    const QString text = u.ui.meldungen[0].text;
    QFETCH(QStringList, teile);
    for (const QString& teil : teile)
        QVERIFY2(text.contains(teil), qPrintable(text));
    QFETCH(QStringList, nichtGenannt);
    for (const QString& teil : nichtGenannt)
        QVERIFY2(!text.contains(teil), qPrintable(text));
    QCOMPARE(DatenbankInhalt(programm().futterDatenbank), vorher);
}

KELVORA_TEST(OptimierungTest)
#include "tst_Optimierung.moc"
