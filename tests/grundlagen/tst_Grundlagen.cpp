#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/FunktionenFuerINI.h"
#include "grundlagen/DatenTypen.h"
#include "grundlagen/Formate.h"
#include "grundlagen/NullFilter.h"
#include "grundlagen/ZahlText.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace kelvora;
using namespace kelvora::test;

Q_DECLARE_METATYPE(QMetaType::Type)

// Text to numbers and dates, numbers to text, rounding, date serials, and the
// values read from database columns.
class GrundlagenTest : public QObject {
    Q_OBJECT
private slots:
    void umwandeln_data();
    void umwandeln();
    void formate_data();
    void formate();
    void nullFilter_data();
    void nullFilter();
    void nullFilterFehler_data();
    void nullFilterFehler();
};

namespace {

const QString Muster = QStringLiteral("dd.MM.yyyy hh:mm:ss");
const char* const NullDatum = "30.12.1899 00:00:00";

void T(const char* name, const char* funktion, const QString& text, const QString& erwartet)
{
    QTest::newRow(name) << QString::fromLatin1(funktion) << text << erwartet;
}

} // namespace

// Text read from input fields and files; dates are written dd.MM.yyyy hh:mm:ss.
void GrundlagenTest::umwandeln_data()
{
    QTest::addColumn<QString>("funktion");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("erwartet");
    T("Long Tausender und Dezimalkomma", "Long", "1.234,56", "1234");
    T("Long Einheit dahinter", "Long", "12 kg", "12");
    T("Long Minus hinten", "Long", "7-", "-7");
    T("Long Minus mitten drin ist keine Zahl", "Long", "12-3", "0");
    T("Long Exponent ist keine Zahl", "Long", "1e308", "0");
    T("Long zehn Ziffern", "Long", "1234567890", "0");
    T("Long zehn Ziffern mit fuehrender Null", "Long", "0000000001", "0");
    T("Long Komma schneidet ab, rundet nicht", "Long", "5,9", "5");
    T("Long Leerzeichen nach Minus beendet", "Long", "- 5", "0");
    T("Long Ziffern nach Text zaehlen nicht", "Long", "kg 12", "0");
    T("Double Komma", "Double", "4,5", "4.5");
    T("Double fuehrendes Komma", "Double", ",5", "0.5");
    T("Double Tausenderpunkt", "Double", "1.234,5", "1234.5");
    T("Double Exponent ist keine Zahl", "Double", "1e308", "0");
    T("Double Prozent dahinter", "Double", "12,5%", "12.5");
    T("Double true", "Double", "true", "-1");
    T("Double nur Minus", "Double", "-", "0");
    T("Double negativ mit Leerzeichen", "Double", "  -3,25 ", "-3.25");
    T("Double negativ ohne Null", "Double", "-,5", "-0.5");
    T("Double Einheit nach Dezimalzahl", "Double", "1,5 kg", "1.5");
    T("Double zweites Minus ist keine Zahl", "Double", "5-3", "0");
    T("Double grosse Zahl", "Double", "123456789012", "123456789012");
    // The one reader for numbers from outside; "-" stands for refused.
    T("Zahl negativ", "Zahl", " -12,5 ", "-12.5");
    T("Zahl minus null", "Zahl", "-0", "0");
    T("Zahl Punkt", "Zahl", "12.5", "12.5");
    T("Zahl nur Nachkommastellen", "Zahl", ",5", "0.5");
    T("Zahl Tausenderpunkte und Komma", "Zahl", "1.234.567,5", "1234567.5");
    T("Zahl Tausenderpunkt allein", "Zahl", "1.234", "1234");
    T("Zahl führende Null ist kein Tausender", "Zahl", "0.234", "0.234");
    T("Zahl 15 Ziffern", "Zahl", "999999999999999", "999999999999999");
    T("Zahl 16 Ziffern", "Zahl", "9999999999999999", "-");
    T("Zahl 16 Nachkommastellen", "Zahl", "0,1234567890123456", "-");
    T("Zahl 400 Ziffern", "Zahl", QString(400, QLatin1Char('7')), "-");
    T("Zahl Exponent", "Zahl", "1e308", "-");
    T("Zahl NaN", "Zahl", "NaN", "-");
    T("Zahl inf", "Zahl", "-inf", "-");
    T("Zahl englische Tausender", "Zahl", "1,234.5", "-");
    T("Zahl beide Trenner", "Zahl", "1,2.3", "-");
    T("Zahl Tausendergruppe zu kurz", "Zahl", "1.23,5", "-");
    T("Zahl leer", "Zahl", "  ", "-");
    T("Zahl Buchstaben", "Zahl", "12a", "-");
    T("Zahl Plus", "Zahl", "+5", "-");
    T("Zahl Leerzeichen in der Zahl", "Zahl", "1 234", "-");
    T("Zahl arabische Ziffern", "Zahl", QStringLiteral("\u0663"), "-");
    T("Ganzzahl mit Nullen hinter dem Komma", "Ganz", "3,00", "3");
    T("Ganzzahl mit Nachkommastelle", "Ganz", "2,5", "-");
    T("Ganzzahl über Long", "Ganz", "3000000000", "-");
    // KELVORA.INI through the same reader: what it refuses leaves the default 7 and a line in the error log.
    T("INI Exponent", "INI", "1e308", "7");
    T("INI Tausenderpunkt", "INI", "1.234,5", "1234.5");
    T("INI ohne Wert", "INI", "", "0");
    T("Datum Jahr-Monat-Tag", "Datum", "2015-05-15", "15.05.2015 00:00:00");
    T("Datum ohne fuehrende Nullen", "Datum", "1.2.2026", "01.02.2026 00:00:00");
    T("Datum zweistellig 29", "Datum", "01.01.29", "01.01.2029 00:00:00");
    T("Datum zweistellig 30", "Datum", "01.01.30", "01.01.1930 00:00:00");
    T("Datum zweistellig 00", "Datum", "29.02.00", "29.02.2000 00:00:00");
    T("Datum weiche Trennstriche", "Datum", QStringLiteral("15\u00AD05\u00AD2015"), "15.05.2015 00:00:00");
    T("Datum mit Uhrzeit", "Datum", "04.12.2026 10:15:30", "04.12.2026 10:15:30");
    T("Datum Bindestriche nicht zehn lang", "Datum", "2015-5-15", NullDatum);
    T("Datum kein Kalendertag", "Datum", "31.02.2015", NullDatum);
    T("SQL Monat zuerst, ohne Nullen", "SQL", "15.05.2015 00:00:00", "#5/15/2015#");
    T("SQL Uhrzeit bleibt weg", "SQL", "09.01.2026 23:59:59", "#1/9/2026#");
}

