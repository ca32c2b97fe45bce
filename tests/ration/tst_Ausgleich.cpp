#include "RationsTestdaten.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "ration/Ausgleich.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

using Mengen = QList<double>;
Q_DECLARE_METATYPE(QList<kelvora::test::TestFutter>)
Q_DECLARE_METATYPE(QList<kelvora::test::TestRationsZeile>)
Q_DECLARE_METATYPE(kelvora::AusgleichErgebnis)

namespace {
const QString KeinFreies = QStringLiteral(
    "Ausgleich ist nicht möglich, da alle Futtermittel der Ration eine feste Menge in kg haben, die beim Ausgleich "
    "nicht verändert wird. Sie müssen ein Futtermittel für den Ausgleich freigeben: Geben Sie bei ihm statt der "
    "Menge einen Anteil in % des frei aufnehmbaren Futters ein, oder markieren Sie es in der Liste und wählen Sie "
    "mit der rechten Maustaste \"in variable Mengen umwandeln\"!");
const QString Ueberschritten = QStringLiteral(
    "Ausgleich ist nicht möglich, da mit den fixierten Futtermitteln bereits die maximale TM-Menge überschritten "
    "wird!");
} // namespace

class AusgleichTest : public QObject {
    Q_OBJECT
private slots:
    void ausgleich_data();
    void ausgleich();
};

void AusgleichTest::ausgleich_data()
{
    QTest::addColumn<bool>("nachNDF");
    QTest::addColumn<QList<TestFutter>>("futter");
    QTest::addColumn<QList<TestRationsZeile>>("ration");
    QTest::addColumn<double>("tmMaxKg");
    QTest::addColumn<double>("ndfMax");
    QTest::addColumn<Mengen>("mengen");  // fresh amounts afterwards, by row
    QTest::addColumn<AusgleichErgebnis>("ergebnis");
    QTest::addColumn<QString>("meldung");  // start of the message shown, "" for none

    const auto ja = AusgleichErgebnis::Abgeschlossen;
    const auto nein = AusgleichErgebnis::Abgebrochen;
    // 30 kg at 500 g DM: 15 000 g fixed dry matter.
    const QList<TestFutter> f = {{9001, 500, 500}, {9002, 250, 500}, {9003, 500, 300}, {9004, 0, 400},
                                 {9005, 250, 0}, {9006, 500, 500.5}};
    const TestRationsZeile fix15000{9001, 30, 0, 1};

    QTest::newRow("ein freies nimmt den ganzen Rest")
        << false << f << QList<TestRationsZeile>{fix15000, {9002, 0, 30, 0}} << 20.0 << 0.0 << Mengen{30, 20} << ja
        << "";
    QTest::newRow("zwei freie 60/40")
        << false << f << QList<TestRationsZeile>{fix15000, {9002, 0, 60, 0}, {9003, 0, 40, 0}} << 20.0 << 0.0
        << Mengen{30, 12, 4} << ja << "";
    QTest::newRow("Anteile 50/30 füllen 80 %")
        << false << f << QList<TestRationsZeile>{fix15000, {9002, 0, 50, 0}, {9003, 0, 30, 0}} << 20.0 << 0.0
        << Mengen{30, 10, 3} << ja << "";
    QTest::newRow("Maximum gleich fixer TM")
        << false << f << QList<TestRationsZeile>{fix15000, {9002, 7, 60, 0}, {9003, 2, 40, 0}} << 15.0 << 0.0
        << Mengen{30, 0, 0} << ja << "";
    QTest::newRow("alle fixiert") << false << f << QList<TestRationsZeile>{fix15000, {9002, 7, 0, 1}} << 20.0 << 0.0
                                  << Mengen{30, 7} << nein << KeinFreies;
    // Above 50 kg fat-corrected milk the intake table has no maximum.
    QTest::newRow("kein Maximum bekannt")
        << false << f << QList<TestRationsZeile>{fix15000, {9002, 7, 100, 0}} << 0.0 << 0.0 << Mengen{30, 7} << nein
        << "Ausgleich ist nicht möglich, da für diese Kuh keine maximale Trockenmasseaufnahme bekannt ist";
    QTest::newRow("fixe über dem Maximum")
        << false << f << QList<TestRationsZeile>{fix15000, {9002, 7, 100, 0}} << 14.99 << 0.0 << Mengen{30, 7} << ja
        << Ueberschritten;
    QTest::newRow("freies ohne Trockenmasse")
        << false << f << QList<TestRationsZeile>{fix15000, {9002, 3, 50, 0}, {9004, 2, 50, 0}} << 20.0 << 0.0
        << Mengen{30, 3, 2} << nein << "Ausgleich ist nicht möglich, da beim Futtermittel \"Testfutter 9004\"";

    // NDF: 20 kg at 500 g DM and 500 g NDF = 5 000 g fixed NDF; the free
    // feed gets 8 kg DM (32 kg FM) = 4 000 g NDF; total 9 000 g.
    const TestRationsZeile fixNDF{9001, 20, 0, 1};
    QTest::newRow("NDF über dem Maximum: Faktor 0,75")
        << true << f << QList<TestRationsZeile>{fixNDF, {9002, 0, 100, 0}} << 18.0 << 8000.0 << Mengen{20, 24} << ja
        << "";
    QTest::newRow("NDF unter dem Maximum: Faktor 1,25")
        << true << f << QList<TestRationsZeile>{fixNDF, {9002, 0, 100, 0}} << 18.0 << 10000.0 << Mengen{20, 40} << ja
        << "";
    // 500,5 g NDF counts as 500 (halves to even), so the factor stays 0,75.
    QTest::newRow("NDF je kg TM ganzzahlig gerundet")
        << true << f << QList<TestRationsZeile>{{9006, 20, 0, 1}, {9002, 0, 100, 0}} << 18.0 << 8000.0
        << Mengen{20, 24} << ja << "";
    QTest::newRow("NDF: fixierte allein über dem Maximum")
        << true << f << QList<TestRationsZeile>{fixNDF, {9002, 1, 100, 0}} << 18.0 << 4000.0 << Mengen{20, 1} << nein
        << "Ausgleich nach NDF ist nicht möglich, da die fixierten Futtermittel";
    QTest::newRow("NDF: freie ohne NDF")
        << true << f << QList<TestRationsZeile>{fixNDF, {9005, 1, 100, 0}} << 18.0 << 8000.0 << Mengen{20, 1} << nein
        << "Ausgleich nach NDF ist nicht möglich, da die Futtermittel, die beim Ausgleich";
    QTest::newRow("NDF: alle fixiert") << true << f << QList<TestRationsZeile>{fixNDF} << 18.0 << 8000.0
                                       << Mengen{20} << nein << KeinFreies;
}

