#include "TestRegister.h"
#include "database/Formate.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace kelvora;

class FormateTest : public QObject {
    Q_OBJECT
private slots:
    void formatieren_data();
    void formatieren();
    void ganzzahlRunden_data();
    void ganzzahlRunden();
    void longBereich_data();
    void longBereich();
    void rundenGerade_data();
    void rundenGerade();
    void dezimalText_data();
    void dezimalText();
    void tagesSerial_data();
    void tagesSerial();
    void zeitSerial_data();
    void zeitSerial();
};

void FormateTest::formatieren_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<QString>("maske");
    QTest::addColumn<QString>("text");
    // Rounding works on the decimal value: 2.345 and 1.005 lie just below
    // their half in binary and still round up.
    QTest::newRow("#0.00 Dezimalwert aufrunden") << 2.345 << "#0.00" << "2,35";
    QTest::newRow("#0.00 1,005") << 1.005 << "#0.00" << "1,01";
    QTest::newRow("#0.00 Summe 0,1+0,2") << 0.1 + 0.2 << "#0.00" << "0,30";
    QTest::newRow("#0.00 Haelfte weg von null") << 0.125 << "#0.00" << "0,13";
    QTest::newRow("#0.00 negativ") << -2.345 << "#0.00" << "-2,35";
    QTest::newRow("#0.00 null") << 0.0 << "#0.00" << "0,00";
    QTest::newRow("#0.00 fast null negativ") << -0.004 << "#0.00" << "0,00";
    QTest::newRow("#0.00 Uebertrag") << 9.995 << "#0.00" << "10,00";
    QTest::newRow("#0.00 ohne Tausender") << 1234.5 << "#0.00" << "1234,50";
    QTest::newRow("#0.0") << 24.96 << "#0.0" << "25,0";
    QTest::newRow("#0") << 7.49 << "#0" << "7";
    QTest::newRow("##0 Haelfte") << 2.5 << "##0" << "3";
    QTest::newRow("##0 Haelfte negativ") << -2.5 << "##0" << "-3";
    QTest::newRow("##0 ueber die Maske hinaus") << 1234.4 << "##0" << "1234";
    QTest::newRow("##0 Uebertrag") << 99.5 << "##0" << "100";
    QTest::newRow("##0.0 Dezimaltrenner") << 1.5 << "##0.0" << "1,5";
    QTest::newRow("###0") << -12.6 << "###0" << "-13";
    QTest::newRow("####0") << 4321.5 << "####0" << "4322";
    QTest::newRow("#####0.00") << 123456.789 << "#####0.00" << "123456,79";
    QTest::newRow("###,##0 Tausendertrenner") << 1500.0 << "###,##0" << "1.500";
    QTest::newRow("###,##0 Millionen") << 1234567.8 << "###,##0" << "1.234.568";
    QTest::newRow("###,##0 negativ") << -1234.0 << "###,##0" << "-1.234";
    QTest::newRow("###,##0 Uebertrag in Tausender") << 999.5 << "###,##0" << "1.000";
    QTest::newRow("###,##0 null") << 0.0 << "###,##0" << "0";
    QTest::newRow("###,##0 ueber die Maske hinaus") << 1e15 << "###,##0" << "1.000.000.000.000.000";
    QTest::newRow("#,##0") << 2345.49 << "#,##0" << "2.345";
    QTest::newRow("#,##0.0") << 1234.56 << "#,##0.0" << "1.234,6";
    QTest::newRow("#,##0.0 negativ unter tausend") << -123.45 << "#,##0.0" << "-123,5";
    QTest::newRow("#,##0.0 fast null negativ") << -0.04 << "#,##0.0" << "0,0";
    QTest::newRow("#,##0.00") << 1e6 << "#,##0.00" << "1.000.000,00";
    QTest::newRow("##,##0.0") << 35123.45 << "##,##0.0" << "35.123,5";
    QTest::newRow("##,##0.00") << 12345.678 << "##,##0.00" << "12.345,68";
    QTest::newRow("##,##0.00 negativ") << -1000.005 << "##,##0.00" << "-1.000,01";
    QTest::newRow("#,### null ist leer") << 0.0 << "#,###" << "";
    QTest::newRow("#,### rundet auf null") << 0.4 << "#,###" << "";
    QTest::newRow("#,### Dateigroesse") << 1234567.0 << "#,###" << "1.234.567";
    QTest::newRow("0") << 0.5 << "0" << "1";
    QTest::newRow("00 Pflichtstellen") << 5.0 << "00" << "05";
    QTest::newRow("#0.0# beide Stellen") << 1.25 << "#0.0#" << "1,25";
    QTest::newRow("Percent") << 0.4567 << "Percent" << "45,67 %";
    QTest::newRow("Percent Dezimalwert") << 0.12345 << "Percent" << "12,35 %";
    QTest::newRow("Percent ueber hundert") << 15.0 << "Percent" << "1500,00 %";
    QTest::newRow("Percent negativ") << -0.001 << "Percent" << "-0,10 %";
    QTest::newRow("Standard") << 1234.5 << "Standard" << "1.234,50";
    QTest::newRow("Text hinter der Zahl") << 4.5 << "0.0 kg" << "4,5 kg";
    QTest::newRow("Prozentzeichen") << 0.255 << "0%" << "26%";
    QTest::newRow("leere Maske") << 0.1 + 0.2 << "" << "0,3";
    QTest::newRow("keine Zahl") << std::nan("") << "#0.00" << "";
}

