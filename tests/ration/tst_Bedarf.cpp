#include "TestRegister.h"
#include "ration/Bedarf.h"

#include <QTest>

using namespace kelvora;

class BedarfTest : public QObject {
    Q_OBJECT
private slots:
    void bedarf_data();
    void bedarf();
    void aufnahmeTabelle_data();
    void aufnahmeTabelle();
    void schaetzung_data();
    void schaetzung();
    void rasse_data();
    void rasse();
};

void BedarfTest::bedarf_data()
{
    QTest::addColumn<long>("gewicht");
    QTest::addColumn<double>("milch");
    QTest::addColumn<double>("fett");
    QTest::addColumn<double>("fcm");
    QTest::addColumn<double>("nel");
    QTest::addColumn<double>("rohprotein");
    QTest::addColumn<double>("ca");
    QTest::addColumn<double>("p");

    // The standard cow (600 kg, 25 kg at 4 %) is in the golden outputs of "kelvora auswerten".
    QTest::newRow("400 kg ohne Milch") << 400L << 0.0 << 4.0 << 0.0 << 30.0 << 320.0 << 16.0 << 11.0;
    // 0.4 * 30 + 15 * 1.2 = 30
    QTest::newRow("800 kg, 30 kg, 4 %") << 800L << 30.0 << 4.0 << 30.0 << 51 + 95.1 << 490 + 2700.0 << 32 + 96.3
                                        << 23 + 59.4;
    // 0.4 * 40 + 15 * 1.4 = 37
    QTest::newRow("keine Gewichtsklasse") << 625L << 40.0 << 3.5 << 37.0 << 3.17 * 37 << 90 * 37.0 << 3.21 * 37
                                          << 1.98 * 37;
}

void BedarfTest::bedarf()
{
    QFETCH(long, gewicht);
    QFETCH(double, milch);
    QFETCH(double, fett);
    QFETCH(double, fcm);
    QCOMPARE(FCMBerechnen(milch, fett), fcm);
    const Bedarf b = BedarfBerechnen(gewicht, fcm);
    QTEST(b.nel, "nel");
    QTEST(b.rohprotein, "rohprotein");
    QTEST(b.ca, "ca");
    QTEST(b.p, "p");
}

void BedarfTest::aufnahmeTabelle_data()
{
    QTest::addColumn<long>("gewicht");
    QTest::addColumn<double>("fcm");
    QTest::addColumn<double>("kg");

    QTest::newRow("600 genau 10") << 600L << 10.0 << 13.2;
    QTest::newRow("600 knapp über 10") << 600L << 10.001 << 15.6;
    QTest::newRow("600 genau 50") << 600L << 50.0 << 28.2;
    QTest::newRow("600 über 50") << 600L << 50.01 << 0.0;
    QTest::newRow("negative FCM") << 800L << -5.0 << 15.2;
    QTest::newRow("400 genau 40") << 400L << 40.0 << 22.0;
    QTest::newRow("500 über 40") << 500L << 42.0 << 25.0;
    QTest::newRow("750 bei 33") << 750L << 33.0 << 24.375;
    QTest::newRow("keine Klasse") << 625L << 25.0 << 0.0;
}

void BedarfTest::aufnahmeTabelle()
{
    QFETCH(long, gewicht);
    QFETCH(double, fcm);
    QTEST(TMAufnahmeTabelle(gewicht, fcm), "kg");
}

void BedarfTest::schaetzung_data()
{
    QTest::addColumn<QString>("rasse");
    // month, lactation, weight, concentrate kg, NEL, day, milk, fat, protein
    QTest::addColumn<QList<double>>("w");
    QTest::addColumn<double>("kg");

    // Every centred term is 0 except days and month (4 % fat and 3,4 %
    // protein make the energy-corrected milk equal to the milk).
    QTest::newRow("Mittelwerte") << "" << QList<double>{6, 0, 603, 2.88, 5.41, 112, 20, 4, 3.4} << 15.527956431018998;
    QTest::newRow("Fleckvieh, erste Laktation") << "Fleckvieh" << QList<double>{1, 1, 700, 5, 6.5, 30, 35, 4.2, 3.5}
                                                << 19.763793762809833;
    QTest::newRow("Holstein") << "Deutsche Holstein" << QList<double>{7, 3, 650, 3, 6.8, 120, 40, 4, 3.3}
                              << 21.93376810705099;
    QTest::newRow("kein Laktationstag") << "Fleckvieh" << QList<double>{5, 2, 650, 3, 6.8, 0, 40, 4, 3.3} << 0.0;
}

void BedarfTest::schaetzung()
{
    QFETCH(QString, rasse);
    QFETCH(QList<double>, w);
    QFETCH(double, kg);
    const double ergebnis =
        TMAufnahmeSchaetzung(rasse, int(w[0]), int(w[1]), w[2], w[3], w[4], long(w[5]), w[6], w[7], w[8]);
    QVERIFY2(qAbs(ergebnis - kg) < 1e-9, qPrintable(QString::number(ergebnis, 'g', 17)));
}

void BedarfTest::rasse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rasse");
    QTest::newRow("Fleckvieh") << "Fleckvieh" << "Fleckvieh";
    QTest::newRow("Fleck vor Holstein") << "Holstein x Fleckvieh" << "Fleckvieh";
    QTest::newRow("Braunvieh") << "Braunvieh" << "Brown Swiss";
    QTest::newRow("brown klein") << "brown swiss" << "nicht definiert";
    QTest::newRow("Schwarzbunte") << "Schwarzbunte" << "Holstein Friesian";
    QTest::newRow("holstein klein") << "holstein" << "nicht definiert";
}

void BedarfTest::rasse()
{
    QFETCH(QString, text);
    QTEST(RasseNormieren(text), "rasse");
}

KELVORA_TEST(BedarfTest)
#include "tst_Bedarf.moc"
