#include "RationsTestdaten.h"
#include "TestRegister.h"
#include "ration/Ausgleich.h"
#include "ration/GanzeRation.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

using Mengen = QList<double>;
using Ration = QList<TestRationsZeile>;
Q_DECLARE_METATYPE(QList<kelvora::test::TestRationsZeile>)
Q_DECLARE_METATYPE(kelvora::AusgleichErgebnis)
Q_DECLARE_METATYPE(kelvora::Symbol)

namespace {

const QString KeinFreies = QStringLiteral("Ausgleich ist nicht möglich, da alle Futtermittel der Ration eine feste");

// 30 kg at 500 g DM: 15 000 g fixed dry matter. 9004 has no dry matter,
// 9005 no NDF, 9007 an NDF value no feed can have.
const QList<TestFutter> Futter = {{9001, 500, 500}, {9002, 250, 500}, {9003, 500, 300}, {9004, 0, 400},
                                  {9005, 250, 0},   {9006, 500, 500.5}, {9007, 500, -5}};

enum class Befehl { Umwandeln, Taste, Relais, Leeren };

} // namespace

Q_DECLARE_METATYPE(Befehl)

// The balancings and the commands on the ration as a whole, on table Ration.
class AusgleichTest : public QObject {
    Q_OBJECT
private slots:
    void ausgleich_data();
    void ausgleich();
    void ganzeRation_data();
    void ganzeRation();
};

void AusgleichTest::ausgleich_data()
{
    QTest::addColumn<bool>("nachNDF");
    QTest::addColumn<Ration>("ration");
    QTest::addColumn<double>("tmMaxKg");
    QTest::addColumn<double>("ndfMax");
    QTest::addColumn<Mengen>("mengen");  // fresh amounts afterwards, by row
    QTest::addColumn<AusgleichErgebnis>("ergebnis");
    QTest::addColumn<QString>("meldung");  // start of the message shown, "" for none

    const auto ja = AusgleichErgebnis::Abgeschlossen;
    const auto nein = AusgleichErgebnis::Abgebrochen;
    const TestRationsZeile fix15000{9001, 30, 0, 1};

    QTest::newRow("ein freies nimmt den ganzen Rest")
        << false << Ration{fix15000, {9002, 0, 30, 0}} << 20.0 << 0.0 << Mengen{30, 20} << ja << "";
    QTest::newRow("zwei freie 60/40") << false << Ration{fix15000, {9002, 0, 60, 0}, {9003, 0, 40, 0}} << 20.0
                                      << 0.0 << Mengen{30, 12, 4} << ja << "";
    QTest::newRow("Anteile 50/30 füllen 80 %") << false << Ration{fix15000, {9002, 0, 50, 0}, {9003, 0, 30, 0}}
                                               << 20.0 << 0.0 << Mengen{30, 10, 3} << ja << "";
    QTest::newRow("Maximum gleich fixer TM") << false << Ration{fix15000, {9002, 7, 60, 0}, {9003, 2, 40, 0}}
                                             << 15.0 << 0.0 << Mengen{30, 0, 0} << ja << "";
    QTest::newRow("alle fixiert") << false << Ration{fix15000, {9002, 7, 0, 1}} << 20.0 << 0.0 << Mengen{30, 7}
                                  << nein << KeinFreies;
    // Above 50 kg fat-corrected milk the intake table has no maximum.
    QTest::newRow("kein Maximum bekannt")
        << false << Ration{fix15000, {9002, 7, 100, 0}} << 0.0 << 0.0 << Mengen{30, 7} << nein
        << "Ausgleich ist nicht möglich, da für diese Kuh keine maximale Trockenmasseaufnahme bekannt ist";
    QTest::newRow("fixe über dem Maximum")
        << false << Ration{fix15000, {9002, 7, 100, 0}} << 14.99 << 0.0 << Mengen{30, 7} << ja
        << "Ausgleich ist nicht möglich, da mit den fixierten Futtermitteln bereits die maximale TM-Menge";
    QTest::newRow("freies ohne Trockenmasse")
        << false << Ration{fix15000, {9002, 3, 50, 0}, {9004, 2, 50, 0}} << 20.0 << 0.0 << Mengen{30, 3, 2} << nein
        << "Ausgleich ist nicht möglich, da beim Futtermittel \"Testfutter 9004\"";
    QTest::newRow("gespeicherter Anteil über 100")
        << false << Ration{fix15000, {9002, 3, 150, 0}} << 20.0 << 0.0 << Mengen{30, 3} << nein
        << "Beim Futtermittel \"Testfutter 9002\" ist der Anteil ungültig gespeichert (150). Erlaubt sind 0 bis 100";

    // NDF: 20 kg at 500 g DM and 500 g NDF = 5 000 g fixed NDF; the free
    // feed gets 8 kg DM (32 kg FM) = 4 000 g NDF; total 9 000 g.
    const TestRationsZeile fixNDF{9001, 20, 0, 1};
    QTest::newRow("NDF über dem Maximum: Faktor 0,75")
        << true << Ration{fixNDF, {9002, 0, 100, 0}} << 18.0 << 8000.0 << Mengen{20, 24} << ja << "";
    QTest::newRow("NDF unter dem Maximum: Faktor 1,25")
        << true << Ration{fixNDF, {9002, 0, 100, 0}} << 18.0 << 10000.0 << Mengen{20, 40} << ja << "";
    // 500,5 g NDF counts as 500 (halves to even), so the factor stays 0,75.
    QTest::newRow("NDF je kg TM ganzzahlig gerundet")
        << true << Ration{{9006, 20, 0, 1}, {9002, 0, 100, 0}} << 18.0 << 8000.0 << Mengen{20, 24} << ja << "";
    QTest::newRow("NDF: fixierte allein über dem Maximum")
        << true << Ration{fixNDF, {9002, 1, 100, 0}} << 18.0 << 4000.0 << Mengen{20, 1} << nein
        << "Ausgleich nach NDF ist nicht möglich, da die fixierten Futtermittel";
    QTest::newRow("NDF: freie ohne NDF") << true << Ration{fixNDF, {9005, 1, 100, 0}} << 18.0 << 8000.0
                                         << Mengen{20, 1} << nein
                                         << "Ausgleich nach NDF ist nicht möglich, da die Futtermittel, die beim";
    QTest::newRow("NDF: gespeicherter NDF-Wert negativ")
        << true << Ration{fixNDF, {9007, 1, 100, 0}} << 18.0 << 8000.0 << Mengen{20, 1} << nein
        << "Beim Futtermittel \"Testfutter 9007\" ist der Wert NDF_gTM ungültig gespeichert (-5)";
    QTest::newRow("NDF: alle fixiert") << true << Ration{fixNDF} << 18.0 << 8000.0 << Mengen{20} << nein
                                       << KeinFreies;
}

