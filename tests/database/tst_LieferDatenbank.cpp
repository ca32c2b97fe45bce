#include "DatenbankTestHilfen.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "database/LieferDatenbank.h"
#include "database/Schemapflege.h"

#include <QDir>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// The delivered database, how a new data folder gets it, and the upkeep that
// brings an older database's tables up to date.
class LieferDatenbankTest : public QObject {
    Q_OBJECT
private slots:
    void anweisungen_data();
    void anweisungen();
    void eigeneDateien();
    void datenordnerEinrichten_data();
    void datenordnerEinrichten();
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

void LieferDatenbankTest::anweisungen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("anweisungen");
    QTest::newRow("Kommentare") << "-- Kopf; mit Semikolon\nCREATE TABLE a (\n  x INTEGER -- Zahl; auch\n);\n-- Ende"
                                << QStringList { "CREATE TABLE a (\n  x INTEGER \n)" };
    QTest::newRow("Blockkommentar") << "/* a; b */ SELECT 1;" << QStringList { "SELECT 1" };
    QTest::newRow("Semikolon und Strich in Text") << "INSERT INTO t VALUES ('a;b--', \"c;d\", [e;f]);"
                                                  << QStringList { "INSERT INTO t VALUES ('a;b--', \"c;d\", [e;f])" };
    QTest::newRow("ohne letztes Semikolon") << "SELECT 1;;\n  \nSELECT 2" << QStringList { "SELECT 1", "SELECT 2" };
    QTest::newRow("leer") << "  -- nur Kommentar\n" << QStringList {};
}

void LieferDatenbankTest::anweisungen()
{
    QFETCH(QString, text);
    QFETCH(QStringList, anweisungen);
    QCOMPARE(SqlAnweisungen(text), anweisungen);
}

// A CSV file with byte order mark, Windows line ends and empty fields fills
// the table named like it; an existing target is replaced.
void LieferDatenbankTest::eigeneDateien()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    QDir().mkpath(ordner.Pfad("quelle"));
    ordner.Schreiben("quelle/schema.sql",
        "CREATE TABLE \"Sorte\" (ID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, \"Größe\" DOUBLE, Tag DATETIME);");
    ordner.Schreiben(
        "quelle/sorte.csv", "\xEF\xBB\xBFName;Größe;Tag\r\nHeu;4.5;2026-12-05T12:00:00\r\n;;\r\nStroh;12;\r\n");
    const QString ziel = ordner.Pfad("Liefer.mdb");
    ordner.Schreiben("Liefer.mdb", "alter Stand");
    QString fehler;
    QVERIFY2(LieferDatenbankBauen(ordner.Pfad("quelle"), ziel, &fehler), qPrintable(fehler));
    QCOMPARE(DatenbankInhalt(ziel),
        (QStringList { "Sorte|1|Heu|4.5|2026-12-05T12:00:00", "Sorte|2|<NULL>|<NULL>|<NULL>", "Sorte|3|Stroh|12|<NULL>",
            "sqlite_sequence|Sorte|3" }));
    QVERIFY(!QFile::exists(ziel + ".neu"));
}

void LieferDatenbankTest::datenordnerEinrichten_data()
{
    QTest::addColumn<QString>("vorhanden"); // a file already in the data folder, "" = none
    QTest::addColumn<bool>("eingerichtet");
    QTest::newRow("neuer Ordner") << "" << true;
    QTest::newRow("Datenbank vorhanden") << "Futter.mdb" << false;
    // Names in any letter case count, as a folder copied from Windows has them.
    QTest::newRow("nur BAK") << "FUTTER.BAK" << false;
    QTest::newRow("nur INI") << "Kelvora.ini" << false;
    QTest::newRow("nur ein Protokoll") << "26_12_04.txt" << true;
    QTest::newRow("Kopie im Sicherungsordner") << "Sicherung/Futter_2026_12_03.mdb" << false;
}

void LieferDatenbankTest::datenordnerEinrichten()
{
    QFETCH(QString, vorhanden);
    QFETCH(bool, eingerichtet);
    TestOberflaeche ui;
    TestDatenordner programmOrdner;
    const QString lieferung = TestDatenbankAnlegen(LieferDatenbankName);
    QFile(lieferung).setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadOther); // as installed
    const QString ausfuehrungsOrdner = QFileInfo(lieferung).absolutePath();

    TestDatenordner ordner;
    QDir().mkpath(ordner.Pfad("Sicherung"));
    if (!vorhanden.isEmpty())
        ordner.Schreiben(vorhanden, "geänderte Daten des Benutzers");
    const auto vorher = ordner.Roh("Futter.mdb");
    QCOMPARE(DatenordnerEinrichten(ausfuehrungsOrdner), eingerichtet);
    if (eingerichtet) {
        QCOMPARE(ordner.Roh("Futter.mdb"), programmOrdner.Roh(LieferDatenbankName));
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, ordner.Pfad("Futter.mdb")));
        QVERIFY(AnweisungAusfuehren(v, "DELETE FROM Ration"));
    } else {
        QCOMPARE(ordner.Roh("Futter.mdb"), vorher);
    }
    QVERIFY(ui.meldungen.isEmpty());
}

// Each column is added through the caller's open connection; a second
// attempt finds it there.
void LieferDatenbankTest::feldHinzufuegen_data()
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

void LieferDatenbankTest::feldHinzufuegen()
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

void LieferDatenbankTest::schemaPflegen()
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
    QCOMPARE(ordner.Zeilen("26_12_04.txt").last(),
        "E 10:00:00              OK: ALTER TABLE Futtermittel ADD COLUMN FutterArtIOFC INTEGER DEFAULT 0");
    QVERIFY(!SchemaPflegen());
    QVERIFY(ui.meldungen.isEmpty());
    QVERIFY(!QFile::exists(ordner.Pfad("Fehlerprotokoll.txt")));
}

KELVORA_TEST(LieferDatenbankTest)
#include "tst_LieferDatenbank.moc"
