#include "RationsTestdaten.h"
#include "TestRegister.h"
#include "database/DatenbankRoutinen.h"
#include "frame/Programm.h"
#include "ration/Ausgleich.h"
#include "ration/GanzeRation.h"
#include "ration/GespeicherteWerte.h"
#include "ration/Optimierung.h"
#include "ration/RationAuswerten.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

using Mengen = QList<double>;
using Ration = QList<TestRationsZeile>;
using FutterListe = QList<OptimierungsFutter>;
Q_DECLARE_METATYPE(QList<kelvora::test::TestRationsZeile>)
Q_DECLARE_METATYPE(kelvora::AusgleichErgebnis)
Q_DECLARE_METATYPE(QList<kelvora::OptimierungsFutter>)
Q_DECLARE_METATYPE(kelvora::OptimierungsZiele)
Q_DECLARE_METATYPE(kelvora::Grenze)

namespace {

const QString KeinFreies = QStringLiteral("Ausgleich ist nicht möglich, da alle Futtermittel der Ration eine feste");

// 9004 has no dry matter, 9005 no NDF, 9007 an NDF value no feed can have.
const QList<TestFutter> Futter = {{9001, 500, 500}, {9002, 250, 500}, {9003, 500, 300}, {9004, 0, 400},
                                  {9005, 250, 0},   {9006, 500, 500.5}, {9007, 500, -5}};

enum class Befehl { Umwandeln, Taste, Relais, Leeren };

// A forage whose every mix meets all share limits (NDF 40 %, ADF 20 %,
// NFC 40 %) and whose protein and minerals cover a requirement of 0, so that
// only the dry matter and NEL decide.
OptimierungsFutter Grundfutter(double preisJeKgFM, double nel, bool frei = true, double menge = 0)
{
    return {.name = QStringLiteral("Grundfutter"), .frei = frei, .menge = menge, .tm_g = 500, .preisJeKgFM = preisJeKgFM, .grundfutter = true,
            .nel = nel, .xp = 150, .ca = 5, .p = 4, .ndf = 400, .adf = 200, .nfc = 400, .nxp = {}, .rnb = {}};
}

// The forage with one value changed; a concentrate when not grundfutter.
OptimierungsFutter Abgewandelt(
    double preisJeKgFM, double OptimierungsFutter::*feld, double wert, bool grundfutter = true)
{
    OptimierungsFutter f = Grundfutter(preisJeKgFM, 6);
    f.*feld = wert;
    f.grundfutter = grundfutter;
    return f;
}

OptimierungsZiele Ziele(double tmMaxKg, double nel, double Bedarf::*feld = nullptr, double wert = 0)
{
    OptimierungsZiele z;
    z.tmMaxKg = tmMaxKg;
    z.bedarf.nel = nel;
    if (feld)
        z.bedarf.*feld = wert;
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
// A farm's ration: grass and maize silage, hay, two concentrates, a mineral,
// with table values that are no whole grams.
const DBFutter GrasB{9211, "Grassilage 1. Schnitt", 2, 352, 6.3, 158.6, 6.2, 3.8, 461.4, 287.5, 221.6, 4.0};
const DBFutter Mais{9212, "Maissilage", 3, 334, 6.62, 79.5, 2.2, 2.3, 398.5, 231.5, 421.5, 4.6};
const DBFutter Heu{9213, "Wiesenheu", 4, 862, 5.3, 110.5, 5.1, 2.8, 578.5, 351.5, 170.5, 14.0};
const DBFutter MLF{9214, "Milchleistungsfutter 18/3", 6, 880, 7.6, 204.5, 9.1, 5.6, 249.5, 121.5, 431.5, 31.0};
const DBFutter Soja{9215, "Sojaextraktionsschrot 44", 7, 878, 8.6, 508.5, 3.4, 7.1, 151.5, 91.5, 241.5, 46.0};
const DBFutter MineralB{9216, "Mineralfutter 20/6", 13, 950, 0, 0, 200, 60, 0, 0, 0, 95.0};

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
const TierEingaben Hochleistend{
    .gewicht = 650, .milch = 35, .fett = 4, .monat = 6, .milchpreis = {}, .letzterAusgleich = {}};

} // namespace

Q_DECLARE_METATYPE(Befehl)
Q_DECLARE_METATYPE(QList<DBFutter>)
Q_DECLARE_METATYPE(kelvora::TierEingaben)

// The balancings, the optimisation and the commands on the ration as a whole,
// on table Ration.
class AusgleichTest : public QObject {
    Q_OBJECT
private slots:
    void ausgleich_data();
    void ausgleich();
    void ganzeRation_data();
    void ganzeRation();
    void bekanntesOptimum_data();
    void bekanntesOptimum();
    void optimierteRationHaeltAlleGrenzen_data();
    void optimierteRationHaeltAlleGrenzen();
    void ablehnen_data();
    void ablehnen();
    void nachGfEOhneWerte();
    void gespeicherteWerte_data();
    void gespeicherteWerte();
    void reihenfolge();
};

void AusgleichTest::ausgleich_data()
{
    QTest::addColumn<Ration>("ration");
    QTest::addColumn<double>("tmMaxKg");
    QTest::addColumn<double>("ndfMax");  // 0: balancing by dry matter, else by NDF
    QTest::addColumn<Mengen>("mengen");  // fresh amounts afterwards, by row
    QTest::addColumn<AusgleichErgebnis>("ergebnis");
    QTest::addColumn<QString>("meldung");  // start of the message shown, "" for none

    const auto ja = AusgleichErgebnis::Abgeschlossen;
    const auto nein = AusgleichErgebnis::Abgebrochen;
    const QString nicht = QStringLiteral("Ausgleich ist nicht möglich, da ");
    const TestRationsZeile fix{9001, 30, 0, 1};  // 15 000 g dry matter

    QTest::newRow("ein freies nimmt den ganzen Rest") << Ration{fix, {9002, 0, 30, 0}} << 20.0 << 0.0 << Mengen{30, 20}
                                                      << ja << "";
    QTest::newRow("zwei freie 60/40") << Ration{fix, {9002, 0, 60, 0}, {9003, 0, 40, 0}} << 20.0 << 0.0
                                      << Mengen{30, 12, 4} << ja << "";
    QTest::newRow("Anteile 50/30 füllen 80 %") << Ration{fix, {9002, 0, 50, 0}, {9003, 0, 30, 0}} << 20.0 << 0.0
                                               << Mengen{30, 10, 3} << ja << "";
    QTest::newRow("Maximum gleich fixer TM") << Ration{fix, {9002, 7, 60, 0}, {9003, 2, 40, 0}} << 15.0 << 0.0
                                             << Mengen{30, 0, 0} << ja << "";
    QTest::newRow("leere Ration") << Ration{} << 20.0 << 0.0 << Mengen{} << nein << nicht + "die Ration noch kein";
    QTest::newRow("alle fixiert") << Ration{fix, {9002, 7, 0, 1}} << 20.0 << 0.0 << Mengen{30, 7} << nein << KeinFreies;
    // Above 50 kg fat-corrected milk the intake table has no maximum.
    QTest::newRow("kein Maximum bekannt") << Ration{fix, {9002, 7, 100, 0}} << 0.0 << 0.0 << Mengen{30, 7} << nein
                                          << nicht + "für diese Kuh keine maximale Trockenmasseaufnahme bekannt ist";
    QTest::newRow("fixe über dem Maximum") << Ration{fix, {9002, 7, 100, 0}} << 14.99 << 0.0 << Mengen{30, 7} << ja
                                           << nicht + "mit den fixierten Futtermitteln bereits die maximale TM-Menge";
    QTest::newRow("freies ohne Trockenmasse") << Ration{fix, {9002, 3, 50, 0}, {9004, 2, 50, 0}} << 20.0 << 0.0
                                              << Mengen{30, 3, 2} << nein
                                              << nicht + "beim Futtermittel \"Testfutter 9004\"";
    QTest::newRow("gespeicherter Anteil über 100")
        << Ration{fix, {9002, 3, 150, 0}} << 20.0 << 0.0 << Mengen{30, 3} << nein
        << "Beim Futtermittel \"Testfutter 9002\" ist der Anteil ungültig gespeichert (150). Erlaubt sind 0 bis 100";

    // NDF: 20 kg at 500 g DM and 500 g NDF = 5 000 g fixed NDF; the free
    // feed gets 8 kg DM (32 kg FM) = 4 000 g NDF; total 9 000 g.
    const TestRationsZeile fixNDF{9001, 20, 0, 1};
    const QString nichtNDF = QStringLiteral("Ausgleich nach NDF ist nicht möglich, da die ");
    QTest::newRow("NDF über dem Maximum: Faktor 0,75") << Ration{fixNDF, {9002, 0, 100, 0}} << 18.0 << 8000.0
                                                       << Mengen{20, 24} << ja << "";
    QTest::newRow("NDF unter dem Maximum: Faktor 1,25") << Ration{fixNDF, {9002, 0, 100, 0}} << 18.0 << 10000.0
                                                        << Mengen{20, 40} << ja << "";
    // 500,5 g NDF counts as 500 (halves to even), so the factor stays 0,75.
    QTest::newRow("NDF je kg TM ganzzahlig gerundet") << Ration{{9006, 20, 0, 1}, {9002, 0, 100, 0}} << 18.0 << 8000.0
                                                      << Mengen{20, 24} << ja << "";
    QTest::newRow("NDF: fixierte allein über dem Maximum") << Ration{fixNDF, {9002, 1, 100, 0}} << 18.0 << 4000.0
                                                           << Mengen{20, 1} << nein << nichtNDF + "fixierten Futtermittel";
    QTest::newRow("NDF: freie ohne NDF") << Ration{fixNDF, {9005, 1, 100, 0}} << 18.0 << 8000.0 << Mengen{20, 1} << nein
                                         << nichtNDF + "Futtermittel, die beim";
    QTest::newRow("NDF: gespeicherter NDF-Wert negativ")
        << Ration { fixNDF, { 9007, 1, 100, 0 } } << 18.0 << 8000.0 << Mengen { 20, 1 } << nein
        << "Beim Futtermittel \"Testfutter 9007\" ist das NDF (NDF_gTM) ungültig gespeichert (-5)";
    QTest::newRow("NDF: alle fixiert") << Ration{fixNDF} << 18.0 << 8000.0 << Mengen{20} << nein << KeinFreies;
}

void AusgleichTest::ausgleich()
{
    QFETCH(Ration, ration);
    QFETCH(double, tmMaxKg);
    QFETCH(double, ndfMax);
    QFETCH(Mengen, mengen);
    QFETCH(QString, meldung);
    DatenbankUmgebung u;
    QVERIFY(u.bereit && RationAnlegen(Futter, ration));

    QTEST(ndfMax > 0 ? NDFAusgleichen(tmMaxKg, ndfMax) : TMAusgleichen(tmMaxKg), "ergebnis");
    const QList<GespeicherteZeile> nachher = RationLesen();
    QCOMPARE(nachher.size(), mengen.size());
    for (qsizetype i = 0; i < mengen.size(); ++i) {
        QVERIFY2(qAbs(nachher[i].frischMenge - mengen[i]) < 1e-9,
                 qPrintable(QStringLiteral("Zeile %1: %2 statt %3").arg(i).arg(nachher[i].frischMenge).arg(mengen[i])));
        // Shares and fixed flags are never touched.
        QCOMPARE(nachher[i].anteil, ration[i].anteil);
        QCOMPARE(nachher[i].fixeMenge, ration[i].fixeMenge);
    }
    QCOMPARE(u.ui.Texte().size(), meldung.isEmpty() ? 0 : 1);
    if (!meldung.isEmpty())
        QVERIFY2(u.ui.meldungen[0].text.startsWith(meldung), qPrintable(u.ui.meldungen[0].text));
}

void AusgleichTest::ganzeRation_data()
{
    QTest::addColumn<Befehl>("befehl");
    QTest::addColumn<Ration>("ration");
    QTest::addColumn<QList<int>>("markiert");  // rows
    QTest::addColumn<bool>("ja");              // the answer, if asked
    QTest::addColumn<bool>("auswerten");       // what the command returns
    QTest::addColumn<QString>("meldung");      // start of the one message shown, "" for none
    QTest::addColumn<Ration>("nachher");       // the rows afterwards (FutterID not compared)

    // 3,5 kg and 4,5 kg dry matter: 43,75 % and 56,25 %.
    const Ration zweiFixe{{9001, 7, 0, 1}, {9003, 9, 0, 1}};
    const QList<int> erste{0}, zweite{1}, beide{0, 1};
    const QString taste = QStringLiteral("Soll das markierte Futtermittel wirklich aus dieser Ration gelöscht");
    const QString relais = QStringLiteral("Soll das markierte Futtermittel wirklich aus der Ration gelöscht");
    const QString leeren = QStringLiteral("Soll die angezeigte Ration wirklich gelöscht werden?");

    QTest::newRow("umwandeln") << Befehl::Umwandeln << zweiFixe << beide << true << true << ""
                               << Ration{{0, 0, 43.75, 0}, {0, 0, 56.25, 0}};
    QTest::newRow("umwandeln, ein fixes bleibt") << Befehl::Umwandeln << zweiFixe << zweite << true << true << ""
                                                 << Ration{{0, 7, 0, 1}, {0, 0, 100, 0}};
    QTest::newRow("umwandeln, markiertes ohne Menge")
        << Befehl::Umwandeln << Ration{{9001, 7, 0, 1}, {9003, 0, 0, 1}} << beide << true << false
        << "Eines der markierten Futtermittel hat keine Menge" << Ration{{0, 7, 0, 1}, {0, 0, 0, 1}};
    QTest::newRow("umwandeln, unmarkiertes freies")
        << Befehl::Umwandeln << Ration{{9001, 7, 0, 1}, {9003, 0, 100, 0}} << erste << true << false
        << "Eines der nicht markierten Futtermittel ist bereits als vaiabel markiert" << Ration{{0, 7, 0, 1}, {0, 0, 100, 0}};
    QTest::newRow("umwandeln ohne Trockenmasse") << Befehl::Umwandeln << Ration{{9004, 10, 0, 1}} << erste << true
                                                 << false << "Die markierten Futtermittel enthalten keine Trockenmasse"
                                                 << Ration{{0, 10, 0, 1}};

    QTest::newRow("Taste, ja") << Befehl::Taste << zweiFixe << zweite << true << true << taste << Ration{{0, 7, 0, 1}};
    QTest::newRow("Taste, nein") << Befehl::Taste << zweiFixe << zweite << false << false << taste << zweiFixe;
    QTest::newRow("Taste, zwei markiert") << Befehl::Taste << zweiFixe << beide << true << false << "" << zweiFixe;
    QTest::newRow("Relais, ja") << Befehl::Relais << zweiFixe << erste << true << true << relais << Ration{{0, 9, 0, 1}};
    // The relay has the window evaluate after No as well.
    QTest::newRow("Relais, nein") << Befehl::Relais << zweiFixe << erste << false << true << relais << zweiFixe;
    QTest::newRow("leeren, ja") << Befehl::Leeren << zweiFixe << QList<int>{} << true << true << leeren << Ration{};
    QTest::newRow("leeren, nein") << Befehl::Leeren << zweiFixe << QList<int>{} << false << false << leeren << zweiFixe;
}

void AusgleichTest::ganzeRation()
{
    QFETCH(Befehl, befehl);
    QFETCH(QList<int>, markiert);
    QFETCH(QString, meldung);
    QFETCH(Ration, nachher);
    DatenbankUmgebung u;
    QFETCH(Ration, ration);
    QVERIFY(u.bereit && RationAnlegen(Futter, ration));
    // The lines of the list: one per row, then a summary line without a row.
    QList<ListenMarkierung> zeilen;
    for (const GespeicherteZeile& z : RationLesen())
        zeilen.append({z.id, markiert.contains(int(zeilen.size()))});
    zeilen.append({0, false});
    QFETCH(bool, ja);
    u.ui.Antworten(ja ? Antwort::Ja : Antwort::Nein);

    const bool auswerten = befehl == Befehl::Umwandeln ? InVariableUmwandeln(zeilen)
                           : befehl == Befehl::Taste   ? FutterEntfernenPerTaste(zeilen)
                           : befehl == Befehl::Relais  ? FutterEntfernenPerRelais(zeilen)
                                                       : RationLeeren();
    QTEST(auswerten, "auswerten");
    QCOMPARE(u.ui.meldungen.size(), meldung.isEmpty() ? 0 : 1);
    if (!meldung.isEmpty()) {
        const GezeigteMeldung& m = u.ui.meldungen[0];
        QVERIFY2(m.text.startsWith(meldung), qPrintable(m.text));
        // Refusals are errors; a question defaults to No: an Enter too many deletes nothing.
        QCOMPARE(m.symbol, befehl == Befehl::Umwandeln ? Symbol::Kritisch : Symbol::Frage);
        if (m.symbol == Symbol::Frage)
            QCOMPARE(m.standard, Antwort::Nein);
    }
    const QList<GespeicherteZeile> gespeichert = RationLesen();
    QCOMPARE(gespeichert.size(), nachher.size());
    for (qsizetype i = 0; i < nachher.size(); ++i) {
        QCOMPARE(gespeichert[i].frischMenge, nachher[i].frischMenge);
        QCOMPARE(gespeichert[i].anteil, nachher[i].anteil);
        QCOMPARE(gespeichert[i].fixeMenge, nachher[i].fixeMenge);
    }
}

void AusgleichTest::bekanntesOptimum_data()
{
    QTest::addColumn<FutterListe>("futter");
    QTest::addColumn<OptimierungsZiele>("ziele");
    QTest::addColumn<Mengen>("mengen");  // kg FM of the free feeds
    QTest::addColumn<Grenze>("grenze"); // a limit that binds: the optimum lies on it
    QTest::addColumn<double>("wert"); // the limit's figure there

    // Without a requirement only the dry-matter floor binds: the cheaper feed
    // alone, 95 % of 20 kg DM = 19 kg DM = 38 kg FM.
    const FutterListe zwei { Grundfutter(0.10, 6), Grundfutter(0.20, 8) };
    QTest::newRow("TM-Untergrenze") << zwei << Ziele(20, 0) << Mengen { 38, 0 } << Grenze::TMMindestens << 19.0;
    // A fixed 10 kg FM (5 kg DM) leaves 14 kg DM to the free feed.
    QTest::newRow("feste Menge zählt mit") << FutterListe { Grundfutter(0.10, 6, false, 10), Grundfutter(0.20, 8) }
                                           << Ziele(20, 0) << Mengen { 28 } << Grenze::TMMindestens << 19.0;
    // 140 MJ in at most 20 kg DM: 6a + 8b = 140, a + b = 20 gives 10 kg DM
    // of each (cheaper than 19 kg DM with 13 kg of the dear feed).
    QTest::newRow("NEL") << zwei << Ziele(20, 140) << Mengen { 20, 20 } << Grenze::NEL << 140.0;
    QTest::newRow("TM-Obergrenze") << zwei << Ziele(20, 140) << Mengen { 20, 20 } << Grenze::TMHoechstens << 20.0;

    // Each further limit against a cheap feed that breaks it and the dearer
    // forage that keeps every limit: the optimum takes as much of the cheap
    // one as the limit allows. The forage gives 150 g XP, 5 g Ca, 4 g P,
    // 400 g NDF, 200 g ADF, 400 g NFC per kg DM.
    using F = OptimierungsFutter;
    const F gf = Grundfutter(0.10, 6);
    // Protein is cheaper from the forage per gram, but 20 kg DM hold only 3 000 g.
    QTest::newRow("Rohprotein") << FutterListe { gf, Abgewandelt(0.30, &F::xp, 400) }
                                << Ziele(20, 0, &Bedarf::rohprotein, 3500) << Mengen { 36, 4 } << Grenze::Rohprotein
                                << 3500.0;
    QTest::newRow("Calzium") << FutterListe { gf, Abgewandelt(1.0, &F::ca, 200) } << Ziele(20, 0, &Bedarf::ca, 120)
                             << Mengen { 37.74, 0.26 } << Grenze::Calzium << 120.0;
    QTest::newRow("Phosphor") << FutterListe { gf, Abgewandelt(1.0, &F::p, 100) } << Ziele(20, 0, &Bedarf::p, 100)
                              << Mengen { 37.5, 0.5 } << Grenze::Phosphor << 100.0;
    QTest::newRow("NDF mindestens") << FutterListe { gf, Abgewandelt(0.05, &F::ndf, 200) } << Ziele(20, 0)
                                    << Mengen { 15.2, 22.8 } << Grenze::NDFMindestens << 280.0;
    OptimierungsZiele ndfMax = Ziele(20, 0);
    ndfMax.ndfMaxGramm = 7000;
    QTest::newRow("NDF höchstens") << FutterListe { gf, Abgewandelt(0.30, &F::ndf, 200) } << ndfMax << Mengen { 32, 6 }
                                   << Grenze::NDFHoechstens << 7000.0;
    QTest::newRow("NDF aus Grundfutter") << FutterListe { gf, Abgewandelt(0.05, &F::ndf, 400, false) } << Ziele(20, 0)
                                         << Mengen { 28.5, 9.5 } << Grenze::GrundfutterNDF << 0.75;
    // Half concentrate meets every other limit: NDF 35 %, 86 % of it from forage.
    QTest::newRow("Kraftfutter") << FutterListe { Abgewandelt(0.10, &F::ndf, 600),
        Abgewandelt(0.05, &F::ndf, 100, false) }
                                 << Ziele(20, 0) << Mengen { 19, 19 } << Grenze::Kraftfutter << 0.5;
    QTest::newRow("ADF") << FutterListe { gf, Abgewandelt(0.05, &F::adf, 100) } << Ziele(20, 0) << Mengen { 30.4, 7.6 }
                         << Grenze::ADF << 180.0;
    QTest::newRow("NFC mindestens") << FutterListe { gf, Abgewandelt(0.05, &F::nfc, 300) } << Ziele(20, 0)
                                    << Mengen { 19, 19 } << Grenze::NFCMindestens << 350.0;
    QTest::newRow("NFC höchstens") << FutterListe { gf, Abgewandelt(0.05, &F::nfc, 500) } << Ziele(20, 0)
                                   << Mengen { 26.6, 11.4 } << Grenze::NFCHoechstens << 430.0;

    // "nach GfE": 19 kg DM at least; the cheap forage has 100 g nXP, the dear
    // one 300 g: 16 + 3 kg DM give the 2500 g required.
    const auto gfe = [](double preis, double nxp, double rnb) {
        OptimierungsFutter f = Grundfutter(preis, 6);
        f.nxp = nxp;
        f.rnb = rnb;
        return f;
    };
    OptimierungsZiele nachGfE = Ziele(20, 0);
    nachGfE.nXPBedarf = 2500;
    QTest::newRow("nXP") << FutterListe { gfe(0.10, 100, 0), gfe(0.20, 300, 0) } << nachGfE << Mengen { 32, 6 }
                         << Grenze::nXP << 2500.0;
    // RNB 10 g per kg DM in the cheap one: at most 5 kg DM of it.
    nachGfE.nXPBedarf = 0;
    QTest::newRow("RNB höchstens") << FutterListe { gfe(0.10, 100, 10), gfe(0.20, 100, 0) } << nachGfE
                                   << Mengen { 10, 28 } << Grenze::RNBHoechstens << 50.0;
}

void AusgleichTest::bekanntesOptimum()
{
    QFETCH(FutterListe, futter);
    QFETCH(OptimierungsZiele, ziele);
    QFETCH(Mengen, mengen);
    QFETCH(Grenze, grenze);
    QFETCH(double, wert);

    const OptimierungsLoesung l = OptimaleMengen(futter, ziele);
    QCOMPARE(l.status, OptimierungsStatus::Optimal);
    QCOMPARE(l.mengen.size(), mengen.size());
    // The limits keep a thousandth of a kg or MJ and a gram per row away
    // from their bounds.
    for (qsizetype i = 0; i < mengen.size(); ++i)
        QVERIFY2(qAbs(l.mengen[i] - mengen[i]) < 0.05,
            qPrintable(QStringLiteral("Futter %1: %2 statt %3").arg(i).arg(l.mengen[i]).arg(mengen[i])));
    double tm = 0, nel = 0, xp = 0, ca = 0, p = 0, ndf = 0, adf = 0, nfc = 0, gfNDF = 0, kfTM = 0, nxp = 0, rnb = 0;
    qsizetype j = 0;
    for (const OptimierungsFutter& f : futter) {
        const double kgTM = (f.frei ? l.mengen[j++] : f.menge) * f.tm_g / 1000;
        tm += kgTM;
        nel += kgTM * f.nel;
        xp += kgTM * f.xp;
        ca += kgTM * f.ca;
        p += kgTM * f.p;
        ndf += kgTM * f.ndf;
        adf += kgTM * f.adf;
        nfc += kgTM * f.nfc;
        (f.grundfutter ? gfNDF : kfTM) += f.grundfutter ? kgTM * f.ndf : kgTM;
        nxp += kgTM * f.nxp.value_or(0);
        rnb += kgTM * f.rnb.value_or(0);
    }
    const double figur[GrenzenAnzahl]
        = { tm, tm, nel, xp, ca, p, ndf / tm, ndf, gfNDF / ndf, adf / tm, nfc / tm, nfc / tm, kfTM / tm, nxp, rnb, rnb };
    const double ist = figur[static_cast<int>(grenze)];
    QVERIFY2(qAbs(ist - wert) <= 1e-3 * wert, qPrintable(QStringLiteral("%1 statt %2").arg(ist).arg(wert)));
}

void AusgleichTest::optimierteRationHaeltAlleGrenzen_data()
{
    QTest::addColumn<DBListe>("futter");
    QTest::addColumn<Ration>("ration");
    QTest::addColumn<TierEingaben>("kuh");

    QTest::newRow("Silage, Gerste, Mineral")
        << DBListe{Gras, Getreide, Mineral} << Ration{{Gras.id, 0, 60, 0}, {Getreide.id, 0, 40, 0}, {Mineral.id, 0, 0, 0}}
        << Kuh;
    const DBListe betrieb{GrasB, Mais, Heu, MLF, Soja, MineralB};
    QTest::newRow("sechs frei, 35 kg Milch")
        << betrieb
        << Ration{{GrasB.id, 0, 30, 0}, {Mais.id, 0, 30, 0}, {Heu.id, 0, 10, 0}, {MLF.id, 0, 20, 0},
                  {Soja.id, 0, 9, 0}, {MineralB.id, 0, 1, 0}}
        << Hochleistend;
    QTest::newRow("Heu fest, 35 kg Milch")
        << betrieb
        << Ration{{GrasB.id, 0, 40, 0}, {Mais.id, 0, 40, 0}, {Heu.id, 2, 0, 1}, {MLF.id, 0, 15, 0},
                  {Soja.id, 0, 5, 0}, {MineralB.id, 0.2, 0, 1}}
        << Hochleistend;
    // The forage fixed: the few free kilograms of concentrate and mineral
    // carry every distance to the limits.
    QTest::newRow("Grundfutter fest")
        << betrieb
        << Ration{{GrasB.id, 14, 0, 1}, {Mais.id, 24, 0, 1}, {Heu.id, 1, 0, 1}, {MLF.id, 0, 60, 0},
                  {Soja.id, 0, 35, 0}, {MineralB.id, 0, 5, 0}}
        << Hochleistend;
    QTest::newRow("sechs frei, 20 kg Milch")
        << betrieb
        << Ration{{GrasB.id, 0, 30, 0}, {Mais.id, 0, 30, 0}, {Heu.id, 0, 10, 0}, {MLF.id, 0, 20, 0},
                  {Soja.id, 0, 9, 0}, {MineralB.id, 0, 1, 0}}
        << Kuh;
}

void AusgleichTest::optimierteRationHaeltAlleGrenzen()
{
    QFETCH(DBListe, futter);
    QFETCH(Ration, ration);
    QFETCH(TierEingaben, kuh);
    DatenbankUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(FutterAnlegen(futter, ration));

    // The cost of the exact optimum, without any distance to the limits.
    QList<OptimierungsFutter> modell;
    {
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
        modell = OptimierungsFutterLesen(v, GespeicherteRationPruefen(v).zeilen);
    }
    const OptimierungsLoesung exakt = OptimaleMengen(modell, OptimierungsZieleFuer(kuh), {}, false);
    QVERIFY2(exakt.status == OptimierungsStatus::Optimal,
             qPrintable(KonfliktBeschreiben(modell, OptimierungsZieleFuer(kuh)).join(QLatin1Char('\n'))));

    QCOMPARE(RationOptimieren(kuh, programm().futterDatenbank), OptimierungsErgebnis::Optimiert);
    QVERIFY2(u.ui.meldungen.isEmpty(), qPrintable(u.ui.Texte().join('\n')));

    // Every limit the window colours and the model optimises is green as
    // shown, with the rounding of the display, and nothing is under-supplied.
    const Auswertung a = RationAuswerten(kuh, programm().futterDatenbank);
    for (const char* name : {"lblTMKiloAnzeige", "lblNFCKonzAnzeige", "lblNDFGrammAnzeige", "lblNDFKonzAnzeige",
                             "lblNDFGFKonzAnzeige", "lblADFKonzAnzeige", "lblKraftfutterProzentAnzeige"})
        QVERIFY2(a.AnzeigeNach(QString::fromLatin1(name))->hintergrund == Farbe::Gruen, name);
    QVERIFY(!a.AnzeigeNach(QStringLiteral("lblUnterversorgungRohprotein"))->text.startsWith("Unter"));
    QVERIFY(!a.AnzeigeNach(QStringLiteral("lblUnterversorgungNEL"))->text.startsWith("Unter"));
    QVERIFY(a.summen.trockenmasse >= 0.95 * OptimierungsZieleFuer(kuh).tmMaxKg);
    QVERIFY(a.summen.ca >= a.bedarf.ca && a.summen.p >= a.bedarf.p);

    // The distances cost next to nothing: within half a per cent of the exact optimum.
    double kosten = 0;
    const QList<GespeicherteZeile> zeilen = RationLesen();
    for (qsizetype i = 0; i < zeilen.size(); ++i)
        if (zeilen[i].fixeMenge == 0)
            kosten += zeilen[i].frischMenge * futter[i].preis.toDouble() / 100;
    QVERIFY2(kosten <= exakt.kostenFrei * 1.005,
             qPrintable(QStringLiteral("%1 € statt %2 €").arg(kosten).arg(exakt.kostenFrei)));
    // Shares and kinds stay as they were.
    QCOMPARE(zeilen[0].anteil, ration[0].anteil);
    QCOMPARE(zeilen[0].fixeMenge, ration[0].fixeMenge);
}

// "nach GfE" refuses a free feed without nXP or RNB by name; a mineral
// (without protein and energy) has its real 0.
void AusgleichTest::nachGfEOhneWerte()
{
    DatenbankUmgebung u;
    QVERIFY(u.bereit && FutterAnlegen({Gras, Mineral}, {{Gras.id, 0, 95, 0}, {Mineral.id, 0, 5, 0}}));
    const QStringList vorher = DatenbankInhalt(programm().futterDatenbank);
    QCOMPARE(RationOptimieren(Kuh, programm().futterDatenbank, true), OptimierungsErgebnis::Abgelehnt);
    QCOMPARE(u.ui.meldungen.size(), 1);
    const QString text = u.ui.meldungen[0].text;
    QVERIFY2(text.contains(QStringLiteral("fehlt nXP oder RNB")) && text.contains(QStringLiteral("Grassilage Test"))
                 && !text.contains(QStringLiteral("Mineralfutter Test")),
             qPrintable(text));
    QCOMPARE(DatenbankInhalt(programm().futterDatenbank), vorher);
}

void AusgleichTest::ablehnen_data()
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

void AusgleichTest::ablehnen()
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

void AusgleichTest::gespeicherteWerte_data()
{
    QTest::addColumn<QString>("tabelle");
    QTest::addColumn<QString>("spalte");
    QTest::addColumn<QVariant>("wert"); // stored in the grass silage's row as it stands
    QTest::addColumn<QString>("gezeigt"); // how the message quotes it

    const QStringList ration { "FutterID", "FutterFrischMenge", "ProzentAnteil", "FixeMenge" };
    const QStringList futter { "FutterArt", "TM_g", "XP_gTM", "UDP_gTM", "NEL_MJTM", "ME_MJTM", "NDF_gTM", "ADF_gTM",
        "NFC_gTM", "Ca_gTM", "P_gTM", "Preis" };
    for (const QString& spalte : ration + futter) {
        const QString tabelle = ration.contains(spalte) ? "Ration" : "Futtermittel";
        QTest::addRow("%s negativ", qPrintable(spalte)) << tabelle << spalte << QVariant(-5.0) << "-5";
        // SQLite keeps a text that is no number as text in a number column.
        QTest::addRow("%s Text", qPrintable(spalte))
            << tabelle << spalte << QVariant(QStringLiteral("zwölf")) << "\"zwölf\" ist keine Zahl";
    }
    QTest::newRow("TM über 1000") << "Futtermittel"
                                  << "TM_g" << QVariant(1200.0) << "1200";
    QTest::newRow("NEL über 30") << "Futtermittel"
                                 << "NEL_MJTM" << QVariant(30.5) << "30,5";
    QTest::newRow("Menge 1e308") << "Ration"
                                 << "FutterFrischMenge" << QVariant(1e308) << "1e+308";
}

// An unusable stored value stops the evaluation, both balancings and the
// least-cost ration with the same message, before anything is written.
void AusgleichTest::gespeicherteWerte()
{
    QFETCH(QString, tabelle);
    QFETCH(QString, spalte);
    QFETCH(QVariant, wert);
    QFETCH(QString, gezeigt);
    DatenbankUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(FutterAnlegen(
        { Gras, Getreide, Mineral }, { { Gras.id, 0, 60, 0 }, { Getreide.id, 0, 40, 0 }, { Mineral.id, 0, 0, 0 } }));
    {
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
        QVERIFY(AnweisungAusfuehren(v,
            QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = 9201")
                .arg(tabelle, spalte, tabelle == "Ration" ? "FutterID" : "ID"),
            { wert }));
    }
    QFile mdb(programm().futterDatenbank);
    QVERIFY(mdb.open(QIODevice::ReadOnly));
    const QByteArray vorher = mdb.readAll();

    const Auswertung a = RationAuswerten(Kuh, programm().futterDatenbank);
    QVERIFY(a.abgebrochen);
    QCOMPARE(std::count_if(a.zeilen.cbegin(), a.zeilen.cend(), [](const ListenZeile& z) { return z.fehler; }), 1);
    QCOMPARE(TMAusgleichen(17.88), AusgleichErgebnis::Abgebrochen);
    QCOMPARE(NDFAusgleichen(17.88, 8125), AusgleichErgebnis::Abgebrochen);
    QCOMPARE(RationOptimieren(Kuh, programm().futterDatenbank), OptimierungsErgebnis::Abgelehnt);

    const QString name = spalte == "FutterID" ? "Nr. " + wert.toString() : QString::fromUtf8(Gras.name);
    QCOMPARE(u.ui.meldungen.size(), 4);
    for (const GezeigteMeldung& m : u.ui.meldungen)
        QVERIFY2(m.text.startsWith("Beim Futtermittel \"" + name + "\" ist ")
                && m.text.contains(" ungültig gespeichert (" + gezeigt + "). Erlaubt sind "),
            qPrintable(m.text));
    mdb.seek(0);
    QVERIFY(mdb.readAll() == vorher);
}

// The rows are listed by feed number, whatever order they were stored in;
// a row whose feed number is a text comes last.
void AusgleichTest::reihenfolge()
{
    DatenbankUmgebung u;
    QVERIFY(u.bereit
        && FutterAnlegen({ Gras, Getreide, Mineral },
            { { Mineral.id, 0.2, 0, 1 }, { Gras.id, 30, 0, 1 }, { Getreide.id, 5, 0, 1 } }));
    QStringList namen;
    for (const ListenZeile& z : RationAuswerten(Kuh, programm().futterDatenbank).zeilen) {
        if (z.art == ZeilenArt::Futter)
            namen << z.texte[1];
    }
    QCOMPARE(namen, (QStringList { Gras.name, Getreide.name, Mineral.name }));

    {
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
        QVERIFY(AnweisungAusfuehren(v, "UPDATE Ration SET FutterID = 'x' WHERE FutterID = ?", { qlonglong(Gras.id) }));
    }
    const GespeicherteRation g = [] {
        Verbindung v;
        return DatenbankOeffnen(v, programm().futterDatenbank) ? GespeicherteRationPruefen(v) : GespeicherteRation();
    }();
    QVERIFY(g.gelesen);
    QCOMPARE(g.futterNamen, (QStringList { Getreide.name, Mineral.name, QString() }));
    QCOMPARE(g.fehlerZeile, 2);
}

KELVORA_TEST(AusgleichTest)
#include "tst_Ausgleich.moc"
