#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "grundlagen/NullFilter.h"
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
    void fehler_data();
    void fehler();
};

namespace {
const QVariant Null; // what a NULL column gives
} // namespace

void NullFilterTest::tabelle_data()
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
    QTest::newRow("blank String+ bleibt") << QVariant("  x ") << "String+" << QVariant("  x ") << M::QString;

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

// Unknown type words are a programming slip (note, no shutdown); values that
// do not fit their type point at damaged data (repair at the next start).
void NullFilterTest::fehler_data()
{
    QTest::addColumn<QVariant>("wert");
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("fehler"); // "" = unknown type word
    QTest::addColumn<bool>("protokolliert");
    QTest::newRow("klein geschrieben") << QVariant(1) << "integer" << "" << true;
    QTest::newRow("fremdes Wort") << QVariant("x") << "Zahl" << "" << true;
    QTest::newRow("null, unbekannter Typ") << Null << "Variant" << "" << false;
    QTest::newRow("Text als Double") << QVariant("abc") << "Double" << "13 (Typen unverträglich)" << false;
    QTest::newRow("Text als Date") << QVariant("gestern") << "Date" << "13 (Typen unverträglich)" << false;
    QTest::newRow("zu klein für Integer") << QVariant(-40000) << "Integer" << "6 (Überlauf)" << false;
    QTest::newRow("zu groß für Long") << QVariant(3e9) << "Long" << "6 (Überlauf)" << false;
}

void NullFilterTest::fehler()
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
    QCOMPARE(ergebnis.toInt(), 0);
    QCOMPARE(ergebnis.toString(), QString());
    QCOMPARE(ui.meldungen.size(), 1);
    if (fehler.isEmpty()) {
        QCOMPARE(ui.meldungen[0].text, QStringLiteral("Falscher Wert in der Funktion NullFilter"));
        QCOMPARE(ui.meldungen[0].titel, typ);
        QCOMPARE(ui.meldungen[0].symbol, Symbol::Information);
        QCOMPARE(ordner.Zeilen("Fehlerprotokoll.txt"),
            protokolliert ? QStringList { "E 04.12.26 10:00:00  Falscher Wert in der Funktion Nullfilter: " + typ
                + " (Tabelle Ration, Spalte FutterFrischMenge, Zeile 12)" }
                          : QStringList {});
        return;
    }
    QCOMPARE(ui.meldungen[0].text,
        "Fehler " + fehler
            + " in Prozedur NullFilter in Modul DatenTypen.\n\nDas Programm wird jetzt beendet und beim "
              "nächsten Neustart eine Reparatur der Datenbanken durchgeführt. Sollte das Problem dann "
              "weiterhin bestehen, informieren Sie bitte den Programmierer!");
    QCOMPARE(INILesen("Programm", "DatenbankenKomprimierenNotwendig"), QStringLiteral("1"));
    QVERIFY(
        !ordner.Zeilen("Fehlerprotokoll.txt").filter("(Tabelle Ration, Spalte FutterFrischMenge, Zeile 12)").isEmpty());
    // The program goes on: the next read works as usual.
    QCOMPARE(NullFilter(2.0, "Double"), QVariant(2.0));
    QCOMPARE(ui.beendetMitCode, -1);
}

KELVORA_TEST(NullFilterTest)
#include "tst_NullFilter.moc"
