#include "RationsTestdaten.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "ration/GanzeRation.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

Q_DECLARE_METATYPE(QList<kelvora::ListenMarkierung>)
Q_DECLARE_METATYPE(QList<kelvora::test::TestRationsZeile>)

namespace {
const QList<TestFutter> Futter = {{9001, 350, 400}, {9002, 900, 200}, {9003, 0, 0}};
}

class GanzeRationTest : public QObject {
    Q_OBJECT
private slots:
    void umwandeln_data();
    void umwandeln();
    void entfernen_data();
    void entfernen();
    void leeren();
};

void GanzeRationTest::umwandeln_data()
{
    QTest::addColumn<QList<TestRationsZeile>>("ration");
    QTest::addColumn<QList<ListenMarkierung>>("liste");  // row IDs are 1, 2, ... in insertion order
    QTest::addColumn<bool>("auswerten");
    QTest::addColumn<QList<double>>("anteile");  // expected ProzentAnteil; empty: rows unchanged
    QTest::addColumn<QString>("meldung");

    const QList<TestRationsZeile> zwei = {{9001, 10, 0, 1}, {9002, 5, 0, 1}};
    QTest::newRow("zwei markierte fixe") << zwei << QList<ListenMarkierung>{{1, true}, {2, true}, {0, false}} << true
                                         << QList<double>{43.75, 56.25} << "";
    QTest::newRow("nichts markiert") << zwei << QList<ListenMarkierung>{{1, false}, {2, false}} << true << QList<double>{}
                                     << "";
    QTest::newRow("markiertes ohne Menge, letzte Zeile")
        << QList<TestRationsZeile>{{9001, 10, 0, 1}, {9002, 0, 0, 1}} << QList<ListenMarkierung>{{1, true}, {2, true}}
        << false << QList<double>{} << "Eines der markierten Futtermittel hat keine Menge";
    QTest::newRow("nicht markiertes freies")
        << QList<TestRationsZeile>{{9001, 10, 0, 1}, {9002, 0, 50, 0}} << QList<ListenMarkierung>{{1, true}, {2, false}}
        << false << QList<double>{} << "Eines der nicht markierten Futtermittel ist bereits als vaiabel markiert.";
    QTest::newRow("markierte ohne Trockenmasse")
        << QList<TestRationsZeile>{{9003, 10, 0, 1}} << QList<ListenMarkierung>{{1, true}} << false << QList<double>{}
        << "Die markierten Futtermittel enthalten keine Trockenmasse.";
}

void GanzeRationTest::umwandeln()
{
    QFETCH(QList<TestRationsZeile>, ration);
    QFETCH(QList<ListenMarkierung>, liste);
    QFETCH(bool, auswerten);
    QFETCH(QList<double>, anteile);
    QFETCH(QString, meldung);
    TestOberflaeche ui;
    TestDatenordner ordner;
    QVERIFY(!TestDatenbankAnlegen().isEmpty());
    QVERIFY(RationAnlegen(Futter, ration));
    const QList<GespeicherteZeile> vorher = RationLesen();

    QCOMPARE(InVariableUmwandeln(liste), auswerten);
    const QList<GespeicherteZeile> nachher = RationLesen();
    QCOMPARE(nachher.size(), vorher.size());
    for (qsizetype i = 0; i < nachher.size(); ++i) {
        if (anteile.isEmpty()) {
            QCOMPARE(nachher[i].frischMenge, vorher[i].frischMenge);
            QCOMPARE(nachher[i].anteil, vorher[i].anteil);
            QCOMPARE(nachher[i].fixeMenge, vorher[i].fixeMenge);
        } else {
            QVERIFY(qAbs(nachher[i].anteil - anteile[i]) < 1e-9);
            QCOMPARE(nachher[i].frischMenge, 0.0);
            QCOMPARE(nachher[i].fixeMenge, 0);
        }
    }
    if (meldung.isEmpty()) {
        QVERIFY(ui.meldungen.isEmpty());
    } else {
        QCOMPARE(ui.meldungen.size(), 1);
        QVERIFY(ui.meldungen[0].text.startsWith(meldung));
        QCOMPARE(ui.meldungen[0].symbol, Symbol::Kritisch);
    }
}