void AusgleichTest::ausgleich()
{
    QFETCH(bool, nachNDF);
    QFETCH(QList<TestFutter>, futter);
    QFETCH(QList<TestRationsZeile>, ration);
    QFETCH(double, tmMaxKg);
    QFETCH(double, ndfMax);
    QFETCH(Mengen, mengen);
    QFETCH(AusgleichErgebnis, ergebnis);
    QFETCH(QString, meldung);

    TestOberflaeche ui;
    TestDatenordner ordner;
    QVERIFY(!TestDatenbankAnlegen().isEmpty());
    QVERIFY(RationAnlegen(futter, ration));

    const AusgleichErgebnis e = nachNDF ? NDFAusgleichen(tmMaxKg, ndfMax) : TMAusgleichen(tmMaxKg);
    QCOMPARE(e, ergebnis);
    const QList<GespeicherteZeile> nachher = RationLesen();
    QCOMPARE(nachher.size(), mengen.size());
    for (qsizetype i = 0; i < mengen.size(); ++i) {
        QVERIFY2(qAbs(nachher[i].frischMenge - mengen[i]) < 1e-9,
                 qPrintable(QStringLiteral("Zeile %1: %2 statt %3").arg(i).arg(nachher[i].frischMenge).arg(mengen[i])));
        // Shares and fixed flags are never touched.
        QCOMPARE(nachher[i].anteil, ration[i].anteil);
        QCOMPARE(nachher[i].fixeMenge, ration[i].fixeMenge);
    }
    if (meldung.isEmpty()) {
        QVERIFY2(ui.meldungen.isEmpty(), qPrintable(ui.Texte().join('\n')));
    } else {
        QCOMPARE(ui.meldungen.size(), 1);
        QVERIFY2(ui.meldungen[0].text.startsWith(meldung), qPrintable(ui.meldungen[0].text));
    }
}

KELVORA_TEST(AusgleichTest)
#include "tst_Ausgleich.moc"
