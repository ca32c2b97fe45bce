#include "TestRegister.h"
#include "ration/RationAnteile.h"
#include "ration/RationMengen.h"

#include <QTest>

using namespace kelvora;

namespace {

RationZeile Frei(long id, double anteil)
{
    return {id, id + 100, 0, anteil, 0};
}

RationZeile Fix(long id, double frisch)
{
    return {id, id + 100, frisch, 0, 1};
}

} // namespace

class RationMengenTest : public QObject {
    Q_OBJECT
private slots:
    void mengenSchritt_data();
    void mengenSchritt();
    void umrechnungOhneTrockenmasse();
    void anteilVorschlag_data();
    void anteilVorschlag();
    void anteileVollstaendig_data();
    void anteileVollstaendig();
};

void RationMengenTest::mengenSchritt_data()
{
    QTest::addColumn<double>("menge");
    QTest::addColumn<bool>("hoch");
    QTest::addColumn<double>("ergebnis");  // negative: unchanged
    // The band edges of the step table, both directions.
    QTest::newRow("10 runter") << 10.0 << false << 9.0;
    QTest::newRow("9,99 hoch") << 9.99 << true << 10.49;
    QTest::newRow("5 runter") << 5.0 << false << 4.5;
    QTest::newRow("4,99 runter") << 4.99 << false << 4.89;
    QTest::newRow("1 hoch") << 1.0 << true << 1.1;
    QTest::newRow("0,99 hoch") << 0.99 << true << 1.04;
    QTest::newRow("0,5 hoch") << 0.5 << true << 0.55;
    QTest::newRow("0,49 runter") << 0.49 << false << 0.48;
    QTest::newRow("0,1 runter") << 0.1 << false << 0.09;
    QTest::newRow("0,09 hoch") << 0.09 << true << 0.1;
    QTest::newRow("0,09 runter") << 0.09 << false << -1.0;
    QTest::newRow("negativ runter") << -3.0 << false << -1.0;
    QTest::newRow("negativ hoch") << -3.0 << true << -2.99;
}

void RationMengenTest::mengenSchritt()
{
    QFETCH(double, menge);
    QFETCH(bool, hoch);
    QFETCH(double, ergebnis);
    const auto neu = MengenSchritt(menge, hoch);
    if (ergebnis == -1.0) {
        QVERIFY(!neu);
        return;
    }
    QVERIFY(neu);
    // Exact: the step leaves no binary remainder behind.
    QCOMPARE(*neu, ergebnis);
}

void RationMengenTest::umrechnungOhneTrockenmasse()
{
    QCOMPARE(*FrischInTrocken(10, 350), 3.5);
    QCOMPARE(*TrockenInFrisch(3.5, 350), 10.0);
    QVERIFY(!FrischInTrocken(10, 0));
    QVERIFY(!TrockenInFrisch(2, 0));
    QVERIFY(!FrischInTrocken(0, 350));
    QVERIFY(!TrockenInFrisch(-1, 350));
}

void RationMengenTest::anteilVorschlag_data()
{
    QTest::addColumn<QList<RationZeile>>("zeilen");
    QTest::addColumn<double>("vorschlag");
    QTest::newRow("allein") << QList<RationZeile>{Frei(1, 0), Fix(2, 10)} << 100.0;
    QTest::newRow("andere 30 und 25") << QList<RationZeile>{Frei(1, 0), Frei(2, 30), Frei(3, 25)} << 45.0;
    QTest::newRow("andere über 100") << QList<RationZeile>{Frei(1, 0), Frei(2, 70), Frei(3, 50)} << 0.0;
}

void RationMengenTest::anteilVorschlag()
{
    QFETCH(QList<RationZeile>, zeilen);
    QFETCH(double, vorschlag);
    QCOMPARE(AnteilVorschlag(zeilen, 1), vorschlag);
}

void RationMengenTest::anteileVollstaendig_data()
{
    QTest::addColumn<QList<RationZeile>>("zeilen");
    QTest::addColumn<bool>("vollstaendig");
    QTest::newRow("keine freien") << QList<RationZeile>{Fix(1, 5)} << true;
    QTest::newRow("100") << QList<RationZeile>{Frei(1, 60), Frei(2, 40)} << true;
    // Shares scaled before add up to 100 only up to the last binary digit.
    QTest::newRow("geteilt durch 1,2") << QList<RationZeile>{Frei(1, 50 / 1.2), Frei(2, 30 / 1.2), Frei(3, 40 / 1.2)}
                                       << true;
    QTest::newRow("99,99") << QList<RationZeile>{Frei(1, 59.99), Frei(2, 40)} << false;
}

void RationMengenTest::anteileVollstaendig()
{
    QFETCH(QList<RationZeile>, zeilen);
    QFETCH(bool, vollstaendig);
    QCOMPARE(AnteileVollstaendig(FreieAnteileZaehlen(zeilen)), vollstaendig);
    if (vollstaendig)
        return;
    // Scaling all free feeds always reaches 100.
    double summe = 0;
    for (const NeuerAnteil& n : AlleFreienAnpassen(zeilen))
        summe += n.prozentAnteil;
    QVERIFY(qAbs(summe - 100) < 1e-9);
}

KELVORA_TEST(RationMengenTest)
#include "tst_RationMengen.moc"