void FormateTest::formatieren()
{
    QFETCH(double, wert);
    QFETCH(QString, maske);
    QFETCH(QString, text);
    QCOMPARE(Formatieren(wert, maske), text);
}

void FormateTest::ganzzahlRunden_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<qlonglong>("ganz");
    QTest::newRow("0,5") << 0.5 << 0LL;
    QTest::newRow("1,5") << 1.5 << 2LL;
    QTest::newRow("2,5") << 2.5 << 2LL;
    QTest::newRow("3,5") << 3.5 << 4LL;
    QTest::newRow("-0,5") << -0.5 << 0LL;
    QTest::newRow("-1,5") << -1.5 << -2LL;
    QTest::newRow("-2,5") << -2.5 << -2LL;
    QTest::newRow("knapp unter der Haelfte") << 2.4999 << 2LL;
    QTest::newRow("knapp ueber der Haelfte") << 2.5001 << 3LL;
    QTest::newRow("negativ abrunden") << -3.7 << -4LL;
    QTest::newRow("ueber 32 Bit") << 1e10 << 10000000000LL;
    QTest::newRow("keine Zahl") << std::nan("") << 0LL;
}

void FormateTest::ganzzahlRunden()
{
    QFETCH(double, wert);
    QFETCH(qlonglong, ganz);
    QCOMPARE(static_cast<qlonglong>(R(wert)), ganz);
}

void FormateTest::longBereich_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<bool>("imBereich");
    QTest::newRow("oberste Grenze") << 2147483647.4 << true;
    QTest::newRow("rundet ueber die Grenze") << 2147483647.5 << false;
    QTest::newRow("unterste Grenze gerade gerundet") << -2147483648.5 << true;
    QTest::newRow("unter der Grenze") << -2147483649.0 << false;
    QTest::newRow("unendlich") << std::numeric_limits<double>::infinity() << false;
}

void FormateTest::longBereich()
{
    QFETCH(double, wert);
    QFETCH(bool, imBereich);
    QCOMPARE(ImLongBereich(wert), imBereich);
}

void FormateTest::rundenGerade_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<int>("stellen");
    QTest::addColumn<double>("ergebnis");
    QTest::newRow("2,345 zur geraden 4") << 2.345 << 2 << 2.34;
    QTest::newRow("2,355 zur geraden 6") << 2.355 << 2 << 2.36;
    QTest::newRow("ueber der Haelfte") << 0.12501 << 2 << 0.13;
    QTest::newRow("negativ") << -2.675 << 2 << -2.68;
    QTest::newRow("ganze Zahl 2,5") << 2.5 << 0 << 2.0;
    QTest::newRow("ganze Zahl 3,5") << 3.5 << 0 << 4.0;
    QTest::newRow("Uebertrag") << 9.9996 << 3 << 10.0;
    QTest::newRow("negative Stellen wie null") << 1.6 << -1 << 2.0;
}