void GanzeRationTest::entfernen_data()
{
    QTest::addColumn<bool>("relais");
    QTest::addColumn<QList<ListenMarkierung>>("liste");
    QTest::addColumn<int>("antwort");  // -1: no question expected
    QTest::addColumn<bool>("auswerten");
    QTest::addColumn<int>("uebrig");

    const int ja = int(Antwort::Ja), nein = int(Antwort::Nein);
    QTest::newRow("Taste, eine markiert, Ja") << false << QList<ListenMarkierung>{{1, true}, {2, false}} << ja << true << 1;
    QTest::newRow("Taste, Nein") << false << QList<ListenMarkierung>{{1, true}, {2, false}} << nein << false << 2;
    QTest::newRow("Taste, zwei markiert") << false << QList<ListenMarkierung>{{1, true}, {2, true}} << -1 << false << 2;
    QTest::newRow("Taste, Summenzeile") << false << QList<ListenMarkierung>{{1, false}, {0, true}} << -1 << false << 2;
    QTest::newRow("Relais, Ja") << true << QList<ListenMarkierung>{{2, true}} << ja << true << 1;
    QTest::newRow("Relais, Nein wertet trotzdem aus") << true << QList<ListenMarkierung>{{2, true}} << nein << true << 2;
    QTest::newRow("Relais, keine markiert") << true << QList<ListenMarkierung>{{2, false}} << -1 << false << 2;
}

void GanzeRationTest::entfernen()
{
    QFETCH(bool, relais);
    QFETCH(QList<ListenMarkierung>, liste);
    QFETCH(int, antwort);
    QFETCH(bool, auswerten);
    QFETCH(int, uebrig);
    TestOberflaeche ui;
    TestDatenordner ordner;
    QVERIFY(!TestDatenbankAnlegen().isEmpty());
    QVERIFY(RationAnlegen(Futter, {{9001, 10, 0, 1}, {9002, 5, 0, 1}}));
    if (antwort >= 0)
        ui.Antworten(Antwort(antwort));

    QCOMPARE(relais ? FutterEntfernenPerRelais(liste) : FutterEntfernenPerTaste(liste), auswerten);
    QCOMPARE(RationLesen().size(), uebrig);
    if (antwort < 0) {
        QVERIFY(ui.meldungen.isEmpty());
        return;
    }
    QCOMPARE(ui.meldungen.size(), 1);
    const GezeigteMeldung& m = ui.meldungen[0];
    QCOMPARE(m.titel, relais ? QStringLiteral("Futter aus Ration löschen") : QStringLiteral("Futtermittel entfernen"));
    QCOMPARE(m.text, relais ? QStringLiteral("Soll das markierte Futtermittel wirklich aus der Ration gelöscht werden?")
                            : QStringLiteral("Soll das markierte Futtermittel wirklich aus dieser Ration gelöscht "
                                             "werden?"));
    QCOMPARE(m.standard, Antwort::Nein);
    QCOMPARE(m.symbol, Symbol::Frage);
}

void GanzeRationTest::leeren()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    QVERIFY(!TestDatenbankAnlegen().isEmpty());
    QVERIFY(RationAnlegen(Futter, {{9001, 10, 0, 1}, {9002, 5, 0, 1}}));

    ui.Antworten(Antwort::Nein);
    QVERIFY(!RationLeeren());
    QCOMPARE(RationLesen().size(), 2);

    ui.Antworten(Antwort::Ja);
    QVERIFY(RationLeeren());
    QVERIFY(RationLesen().isEmpty());

    // An empty ration still asks and evaluates.
    ui.Antworten(Antwort::Ja);
    QVERIFY(RationLeeren());
    QCOMPARE(ui.meldungen.size(), 3);
    QCOMPARE(ui.meldungen[2].titel, QStringLiteral("Ration löschen"));
    QCOMPARE(ui.meldungen[2].text, QStringLiteral("Soll die angezeigte Ration wirklich gelöscht werden?"));
}

KELVORA_TEST(GanzeRationTest)
#include "tst_GanzeRation.moc"
