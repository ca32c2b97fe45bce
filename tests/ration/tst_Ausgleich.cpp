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

namespace {

const QString KeinFreies = QStringLiteral("Ausgleich ist nicht möglich, da alle Futtermittel der Ration eine feste");

// 9004 has no dry matter, 9005 no NDF, 9007 an NDF value no feed can have.
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
        << Ration{fixNDF, {9007, 1, 100, 0}} << 18.0 << 8000.0 << Mengen{20, 1} << nein
        << "Beim Futtermittel \"Testfutter 9007\" ist der Wert NDF_gTM ungültig gespeichert (-5)";
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
    QTest::addColumn<QList<int>>("markiert");  // rows; -1 is the summary line after them
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
    QTest::newRow("Taste auf Summenzeile") << Befehl::Taste << zweiFixe << QList<int>{-1} << true << false << ""
                                           << zweiFixe;
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
    zeilen.append({0, markiert.contains(-1)});
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

KELVORA_TEST(AusgleichTest)
#include "tst_Ausgleich.moc"