void AusgleichTest::ausgleich()
{
    QFETCH(bool, nachNDF);
    QFETCH(Ration, ration);
    QFETCH(double, tmMaxKg);
    QFETCH(double, ndfMax);
    QFETCH(Mengen, mengen);
    QFETCH(QString, meldung);
    DatenbankUmgebung u;
    QVERIFY(u.bereit && RationAnlegen(Futter, ration));

    QTEST(nachNDF ? NDFAusgleichen(tmMaxKg, ndfMax) : TMAusgleichen(tmMaxKg), "ergebnis");
    const QList<GespeicherteZeile> nachher = RationLesen();
    QCOMPARE(nachher.size(), mengen.size());
    for (qsizetype i = 0; i < mengen.size(); ++i) {
        QVERIFY2(qAbs(nachher[i].frischMenge - mengen[i]) < 1e-9,
                 qPrintable(QStringLiteral("Zeile %1: %2 statt %3").arg(i).arg(nachher[i].frischMenge).arg(mengen[i])));
        // Shares and fixed flags are never touched.
        QCOMPARE(nachher[i].anteil, ration[i].anteil);
        QCOMPARE(nachher[i].fixeMenge, ration[i].fixeMenge);
    }
    QCOMPARE(u.ui.meldungen.size(), meldung.isEmpty() ? 0 : 1);
    if (!meldung.isEmpty())
        QVERIFY2(u.ui.meldungen[0].text.startsWith(meldung), qPrintable(u.ui.meldungen[0].text));
}

