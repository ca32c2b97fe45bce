#include "TestRegister.h"
#include "grundlagen/DatenTypen.h"

#include <QTest>

using namespace kelvora;

// Text read from input fields and files into numbers and dates. One table;
// "funktion" names the conversion, dates are written dd.MM.yyyy hh:mm:ss.
class DatenTypenTest : public QObject {
    Q_OBJECT
private slots:
    void umwandeln_data();
    void umwandeln();
};

namespace {

const QString Muster = QStringLiteral("dd.MM.yyyy hh:mm:ss");
const char* const Null = "30.12.1899 00:00:00";

void Z(const char* name, const char* funktion, const QString& text, const QString& erwartet)
{
    QTest::newRow(name) << QString::fromLatin1(funktion) << text << erwartet;
}

} // namespace

void DatenTypenTest::umwandeln_data()
{
    QTest::addColumn<QString>("funktion");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("erwartet");
    Z("Long Tausender und Dezimalkomma", "Long", "1.234,56", "1234");
    Z("Long Einheit dahinter", "Long", "12 kg", "12");
    Z("Long Minus hinten", "Long", "7-", "-7");
    Z("Long Minus mitten drin", "Long", "12-3", "-123");
    Z("Long zehn Ziffern", "Long", "1234567890", "0");
    Z("Long zehn Ziffern mit fuehrender Null", "Long", "0000000001", "0");
    Z("Long Komma schneidet ab, rundet nicht", "Long", "5,9", "5");
    Z("Long Leerzeichen nach Minus beendet", "Long", "- 5", "0");
    Z("Long Ziffern nach Text zaehlen nicht", "Long", "kg 12", "0");
    Z("Double Komma", "Double", "4,5", "4.5");
    Z("Double fuehrendes Komma", "Double", ",5", "0.5");
    Z("Double nur der erste Trenner zaehlt", "Double", "1.234,5", "1.2345");
    Z("Double true", "Double", "true", "-1");
    Z("Double nur Minus", "Double", "-", "0");
    Z("Double negativ mit Leerzeichen", "Double", "  -3,25 ", "-3.25");
    Z("Double negativ ohne Null", "Double", "-,5", "-0.5");
    Z("Double Einheit nach Dezimalzahl", "Double", "1,5 kg", "1.5");
    Z("Double zweites Minus wird Trenner", "Double", "5-3", "5.3");
    Z("Double grosse Zahl", "Double", "123456789012", "123456789012");
    Z("Datum Jahr-Monat-Tag", "Datum", "2015-05-15", "15.05.2015 00:00:00");
    Z("Datum ohne fuehrende Nullen", "Datum", "1.2.2026", "01.02.2026 00:00:00");
    Z("Datum zweistellig 29", "Datum", "01.01.29", "01.01.2029 00:00:00");
    Z("Datum zweistellig 30", "Datum", "01.01.30", "01.01.1930 00:00:00");
    Z("Datum zweistellig 00", "Datum", "29.02.00", "29.02.2000 00:00:00");
    Z("Datum weiche Trennstriche", "Datum", QStringLiteral("15\u00AD05\u00AD2015"), "15.05.2015 00:00:00");
    Z("Datum mit Uhrzeit", "Datum", "04.12.2026 10:15:30", "04.12.2026 10:15:30");
    Z("Datum ein Trenner", "Datum", "15.05", Null);
    Z("Datum Schraegstriche", "Datum", "2015/05/15", Null);
    Z("Datum Bindestriche nicht zehn lang", "Datum", "2015-5-15", Null);
    Z("Datum kein Kalendertag", "Datum", "31.02.2015", Null);
    Z("SQL Monat zuerst, ohne Nullen", "SQL", "15.05.2015 00:00:00", "#5/15/2015#");
    Z("SQL Uhrzeit bleibt weg", "SQL", "09.01.2026 23:59:59", "#1/9/2026#");
}

void DatenTypenTest::umwandeln()
{
    QFETCH(QString, funktion);
    QFETCH(QString, text);
    QFETCH(QString, erwartet);
    if (funktion == "Long") {
        QCOMPARE(TextInLong(text), erwartet.toLong());
    } else if (funktion == "Double") {
        QCOMPARE(TextInDouble(text), erwartet.toDouble());
    } else if (funktion == "Datum") {
        QCOMPARE(TextInDatum(text), QDateTime::fromString(erwartet, Muster));
    } else {
        const QDateTime datum = QDateTime::fromString(text, Muster);
        QCOMPARE(DatumFuerSQL(datum), erwartet);
        QCOMPARE(DatumFuerSQL(datum.date()), erwartet);
    }
}

KELVORA_TEST(DatenTypenTest)
#include "tst_DatenTypen.moc"
