#include "DatenbankTestHilfen.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "database/Schemapflege.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

class SchemapflegeTest : public QObject {
    Q_OBJECT
private slots:
    void feldHinzufuegen_data();
    void feldHinzufuegen();
    void schemaPflegen();
};

namespace {

// Declared type and default of a column, "" when the column is missing.
QStringList Spalte(const QString& pfad, const QString& tabelle, const QString& spalte)
{
    Verbindung v;
    bool b;
    if (!DatenbankOeffnenVersuch(v, pfad, true, b))
        return { "keine Verbindung" };
    QSqlQuery q;
    AbfrageOeffnen(v, q, "SELECT type, dflt_value FROM pragma_table_info(?) WHERE name = ?", { tabelle, spalte });
    if (!q.next())
        return {};
    return { q.value(0).toString(), q.value(1).isNull() ? "<NULL>" : q.value(1).toString() };
}

} // namespace

// Each column is added through the caller's open connection; a second
// attempt finds it there.
void SchemapflegeTest::feldHinzufuegen_data()
{
    QTest::addColumn<QString>("wort");
    QTest::addColumn<int>("laenge");
    QTest::addColumn<QVariant>("vorgabe"); // invalid: no default
    QTest::addColumn<QStringList>("spalte");
    QTest::addColumn<QVariant>("gelesen"); // the value a new row gets
    using L = QStringList;
    QTest::newRow("DATETIME") << "DATETIME" << 0 << QVariant() << L { "DATETIME", "<NULL>" } << QVariant();
    QTest::newRow("DATE") << "DATE" << 0 << QVariant(QDate(2015, 5, 15)) << L { "DATETIME", "'2015-05-15'" }
                          << QVariant("2015-05-15");
    QTest::newRow("MEMO") << "MEMO" << 0 << QVariant("Ein 'Text'") << L { "MEMO", "'Ein ''Text'''" }
                          << QVariant("Ein 'Text'");
    QTest::newRow("TEXT") << "TEXT" << 50 << QVariant("") << L { "TEXT(50)", "''" } << QVariant("");
    QTest::newRow("BOOLEAN") << "BOOLEAN" << 0 << QVariant(true) << L { "YESNO", "1" } << QVariant(1);
    QTest::newRow("klein geschrieben") << "integer" << 0 << QVariant(3) << L { "INTEGER", "3" } << QVariant(3);
}

void SchemapflegeTest::feldHinzufuegen()
{
    QFETCH(QString, wort);
    QFETCH(int, laenge);
    QFETCH(QVariant, vorgabe);
    QFETCH(QStringList, spalte);
    QFETCH(QVariant, gelesen);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, pfad));
    const int verbindungen = QSqlDatabase::connectionNames().size();
    QVERIFY(Feldhinzufuegen(pfad, "Ration", "Feld", wort, laenge, false, !vorgabe.isValid(), vorgabe, &v));
    QCOMPARE(QSqlDatabase::connectionNames().size(), verbindungen);
    QCOMPARE(Spalte(pfad, "Ration", "Feld"), spalte);
    QVERIFY(AnweisungAusfuehren(v, "INSERT INTO Ration (FutterID) VALUES (1)"));
    QSqlQuery q;
    QVERIFY(AbfrageOeffnen(v, q, "SELECT Feld FROM Ration") && q.next());
    QCOMPARE(q.value(0).isNull(), !gelesen.isValid());
    if (gelesen.isValid())
        QCOMPARE(q.value(0).toString(), gelesen.toString());

    // The existing column stays silent unless the caller wants the error
    // shown, and is never logged as an error.
    QVERIFY(!Feldhinzufuegen(pfad, "Ration", "Feld", wort, laenge, false, true, QVariant()));
    QVERIFY(ui.meldungen.isEmpty());
    QVERIFY(!Feldhinzufuegen(pfad, "Ration", "Feld", wort, laenge, true, true, QVariant()));
    QCOMPARE(ui.meldungen.size(), 1);
    QVERIFY(ui.meldungen[0].text.contains("duplicate column name"));
    QVERIFY(!QFile::exists(ordner.Pfad("Fehlerprotokoll.txt")));
}

void SchemapflegeTest::schemaPflegen()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    // A missing database is handled when it is first needed, not at start.
    QVERIFY(!SchemaPflegen());
    QVERIFY(!QFile::exists(programm().futterDatenbank));

    QVERIFY(EigeneDatenbankAnlegen(programm().futterDatenbank,
        "CREATE TABLE Futtermittel (ID INTEGER PRIMARY KEY AUTOINCREMENT, Bezeichnung TEXT);"
        "INSERT INTO Futtermittel (Bezeichnung) VALUES ('Heu');"));
    QVERIFY(SchemaPflegen());
    QCOMPARE(Spalte(programm().futterDatenbank, "Futtermittel", "FutterArtIOFC"), (QStringList { "INTEGER", "0" }));
    QVERIFY(DatenbankInhalt(programm().futterDatenbank).contains("Futtermittel|1|Heu|0"));
    const QStringList log = ordner.Zeilen("26_12_04.txt");
    QCOMPARE(log.last(), "E 10:00:00              OK: ALTER TABLE Futtermittel ADD COLUMN FutterArtIOFC INTEGER DEFAULT 0");
    QVERIFY(!SchemaPflegen());
    QCOMPARE(ordner.Zeilen("26_12_04.txt"), log);

    // The delivered database has the column from the start.
    TestDatenbankAnlegen();
    QVERIFY(!SchemaPflegen());
    QVERIFY(ui.meldungen.isEmpty());
    QVERIFY(!QFile::exists(ordner.Pfad("Fehlerprotokoll.txt")));
}

KELVORA_TEST(SchemapflegeTest)
#include "tst_Schemapflege.moc"