void FormateTest::rundenGerade()
{
    QFETCH(double, wert);
    QFETCH(int, stellen);
    QFETCH(double, ergebnis);
    // Exact: the result must be the double nearest to the decimal figure.
    QCOMPARE(QString::number(RundenGerade(wert, stellen), 'g', 17), QString::number(ergebnis, 'g', 17));
}

void FormateTest::dezimalText_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<QString>("text");
    QTest::newRow("4,5") << 4.5 << "4,5";
    QTest::newRow("kleiner Wert ohne Exponent") << 1e-5 << "0,00001";
    QTest::newRow("ganze Zahl") << 20.0 << "20";
    QTest::newRow("binaerer Rest verschwindet") << 0.1 + 0.2 << "0,3";
    QTest::newRow("negativ") << -1.25 << "-1,25";
    QTest::newRow("null") << 0.0 << "0";
    QTest::newRow("negative null") << -0.0 << "0";
    QTest::newRow("Drittel 15 Stellen") << 1.0 / 3 << "0,333333333333333";
    QTest::newRow("zwei Drittel gerundet") << 2.0 / 3 << "0,666666666666667";
    QTest::newRow("grosse Zahl ohne Exponent") << 1e20 << "100000000000000000000";
    QTest::newRow("mehr als 15 Stellen") << 123456789012345678.0 << "123456789012346000";
    QTest::newRow("keine Tausendertrenner") << 1234.5678 << "1234,5678";
}

void FormateTest::dezimalText()
{
    QFETCH(double, wert);
    QFETCH(QString, text);
    QCOMPARE(DezimalText(wert), text);
}

void FormateTest::tagesSerial_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QDate>("datum");
    QTest::newRow("Tag null") << 0 << QDate(1899, 12, 30);
    QTest::newRow("vor Tag null") << -1 << QDate(1899, 12, 29);
    QTest::newRow("Jahrtausendwechsel") << 36526 << QDate(2000, 1, 1);
    QTest::newRow("Versionsdatum") << 42139 << QDate(2015, 5, 15);
    QTest::newRow("Schalttag") << 45351 << QDate(2024, 2, 29);
}

void FormateTest::tagesSerial()
{
    QFETCH(int, tag);
    QFETCH(QDate, datum);
    QCOMPARE(DatumAusSerial(tag), datum);
    QCOMPARE(SerialAusDatum(datum), static_cast<long>(tag));
}

void FormateTest::zeitSerial_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<QDateTime>("zeit");
    QTest::newRow("Mittag") << 42139.5 << QDateTime(QDate(2015, 5, 15), QTime(12, 0));
    QTest::newRow("halbe Stunde") << 42139.6041666666667 << QDateTime(QDate(2015, 5, 15), QTime(14, 30));
    QTest::newRow("Tag null") << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    QTest::newRow("negativ mit Uhrzeit") << -1.25 << QDateTime(QDate(1899, 12, 29), QTime(6, 0));
    QTest::newRow("negativ weit") << -700.75 << QDateTime(QDate(1898, 1, 29), QTime(18, 0));
    QTest::newRow("kurz vor Mitternacht") << 0.99999999999 << QDateTime(QDate(1899, 12, 31), QTime(0, 0));
}

void FormateTest::zeitSerial()
{
    QFETCH(double, serial);
    QFETCH(QDateTime, zeit);
    QCOMPARE(DatumZeitAusSerial(serial), zeit);
    const double zurueck = SerialAusDatumZeit(zeit);
    QVERIFY2(std::fabs(zurueck - serial) < 1e-9, qPrintable(QString::number(zurueck, 'f', 10)));
}

KELVORA_TEST(FormateTest)
#include "tst_Formate.moc"