void GrundlagenTest::umwandeln()
{
    QFETCH(QString, funktion);
    QFETCH(QString, text);
    QFETCH(QString, erwartet);
    if (funktion == "Zahl" || funktion == "Ganz") {
        std::optional<double> z = ZahlAusText(text);
        if (const std::optional<long> g = GanzzahlAusText(text); funktion == "Ganz")
            z = g ? std::optional<double>(double(*g)) : std::nullopt;
        QCOMPARE(z.has_value(), erwartet != "-");
        if (z) {
            QCOMPARE(*z, erwartet.toDouble());
            QVERIFY(!std::signbit(*z) || *z != 0);
        }
    } else if (funktion == "INI") {
        TestOberflaeche ui;
        TestDatenordner ordner;
        QVERIFY(INISpeichern("Test", "Wert", text, true));
        QCOMPARE(INILesenZahl("Test", "Wert", 7), erwartet.toDouble());
        QCOMPARE(ordner.Zeilen("Fehlerprotokoll.txt").filter("[Test] Wert = \"" + text + "\" ist keine Zahl").size(),
            text == "1e308" ? 1 : 0);
    } else if (funktion == "Long") {
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

namespace {

// "zusatz" is the second argument of the function named.
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
    Z("00 Pflichtstellen", "Maske", 5.0, "00", "05");
    Z("#0.0# beide Stellen", "Maske", 1.25, "#0.0#", "1,25");
    Z("Percent Dezimalwert", "Maske", 0.12345, "Percent", "12,35 %");
    Z("Standard", "Maske", 1234.5, "Standard", "1.234,50");
    Z("Text hinter der Zahl", "Maske", 4.5, "0.0 kg", "4,5 kg");
    Z("Prozentzeichen", "Maske", 0.255, "0%", "26%");
    Z("leere Maske", "Maske", 0.1 + 0.2, "", "0,3");
    Z("keine Zahl", "Maske", std::nan(""), "#0.00", "");
    // Clearly off a half, below 10^9 at the place rounded to, whole numbers:
    // the short ways must give what the 15 digits give.
    Z("#0.00 knapp unter der Haelfte", "Maske", 2.3449, "#0.00", "2,34");
    Z("#0.00 negativ gegen null", "Maske", -0.0049, "#0.00", "0,00");
    Z("##0 Haelfte einer Kommazahl", "Maske", 12.5, "##0", "13");
    Z("###,##0 groesste ganze Zahl der 15 Stellen", "Maske", 999999999999999.0, "###,##0", "999.999.999.999.999");
    Z("#,##0 ueber 10 hoch 9", "Maske", 1234567890.6, "#,##0", "1.234.567.891");
    Z("sieben Stellen", "Maske", 0.12345675, "0.0000000", "0,1234568");
}

} // namespace

void GrundlagenTest::formate_data()
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
    Z("gerade Preis auf vier Stellen", "gerade", 25.12345, "4", "25.1234");
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

void GrundlagenTest::formate()
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

namespace {
const QVariant Null; // what a NULL column gives
} // namespace

void GrundlagenTest::nullFilter_data()
{
    QTest::addColumn<QVariant>("wert");
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QVariant>("erwartet");
    QTest::addColumn<QMetaType::Type>("art");
    using M = QMetaType;
    const QVariant i0 = QVariant::fromValue<qint16>(0);

    for (const char* t : { "Integer", "Long", "Double", "Currency", "Date" })
        QTest::newRow(qPrintable(QStringLiteral("null %1").arg(t))) << Null << t << i0 << M::Short;
    QTest::newRow("null String") << Null << "String" << QVariant("") << M::QString;
    QTest::newRow("null String+") << Null << "String+" << QVariant(" ") << M::QString;
    QTest::newRow("null Boolean") << Null << "Boolean" << QVariant(false) << M::Bool;
    QTest::newRow("typisiertes null") << QVariant(QMetaType::fromType<double>()) << "Double" << i0 << M::Short;

    QTest::newRow("blank Integer") << QVariant("  ") << "Integer" << i0 << M::Short;
    QTest::newRow("leer Long") << QVariant("") << "Long" << QVariant() << M::UnknownType;
    QTest::newRow("leer Date") << QVariant("") << "Date" << QVariant(QDateTime(QDate(1899, 12, 30), QTime(0, 0))) << M::QDateTime;
    QTest::newRow("blank String bleibt") << QVariant("  ") << "String" << QVariant("  ") << M::QString;

    QTest::newRow("40000 Integer wird Long")
        << QVariant(40000) << "Integer" << QVariant::fromValue<qint32>(40000) << M::Int;
    QTest::newRow("32000 bleibt Integer")
        << QVariant(32000) << "Integer" << QVariant::fromValue<qint16>(32000) << M::Short;
    QTest::newRow("2,5 Integer gerade") << QVariant(2.5) << "Integer" << QVariant::fromValue<qint16>(2) << M::Short;
    QTest::newRow("Text Integer") << QVariant(" 12 ") << "Integer" << QVariant::fromValue<qint16>(12) << M::Short;
    QTest::newRow("Long") << QVariant(qlonglong(2147483647)) << "Long" << QVariant::fromValue<qint32>(2147483647)
                          << M::Int;
    QTest::newRow("Double aus Kommatext") << QVariant("4,5") << "Double" << QVariant(4.5) << M::Double;
    QTest::newRow("Single") << QVariant(1.5) << "Single" << QVariant(1.5f) << M::Float;
    QTest::newRow("Currency vier Stellen") << QVariant(1.23456) << "Currency" << QVariant(1.2346) << M::Double;
    QTest::newRow("Currency halbe gerade") << QVariant(1.00005) << "Currency" << QVariant(1.0) << M::Double;
    QTest::newRow("Date ISO") << QVariant("2026-12-05T12:00:00") << "Date"
                              << QVariant(QDateTime(QDate(2026, 12, 5), QTime(12, 0))) << M::QDateTime;
    QTest::newRow("Date Serial") << QVariant(42139) << "Date" << QVariant(QDateTime(QDate(2015, 5, 15), QTime(0, 0)))
                                 << M::QDateTime;
    QTest::newRow("String aus Double") << QVariant(4.5) << "String" << QVariant("4,5") << M::QString;
    QTest::newRow("5 Boolean") << QVariant(5) << "Boolean" << QVariant(true) << M::Bool;
    QTest::newRow("Text 0 Boolean") << QVariant("0") << "Boolean" << QVariant(false) << M::Bool;
}

void GrundlagenTest::nullFilter()
{
    QFETCH(QVariant, wert);
    QFETCH(QString, typ);
    QFETCH(QVariant, erwartet);
    QFETCH(QMetaType::Type, art);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QVariant ergebnis = NullFilter(wert, typ);
    QCOMPARE(ergebnis.metaType().id(), static_cast<int>(art));
    QCOMPARE(ergebnis, erwartet);
    QVERIFY(ui.meldungen.isEmpty());
}

// Unknown type words are a programming slip (note, no shutdown); values that
// do not fit their type point at damaged data (repair at the next start).
void GrundlagenTest::nullFilterFehler_data()
{
    QTest::addColumn<QVariant>("wert");
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("fehler"); // "" = unknown type word
    QTest::addColumn<bool>("protokolliert");
    QTest::newRow("klein geschrieben") << QVariant(1) << "integer" << "" << true;
    QTest::newRow("null, unbekannter Typ") << Null << "Variant" << "" << false;
    QTest::newRow("Text als Double") << QVariant("abc") << "Double" << "13 (Typen unverträglich)" << true;
    QTest::newRow("Text als Date") << QVariant("gestern") << "Date" << "13 (Typen unverträglich)" << true;
    QTest::newRow("zu klein für Integer") << QVariant(-32769) << "Integer" << "6 (Überlauf)" << true;
    QTest::newRow("zu groß für Long") << QVariant(3e9) << "Long" << "6 (Überlauf)" << true;
}

void GrundlagenTest::nullFilterFehler()
{
    QFETCH(QVariant, wert);
    QFETCH(QString, typ);
    QFETCH(QString, fehler);
    QFETCH(bool, protokolliert);
    TestOberflaeche ui;
    TestDatenordner ordner;
    QVariant ergebnis;
    {
        const NullFilterStelle stelle("Ration", "FutterFrischMenge", 12);
        ergebnis = NullFilter(wert, typ);
    }
    QVERIFY(!ergebnis.isValid());
    QCOMPARE(ui.meldungen.size(), 1);
    // The error log names the column and row being read.
    QCOMPARE(ordner.Zeilen("Fehlerprotokoll.txt").filter("(Tabelle Ration, Spalte FutterFrischMenge, Zeile 12)").size(),
        protokolliert ? 1 : 0);
    if (fehler.isEmpty()) {
        QCOMPARE(ui.meldungen[0].text, QStringLiteral("Falscher Wert in der Funktion NullFilter"));
        QCOMPARE(ui.meldungen[0].symbol, Symbol::Information);
        return;
    }
    QVERIFY(ui.meldungen[0].text.startsWith("Fehler " + fehler + " in Prozedur NullFilter in Modul DatenTypen."));
    QCOMPARE(INILesen("Programm", "DatenbankenKomprimierenNotwendig"), QStringLiteral("1"));
    // The program goes on: the next read works as usual.
    QCOMPARE(NullFilter(2.0, "Double"), QVariant(2.0));
    QCOMPARE(ui.beendetMitCode, -1);
}

KELVORA_TEST(GrundlagenTest)
#include "tst_Grundlagen.moc"
