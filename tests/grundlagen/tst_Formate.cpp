#include "TestRegister.h"
#include "grundlagen/Formate.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace kelvora;

// Numbers to text and back, rounding and date serials. One table; "funktion"
// names what is tested, "zusatz" is its second argument.
class FormateTest : public QObject {
    Q_OBJECT
private slots:
    void formate_data();
    void formate();
};

namespace {

void Z(const char* name, const char* funktion, double wert, const QString& zusatz, const QString& erwartet)
{
    QTest::newRow(name) << QString::fromLatin1(funktion) << wert << zusatz << erwartet;
}

// Rounding works on the decimal value: 2.345 lies just below its
// half in binary and still rounds up.
void Masken()
{
    Z("#0.00 Dezimalwert aufrunden", "Maske", 2.345, "#0.00", "2,35");
    Z("#0.00 Summe 0,1+0,2", "Maske", 0.1 + 0.2, "#0.00", "0,30");
    Z("#0.00 fast null negativ", "Maske", -0.004, "#0.00", "0,00");
    Z("#0.00 Uebertrag", "Maske", 9.995, "#0.00", "10,00");
    Z("#0.00 ohne Tausender", "Maske", 1234.5, "#0.00", "1234,50");
    Z("##0 Haelfte negativ", "Maske", -2.5, "##0", "-3");
    Z("###,##0 Millionen", "Maske", 1234567.8, "###,##0", "1.234.568");
    Z("###,##0 Uebertrag in Tausender", "Maske", 999.5, "###,##0", "1.000");
    Z("###,##0 ueber die Maske hinaus", "Maske", 1e15, "###,##0", "1.000.000.000.000.000");
    Z("#,##0.0 negativ unter tausend", "Maske", -123.45, "#,##0.0", "-123,5");
    Z("##,##0.00 negativ", "Maske", -1000.005, "##,##0.00", "-1.000,01");
    Z("#,### rundet auf null", "Maske", 0.4, "#,###", "");
    Z("#,### Dateigroesse", "Maske", 1234567.0, "#,###", "1.234.567");
    Z("00 Pflichtstellen", "Maske", 5.0, "00", "05");
    Z("#0.0# beide Stellen", "Maske", 1.25, "#0.0#", "1,25");
    Z("Percent Dezimalwert", "Maske", 0.12345, "Percent", "12,35 %");
    Z("Standard", "Maske", 1234.5, "Standard", "1.234,50");
    Z("Text hinter der Zahl", "Maske", 4.5, "0.0 kg", "4,5 kg");
    Z("Prozentzeichen", "Maske", 0.255, "0%", "26%");
    Z("leere Maske", "Maske", 0.1 + 0.2, "", "0,3");
    Z("keine Zahl", "Maske", std::nan(""), "#0.00", "");
}

} // namespace

void FormateTest::formate_data()
{
    QTest::addColumn<QString>("funktion");
    QTest::addColumn<double>("wert");
    QTest::addColumn<QString>("zusatz");
    QTest::addColumn<QString>("erwartet");
    Masken();
    // R rounds half to even; "*" marks values outside the long range.
    Z("R 0,5", "R", 0.5, "", "0");
    Z("R 1,5", "R", 1.5, "", "2");
    Z("R -2,5", "R", -2.5, "", "-2");
    Z("R knapp ueber der Haelfte", "R", 2.5001, "", "3");
    Z("R negativ abrunden", "R", -3.7, "", "-4");
    Z("R keine Zahl", "R", std::nan(""), "", "0*");
    Z("R oberste Grenze", "R", 2147483647.4, "", "2147483647");
    Z("R rundet ueber die Grenze", "R", 2147483647.5, "", "2147483648*");
    Z("R unterste Grenze gerade gerundet", "R", -2147483648.5, "", "-2147483648");
    Z("R unter der Grenze", "R", -2147483649.0, "", "-2147483649*");
    Z("R unendlich", "R", std::numeric_limits<double>::infinity(), "", "9223372036854775807*");
    Z("gerade 2,345 zur geraden 4", "gerade", 2.345, "2", "2.34");
    Z("gerade 2,355 zur geraden 6", "gerade", 2.355, "2", "2.36");
    Z("gerade negativ", "gerade", -2.675, "2", "-2.68");
    Z("gerade ganze Zahl 2,5", "gerade", 2.5, "0", "2");
    Z("gerade Uebertrag", "gerade", 9.9996, "3", "10");
    Z("gerade negative Stellen wie null", "gerade", 1.6, "-1", "2");
    Z("Dezimal kleiner Wert ohne Exponent", "Dezimal", 1e-5, "", "0,00001");
    Z("Dezimal binaerer Rest verschwindet", "Dezimal", 0.1 + 0.2, "", "0,3");
    Z("Dezimal negative null", "Dezimal", -0.0, "", "0");
    Z("Dezimal zwei Drittel gerundet", "Dezimal", 2.0 / 3, "", "0,666666666666667");
    Z("Dezimal grosse Zahl ohne Exponent", "Dezimal", 1e20, "", "100000000000000000000");
    Z("Dezimal mehr als 15 Stellen", "Dezimal", 123456789012345678.0, "", "123456789012346000");
    Z("Dezimal keine Tausendertrenner", "Dezimal", -1234.5678, "", "-1234,5678");
    Z("Serial Tag null", "Serial", 0.0, "", "30.12.1899 00:00");
    Z("Serial vor Tag null", "Serial", -1.0, "", "29.12.1899 00:00");
    Z("Serial Schalttag", "Serial", 45351.0, "", "29.02.2024 00:00");
    Z("Serial halbe Stunde", "Serial", 42139.6041666666667, "", "15.05.2015 14:30");
    Z("Serial negativ mit Uhrzeit", "Serial", -1.25, "", "29.12.1899 06:00");
    Z("Serial kurz vor Mitternacht", "Serial", 0.99999999999, "", "31.12.1899 00:00");
}

void FormateTest::formate()
{
    QFETCH(QString, funktion);
    QFETCH(double, wert);
    QFETCH(QString, zusatz);
    QFETCH(QString, erwartet);
    if (funktion == "Maske") {
        QCOMPARE(Formatieren(wert, zusatz), erwartet);
    } else if (funktion == "R") {
        QCOMPARE(QString::number(R(wert)) + (ImLongBereich(wert) ? "" : "*"), erwartet);
    } else if (funktion == "gerade") {
        // Exact: the result must be the double nearest to the decimal figure.
        QCOMPARE(QString::number(RundenGerade(wert, zusatz.toInt()), 'g', 17),
            QString::number(erwartet.toDouble(), 'g', 17));
    } else if (funktion == "Dezimal") {
        QCOMPARE(DezimalText(wert), erwartet);
    } else {
        const QDateTime zeit = QDateTime::fromString(erwartet, QStringLiteral("dd.MM.yyyy hh:mm"));
        QCOMPARE(DatumZeitAusSerial(wert), zeit);
        const double zurueck = SerialAusDatumZeit(zeit);
        QVERIFY2(std::fabs(zurueck - wert) < 1e-9, qPrintable(QString::number(zurueck, 'f', 10)));
        if (wert == std::floor(wert)) {
            QCOMPARE(DatumAusSerial(static_cast<int>(wert)), zeit.date());
            QCOMPARE(SerialAusDatum(zeit.date()), static_cast<long>(wert));
        }
    }
}

KELVORA_TEST(FormateTest)
#include "tst_Formate.moc"
