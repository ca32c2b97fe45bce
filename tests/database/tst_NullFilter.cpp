#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "database/NullFilter.h"
#include "frame/FunktionenFuerINI.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

Q_DECLARE_METATYPE(QMetaType::Type)

class NullFilterTest : public QObject {
    Q_OBJECT
private slots:
    void tabelle_data();
    void tabelle();
    void unbekannterTyp_data();
    void unbekannterTyp();
    void umwandlungScheitert_data();
    void umwandlungScheitert();
    void nullAusDerDatenbank();
};

namespace {
const QVariant Null; // what a NULL column gives
QDateTime Tag0()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}
} // namespace

void NullFilterTest::tabelle_data()
{
    QTest::addColumn<QVariant>("wert");
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QVariant>("erwartet");
    QTest::addColumn<QMetaType::Type>("art");
    using M = QMetaType;
    const QVariant i0 = QVariant::fromValue<qint16>(0);

    for (const char* t : { "Integer", "Long", "Double", "Single", "Currency", "Date" })
        QTest::newRow(qPrintable(QStringLiteral("null %1").arg(t))) << Null << t << i0 << M::Short;
    QTest::newRow("null String") << Null << "String" << QVariant("") << M::QString;
    QTest::newRow("null Text") << Null << "Text" << QVariant("") << M::QString;
    QTest::newRow("null String+") << Null << "String+" << QVariant(" ") << M::QString;
    QTest::newRow("null Boolean") << Null << "Boolean" << QVariant(false) << M::Bool;
    QTest::newRow("typisiertes null") << QVariant(QMetaType::fromType<double>()) << "Double" << i0 << M::Short;

    QTest::newRow("blank Integer") << QVariant("  ") << "Integer" << i0 << M::Short;
    QTest::newRow("leer Long") << QVariant("") << "Long" << QVariant() << M::UnknownType;
    QTest::newRow("blank Double") << QVariant(" ") << "Double" << QVariant(0.0) << M::Double;
    QTest::newRow("leer Single") << QVariant("") << "Single" << QVariant(0.0f) << M::Float;
    QTest::newRow("leer Currency") << QVariant("") << "Currency" << QVariant(0.0) << M::Double;
    QTest::newRow("leer Date") << QVariant("") << "Date" << QVariant(Tag0()) << M::QDateTime;
    QTest::newRow("blank String bleibt") << QVariant("  ") << "String" << QVariant("  ") << M::QString;
    QTest::newRow("leer String+") << QVariant("") << "String+" << QVariant(" ") << M::QString;
    QTest::newRow("blank String+ bleibt") << QVariant("  x ") << "String+" << QVariant("  x ") << M::QString;
    QTest::newRow("abc String+") << QVariant("abc") << "String+" << QVariant("abc") << M::QString;

    QTest::newRow("40000 Integer wird Long")
        << QVariant(40000) << "Integer" << QVariant::fromValue<qint32>(40000) << M::Int;
    QTest::newRow("32000 bleibt Integer")
        << QVariant(32000) << "Integer" << QVariant::fromValue<qint16>(32000) << M::Short;
    QTest::newRow("2,5 Integer gerade") << QVariant(2.5) << "Integer" << QVariant::fromValue<qint16>(2) << M::Short;
    QTest::newRow("3,5 Integer gerade") << QVariant(3.5) << "Integer" << QVariant::fromValue<qint16>(4) << M::Short;
    QTest::newRow("Text Integer") << QVariant(" 12 ") << "Integer" << QVariant::fromValue<qint16>(12) << M::Short;
    QTest::newRow("-32768 Integer") << QVariant(-32768) << "Integer" << QVariant::fromValue<qint16>(-32768) << M::Short;
    QTest::newRow("Long") << QVariant(qlonglong(2147483647)) << "Long" << QVariant::fromValue<qint32>(2147483647)
                          << M::Int;
    QTest::newRow("Double") << QVariant(4.5) << "Double" << QVariant(4.5) << M::Double;
    QTest::newRow("Double aus Punkttext") << QVariant("4.5") << "Double" << QVariant(4.5) << M::Double;
    QTest::newRow("Double aus Kommatext") << QVariant("4,5") << "Double" << QVariant(4.5) << M::Double;
    QTest::newRow("Double aus Zahl") << QVariant(7) << "Double" << QVariant(7.0) << M::Double;
    QTest::newRow("Single") << QVariant(1.5) << "Single" << QVariant(1.5f) << M::Float;
    QTest::newRow("Currency vier Stellen") << QVariant(1.23456) << "Currency" << QVariant(1.2346) << M::Double;
    QTest::newRow("Currency halbe gerade") << QVariant(1.00005) << "Currency" << QVariant(1.0) << M::Double;
    QTest::newRow("Date ISO") << QVariant("2026-12-05T12:00:00") << "Date"
                              << QVariant(QDateTime(QDate(2026, 12, 5), QTime(12, 0))) << M::QDateTime;
    QTest::newRow("Date deutsch") << QVariant("04.12.2026") << "Date"
                                  << QVariant(QDateTime(QDate(2026, 12, 4), QTime(0, 0))) << M::QDateTime;
    QTest::newRow("Date Serial") << QVariant(42139) << "Date" << QVariant(QDateTime(QDate(2015, 5, 15), QTime(0, 0)))
                                 << M::QDateTime;
    QTest::newRow("String aus Double") << QVariant(4.5) << "String" << QVariant("4,5") << M::QString;
    QTest::newRow("Text aus Zahl") << QVariant(12) << "Text" << QVariant("12") << M::QString;
    QTest::newRow("5 Boolean") << QVariant(5) << "Boolean" << QVariant(true) << M::Bool;
    QTest::newRow("0 Boolean") << QVariant(0) << "Boolean" << QVariant(false) << M::Bool;
    QTest::newRow("-1 Boolean") << QVariant(-1) << "Boolean" << QVariant(true) << M::Bool;
    QTest::newRow("Text 0 Boolean") << QVariant("0") << "Boolean" << QVariant(false) << M::Bool;
    QTest::newRow("bool Boolean") << QVariant(true) << "Boolean" << QVariant(true) << M::Bool;
}