void AusgleichTest::ganzeRation_data()
{
    QTest::addColumn<Befehl>("befehl");
    QTest::addColumn<Ration>("ration");
    QTest::addColumn<QList<int>>("markiert");  // rows; -1 is the summary line after them
    QTest::addColumn<bool>("ja");              // the answer, if asked
    QTest::addColumn<bool>("auswerten");       // what the command returns
    QTest::addColumn<QString>("meldung");      // start of the one message shown, "" for none
    QTest::addColumn<Symbol>("symbol");
    QTest::addColumn<Ration>("nachher");       // the rows afterwards (FutterID not compared)

    const auto kritisch = Symbol::Kritisch;
    const auto frage = Symbol::Frage;
    // 3,5 kg and 4,5 kg dry matter: 43,75 % and 56,25 %.
    const Ration zweiFixe{{9001, 7, 0, 1}, {9003, 9, 0, 1}};
    const QString taste = QStringLiteral("Soll das markierte Futtermittel wirklich aus dieser Ration gelöscht");
    const QString relais = QStringLiteral("Soll das markierte Futtermittel wirklich aus der Ration gelöscht");

    QTest::newRow("umwandeln") << Befehl::Umwandeln << zweiFixe << QList<int>{0, 1} << true << true << "" << kritisch
                               << Ration{{0, 0, 43.75, 0}, {0, 0, 56.25, 0}};
    QTest::newRow("umwandeln, ein fixes bleibt") << Befehl::Umwandeln << zweiFixe << QList<int>{1} << true << true
                                                 << "" << kritisch << Ration{{0, 7, 0, 1}, {0, 0, 100, 0}};
    QTest::newRow("umwandeln, nichts markiert")
        << Befehl::Umwandeln << zweiFixe << QList<int>{-1} << true << true << "" << kritisch << zweiFixe;
    QTest::newRow("umwandeln, markiertes ohne Menge")
        << Befehl::Umwandeln << Ration{{9001, 7, 0, 1}, {9003, 0, 0, 1}} << QList<int>{0, 1} << true << false
        << "Eines der markierten Futtermittel hat keine Menge" << kritisch << Ration{{0, 7, 0, 1}, {0, 0, 0, 1}};
    QTest::newRow("umwandeln, unmarkiertes freies")
        << Befehl::Umwandeln << Ration{{9001, 7, 0, 1}, {9003, 0, 100, 0}} << QList<int>{0} << true << false
        << "Eines der nicht markierten Futtermittel ist bereits als vaiabel markiert" << kritisch
        << Ration{{0, 7, 0, 1}, {0, 0, 100, 0}};
    QTest::newRow("umwandeln ohne Trockenmasse")
        << Befehl::Umwandeln << Ration{{9004, 10, 0, 1}} << QList<int>{0} << true << false
        << "Die markierten Futtermittel enthalten keine Trockenmasse" << kritisch << Ration{{0, 10, 0, 1}};

    QTest::newRow("Taste, ja") << Befehl::Taste << zweiFixe << QList<int>{1} << true << true << taste << frage
                               << Ration{{0, 7, 0, 1}};
    QTest::newRow("Taste, nein") << Befehl::Taste << zweiFixe << QList<int>{1} << false << false << taste << frage
                                 << zweiFixe;
    QTest::newRow("Taste, zwei markiert")
        << Befehl::Taste << zweiFixe << QList<int>{0, 1} << true << false << "" << frage << zweiFixe;
    QTest::newRow("Taste auf Summenzeile")
        << Befehl::Taste << zweiFixe << QList<int>{-1} << true << false << "" << frage << zweiFixe;
    QTest::newRow("Relais, ja") << Befehl::Relais << zweiFixe << QList<int>{0} << true << true << relais << frage
                                << Ration{{0, 9, 0, 1}};
    // The relay has the window evaluate after No as well.
    QTest::newRow("Relais, nein") << Befehl::Relais << zweiFixe << QList<int>{0} << false << true << relais << frage
                                  << zweiFixe;
    QTest::newRow("Relais, zwei markiert")
        << Befehl::Relais << zweiFixe << QList<int>{0, 1} << true << false << "" << frage << zweiFixe;
    QTest::newRow("leeren, ja") << Befehl::Leeren << zweiFixe << QList<int>{} << true << true
                                << "Soll die angezeigte Ration wirklich gelöscht werden?" << frage << Ration{};
    QTest::newRow("leeren, nein") << Befehl::Leeren << zweiFixe << QList<int>{} << false << false
                                  << "Soll die angezeigte Ration wirklich gelöscht werden?" << frage << zweiFixe;
}

void AusgleichTest::ganzeRation()
{
    QFETCH(Befehl, befehl);
    QFETCH(Ration, ration);
    QFETCH(QList<int>, markiert);
    QFETCH(bool, ja);
    QFETCH(QString, meldung);
    QFETCH(Ration, nachher);
    DatenbankUmgebung u;
    QVERIFY(u.bereit && RationAnlegen(Futter, ration));
    // The lines of the list: one per row, then a summary line without a row.
    QList<ListenMarkierung> zeilen;
    for (const GespeicherteZeile& z : RationLesen())
        zeilen.append({z.id, markiert.contains(int(zeilen.size()))});
    zeilen.append({0, markiert.contains(-1)});
    u.ui.Antworten(ja ? Antwort::Ja : Antwort::Nein);

    const bool auswerten = befehl == Befehl::Umwandeln ? InVariableUmwandeln(zeilen)
                           : befehl == Befehl::Taste   ? FutterEntfernenPerTaste(zeilen)
                           : befehl == Befehl::Relais  ? FutterEntfernenPerRelais(zeilen)
                                                       : RationLeeren();
    QTEST(auswerten, "auswerten");
    QCOMPARE(u.ui.meldungen.size(), meldung.isEmpty() ? 0 : 1);
    if (!meldung.isEmpty()) {
        QVERIFY2(u.ui.meldungen[0].text.startsWith(meldung), qPrintable(u.ui.meldungen[0].text));
        QTEST(u.ui.meldungen[0].symbol, "symbol");
        // A question defaults to No: an Enter too many deletes nothing.
        if (u.ui.meldungen[0].symbol == Symbol::Frage)
            QCOMPARE(u.ui.meldungen[0].standard, Antwort::Nein);
    }
    const QList<GespeicherteZeile> gespeichert = RationLesen();
    QCOMPARE(gespeichert.size(), nachher.size());
    for (qsizetype i = 0; i < nachher.size(); ++i) {
        QCOMPARE(gespeichert[i].frischMenge, nachher[i].frischMenge);
        QCOMPARE(gespeichert[i].anteil, nachher[i].anteil);
        QCOMPARE(gespeichert[i].fixeMenge, nachher[i].fixeMenge);
    }
}

KELVORA_TEST(AusgleichTest)
#include "tst_Ausgleich.moc"
