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
Q_DECLARE_METATYPE(QList<kelvora::OptimierungsFutter>)
Q_DECLARE_METATYPE(kelvora::OptimierungsZiele)

namespace {

// A forage whose every mix meets all share limits (NDF 40 %, ADF 20 %,
// NFC 40 %) and whose protein and minerals cover a requirement of 0, so that
// only the dry matter and NEL decide.
OptimierungsFutter Grundfutter(double preisJeKgFM, double nel, bool frei = true, double menge = 0)
{
    OptimierungsFutter f;
    f.frei = frei;
    f.menge = menge;
    f.tm_g = 500;
    f.preisJeKgFM = preisJeKgFM;
    f.grundfutter = true;
    f.nel = nel;
    f.xp = 150;
    f.ca = 5;
    f.p = 4;
    f.ndf = 400;
    f.adf = 200;
    f.nfc = 400;
    return f;
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

const DBFutter Gras{9201, "Grassilage Test", 2, 350, 6.5, 160, 6, 4, 450, 280, 240, 8.0};
const DBFutter Getreide{9202, "Gerste Test", 6, 880, 8.5, 120, 1, 4, 200, 60, 600, 22.0};
const DBFutter Mineral{9203, "Mineralfutter Test", 13, 950, 0, 0, 200, 60, 0, 0, 0, 90.0};
// Low in fibre: with it alone NDF cannot reach 28 %, every other limit holds.
const DBFutter Maisarm{9204, "Silage faserarm", 3, 350, 7, 150, 6, 4, 250, 200, 400, 6.0};
const DBFutter OhnePreis{9205, "Heu ohne Preis", 4, 860, 5.2, 110, 5, 3, 600, 350, 150, QVariant()};
const DBFutter PreisNull{9206, "Stroh Preis null", 5, 860, 3.5, 40, 3, 1, 780, 480, 60, 0.0};
const DBFutter OhneTM{9207, "Futter ohne TM", 6, 0, 8, 100, 1, 3, 200, 60, 600, 20.0};

bool FutterAnlegen(const QList<DBFutter>& futter, const QList<TestRationsZeile>& zeilen)
{
    if (!RationAnlegen({}, zeilen))
        return false;
    Verbindung v;
    if (!DatenbankOeffnen(v, programm().futterDatenbank))
        return false;
    for (const DBFutter& f : futter) {
        if (!AnweisungAusfuehren(
                v,
                QStringLiteral("INSERT INTO Futtermittel (ID, Bezeichnung, FutterArt, FutterArtIOFC, TM_g, NEL_MJTM, "
                               "ME_MJTM, XP_gTM, Ca_gTM, P_gTM, NDF_gTM, ADF_gTM, NFC_gTM, UDP_gTM, Preis) "
                               "VALUES (?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?)"),
                {qlonglong(f.id), QString::fromUtf8(f.name), f.art, f.tm, f.nel, f.nel / 0.6, f.xp, f.ca, f.p, f.ndf,
                 f.adf, f.nfc, f.preis}))
            return false;
    }
    return true;
}

// A cow of 650 kg with 20 kg milk at 4 % fat: FCM 20, 17,88 kg TM max.
TierEingaben Kuh()
{
    TierEingaben t;
    t.gewicht = 650;
    t.milch = 20;
    t.fett = 4;
    t.monat = 6;
    return t;
}

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

    const TierEingaben kuh = Kuh();
    QCOMPARE(RationOptimieren(kuh, programm().futterDatenbank), OptimierungsErgebnis::Optimiert);
    QVERIFY2(u.ui.meldungen.isEmpty(), qPrintable(u.ui.Texte().join('\n')));
    const QList<GespeicherteZeile> erste = RationLesen();

    // Every limit the window colours and the model optimises is green as
    // shown, with the rounding of the display, and nothing is under-supplied.
    const Auswertung a = RationAuswerten(kuh, programm().futterDatenbank);
    for (const char* name : {"lblTMKiloAnzeige", "lblNFCKonzAnzeige", "lblNDFGrammAnzeige", "lblNDFKonzAnzeige",
                             "lblNDFGFKonzAnzeige", "lblADFKonzAnzeige", "lblKraftfutterProzentAnzeige"})
        QVERIFY2(a.AnzeigeNach(QString::fromLatin1(name))->hintergrund == Farbe::Gruen, name);
    QVERIFY(!a.AnzeigeNach(QStringLiteral("lblUnterversorgungRohprotein"))->text.startsWith("Unter"));
    QVERIFY(!a.AnzeigeNach(QStringLiteral("lblUnterversorgungNEL"))->text.startsWith("Unter"));
    QVERIFY(a.summen.trockenmasse >= 0.95 * 17.875);
    QVERIFY(a.summen.ca >= a.bedarf.ca && a.summen.p >= a.bedarf.p);
    // The mineral is needed for calcium; shares and kinds stay as they were.
    QVERIFY(erste[2].frischMenge > 0);
    QCOMPARE(erste[0].anteil, 60.0);
    QCOMPARE(erste[2].fixeMenge, 0);

    // A second run starts from the same fixed rows and finds the same amounts.
    QCOMPARE(RationOptimieren(kuh, programm().futterDatenbank), OptimierungsErgebnis::Optimiert);
    QCOMPARE(FrischMengen(), QList<double>({erste[0].frischMenge, erste[1].frischMenge, erste[2].frischMenge}));
}

void OptimierungTest::ablehnen_data()
{
    QTest::addColumn<QList<DBFutter>>("futter");
    QTest::addColumn<QList<TestRationsZeile>>("ration");
    QTest::addColumn<QStringList>("teile");  // parts of the one message shown
    QTest::addColumn<QStringList>("nichtGenannt");

    QTest::newRow("NDF unter 28 %")
        << QList<DBFutter>{Maisarm, Getreide} << QList<TestRationsZeile>{{Maisarm.id, 5, 80, 0}, {Getreide.id, 3, 20, 0}}
        << QStringList{"Ohne die Grenze NDF mindestens 28 % wäre eine Ration möglich.", "Die Ration bleibt unverändert."}
        << QStringList{"ADF mindestens", "Kraftfutter-Anteil"};
    QTest::newRow("freie ohne Preis und mit Preis 0")
        << QList<DBFutter>{Gras, OhnePreis, PreisNull}
        << QList<TestRationsZeile>{{Gras.id, 0, 50, 0}, {OhnePreis.id, 2, 30, 0}, {PreisNull.id, 1, 20, 0}}
        << QStringList{"kein Preis eingetragen", "Heu ohne Preis", "Stroh Preis null"}
        << QStringList{"Grassilage Test"};
    QTest::newRow("feste Menge ohne Preis stört nicht, freies ohne TM schon")
        << QList<DBFutter>{Gras, OhnePreis, OhneTM}
        << QList<TestRationsZeile>{{Gras.id, 0, 50, 0}, {OhnePreis.id, 2, 0, 1}, {OhneTM.id, 0, 50, 0}}
        << QStringList{"keine Trockenmasse eingetragen", "Futter ohne TM"} << QStringList{"Heu ohne Preis"};
    QTest::newRow("kein freies Futtermittel")
        << QList<DBFutter>{Gras} << QList<TestRationsZeile>{{Gras.id, 30, 0, 1}}
        << QStringList{"kein Futtermittel frei"} << QStringList{};
}

void OptimierungTest::ablehnen()
{
    QFETCH(QList<DBFutter>, futter);
    QFETCH(QList<TestRationsZeile>, ration);
    QFETCH(QStringList, teile);
    QFETCH(QStringList, nichtGenannt);

    DatenbankUmgebung u;
    QVERIFY(u.bereit && FutterAnlegen(futter, ration));
    const QStringList vorher = DatenbankInhalt(programm().futterDatenbank);

    QCOMPARE(RationOptimieren(Kuh(), programm().futterDatenbank), OptimierungsErgebnis::Abgelehnt);
    QCOMPARE(u.ui.meldungen.size(), 1);
    const QString text = u.ui.meldungen[0].text;
    for (const QString& teil : teile)
        QVERIFY2(text.contains(teil), qPrintable(text));
    for (const QString& teil : nichtGenannt)
        QVERIFY2(!text.contains(teil), qPrintable(text));
    QCOMPARE(DatenbankInhalt(programm().futterDatenbank), vorher);
}


KELVORA_TEST(OptimierungTest)
#include "tst_Optimierung.moc"