void NullFilterTest::tabelle()
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

void NullFilterTest::unbekannterTyp_data()
{
    QTest::addColumn<QVariant>("wert");
    QTest::addColumn<QString>("typ");
    QTest::addColumn<bool>("protokolliert");
    QTest::newRow("klein geschrieben") << QVariant(1) << "integer" << true;
    QTest::newRow("fremdes Wort") << QVariant("x") << "Zahl" << true;
    QTest::newRow("null") << Null << "Variant" << false;
}

void NullFilterTest::unbekannterTyp()
{
    QFETCH(QVariant, wert);
    QFETCH(QString, typ);
    QFETCH(bool, protokolliert);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QVariant ergebnis = NullFilter(wert, typ);
    QVERIFY(!ergebnis.isValid());
    QCOMPARE(ergebnis.toInt(), 0);
    QCOMPARE(ergebnis.toString(), QString());
    QCOMPARE(ui.meldungen.size(), 1);
    QCOMPARE(ui.meldungen[0].text, QStringLiteral("Falscher Wert in der Funktion NullFilter"));
    QCOMPARE(ui.meldungen[0].titel, typ);
    QCOMPARE(ui.meldungen[0].symbol, Symbol::Information);
    QCOMPARE(ordner.Zeilen("Fehlerprotokoll.txt"),
        protokolliert ? QStringList { "E 04.12.26 10:00:00  Falscher Wert in der Funktion Nullfilter: " + typ }
                      : QStringList {});
}

void NullFilterTest::umwandlungScheitert_data()
{
    QTest::addColumn<QVariant>("wert");
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("fehler");
    QTest::newRow("Text als Double") << QVariant("abc") << "Double"
                                     << "13 (Typen unverträglich)";
    QTest::newRow("Text als Boolean") << QVariant("vielleicht") << "Boolean"
                                      << "13 (Typen unverträglich)";
    QTest::newRow("Text als Date") << QVariant("gestern") << "Date"
                                   << "13 (Typen unverträglich)";
    QTest::newRow("zu klein für Integer") << QVariant(-40000) << "Integer"
                                          << "6 (Überlauf)";
    QTest::newRow("zu groß für Long") << QVariant(3e9) << "Long"
                                      << "6 (Überlauf)";
}

void NullFilterTest::umwandlungScheitert()
{
    QFETCH(QVariant, wert);
    QFETCH(QString, typ);
    QFETCH(QString, fehler);
    TestOberflaeche ui;
    TestDatenordner ordner;
    QVERIFY(!NullFilter(wert, typ).isValid());
    QCOMPARE(ui.Texte(),
        QStringList { "Fehler " + fehler
            + " in Prozedur NullFilter in Modul DatenTypen.\n\nDas Programm wird jetzt beendet und beim "
              "nächsten Neustart eine Reparatur der Datenbanken durchgeführt. Sollte das Problem dann "
              "weiterhin bestehen, informieren Sie bitte den Programmierer!" });
    QCOMPARE(INILesen("Programm", "DatenbankenKomprimierenNotwendig"), QStringLiteral("1"));
    // The program goes on: the next read works as usual.
    QCOMPARE(NullFilter(2.0, "Double"), QVariant(2.0));
    QCOMPARE(ui.beendetMitCode, -1);
}

void NullFilterTest::nullAusDerDatenbank()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, TestDatenbankAnlegen()));
    QVERIFY(AnweisungAusfuehren(
        v, "INSERT INTO Futtermittel (Bezeichnung, TM_g, Preis) VALUES (?, ?, NULL)", { QVariant(), 880 }));
    QSqlQuery q;
    QVERIFY(AbfrageOeffnen(v, q, "SELECT Bezeichnung, TM_g, Preis, AngelegtAm FROM Futtermittel ORDER BY ID DESC"));
    QVERIFY(q.next());
    QCOMPARE(NullFilter(q.value(0), "String"), QVariant(""));
    QCOMPARE(NullFilter(q.value(0), "String+"), QVariant(" "));
    QCOMPARE(NullFilter(q.value(1), "Double").toDouble(), 880.0);
    QCOMPARE(NullFilter(q.value(1), "Long"), QVariant::fromValue<qint32>(880));
    QCOMPARE(NullFilter(q.value(2), "Currency"), QVariant::fromValue<qint16>(0));
    QCOMPARE(NullFilter(q.value(3), "Date"), QVariant::fromValue<qint16>(0));
    QVERIFY(ui.meldungen.isEmpty());
}

KELVORA_TEST(NullFilterTest)
#include "tst_NullFilter.moc"
