#include "DatenbankTestHilfen.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "database/Datenbankholen.h"
#include "database/LieferDatenbank.h"
#include "database/SchnelleAbfrage.h"
#include "database/Schemapflege.h"
#include "frame/FunktionenFuerINI.h"
#include "ration/RationAuswerten.h"

#include <QDir>
#include <QDirIterator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// The database from its delivery to each start: how it is built and how a new
// data folder gets it, which file becomes Futter.mdb at start-up, what a crash
// left behind, when it is compacted, and the upkeep that brings an older
// database's tables up to date. The test clock stands at 04.12.2026 10:00.
class DatenbankTest : public QObject {
    Q_OBJECT
private slots:
    void anweisungen_data();
    void anweisungen();
    void eigeneDateien();
    void datenordnerEinrichten_data();
    void datenordnerEinrichten();
    void holen_data();
    void holen();
    void sicherungsordnerAusIni();
    void beschaedigteSeite();
    void pfadHolen_data();
    void pfadHolen();
    void feldHinzufuegen_data();
    void feldHinzufuegen();
    void schemaPflegen();
    void wartendeVerbindung_data();
    void wartendeVerbindung();
    void schnelleAbfrage_data();
    void schnelleAbfrage();
    void schnelleAbfrageBesetzt();
};

namespace {

QDateTime Heute(int stunde)
{
    return QDateTime(QDate(2026, 12, 4), QTime(stunde, 0));
}

void Anlegen(const TestDatenordner& ordner, const QString& name, double stundenAlt)
{
    if (stundenAlt < 0)
        return;
    ordner.Schreiben(name, "Inhalt von " + name.toUtf8());
    ordner.DateizeitSetzen(name, Heute(10).addSecs(static_cast<qint64>(-stundenAlt * 3600)));
}

// kopien: days old, files Sicherung/Futter_1.mdb, Futter_2.mdb, ...; inhalt:
// where Futter.mdb comes from ("" = missing afterwards); uebrig: Futter.* in
// the data folder afterwards; titel: of the message boxes shown.
void Z(const char* name, double mdb, double bak, double kom, const QList<double>& kopien, const QString& inhalt,
    const QStringList& uebrig, const QStringList& titel = {})
{
    QTest::newRow(name) << mdb << bak << kom << kopien << inhalt << uebrig << titel;
}

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

// Overwrites the start of the table's first page: the file still opens.
void SeiteZerstoeren(const QString& pfad, const QString& tabelle)
{
    qint64 stelle = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fremd"));
        db.setDatabaseName(pfad);
        QSqlQuery q(db);
        if (db.open() && q.exec("SELECT (rootpage - 1) * (SELECT page_size FROM pragma_page_size) FROM sqlite_master "
                                "WHERE name = '" + tabelle + "'")
            && q.next())
            stelle = q.value(0).toLongLong();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fremd"));
    QFile f(pfad);
    QVERIFY(stelle > 0 && f.open(QIODevice::ReadWrite) && f.seek(stelle));
    f.write(QByteArray(64, '\xFF'));
}

} // namespace

void DatenbankTest::anweisungen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("anweisungen");
    QTest::newRow("Kommentare") << "-- Kopf; mit Semikolon\nCREATE TABLE a (\n  x INTEGER -- Zahl; auch\n);\n-- Ende"
                                << QStringList { "CREATE TABLE a (\n  x INTEGER \n)" };
    QTest::newRow("Blockkommentar") << "/* a; b */ SELECT 1;" << QStringList { "SELECT 1" };
    QTest::newRow("Semikolon und Strich in Text") << "INSERT INTO t VALUES ('a;b--', \"c;d\", [e;f]);"
                                                  << QStringList { "INSERT INTO t VALUES ('a;b--', \"c;d\", [e;f])" };
    QTest::newRow("ohne letztes Semikolon") << "SELECT 1;;\n  \nSELECT 2" << QStringList { "SELECT 1", "SELECT 2" };
}

void DatenbankTest::anweisungen()
{
    QFETCH(QString, text);
    QFETCH(QStringList, anweisungen);
    QCOMPARE(SqlAnweisungen(text), anweisungen);
}

// A CSV file with byte order mark, Windows line ends and empty fields fills
// the table named like it; an existing target is replaced.
void DatenbankTest::eigeneDateien()
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

void DatenbankTest::datenordnerEinrichten_data()
{
    QTest::addColumn<QString>("vorhanden"); // a file already in the data folder, "" = none
    QTest::addColumn<bool>("eingerichtet");
    QTest::newRow("neuer Ordner") << "" << true;
    QTest::newRow("Datenbank vorhanden") << "Futter.mdb" << false;
    // Names in any letter case count, as a folder copied from Windows has them.
    QTest::newRow("nur BAK") << "FUTTER.BAK" << false;
    // Settings prepared before the first start are no data of the user.
    QTest::newRow("nur INI") << "Kelvora.ini" << true;
    QTest::newRow("nur ein Protokoll") << "26_12_04.txt" << true;
    QTest::newRow("Kopie im Sicherungsordner") << "Sicherung/Futter_2026_12_03.mdb" << false;
}

void DatenbankTest::datenordnerEinrichten()
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

// File ages are given in hours before now, a negative age means the file does
// not exist. The files are no databases: each holds "Inhalt von <name>", so
// that the test can tell where Futter.mdb came from. Beside an existing
// database lies its journal: it must go exactly when the database is
// replaced, or SQLite would roll it back into the copy.
void DatenbankTest::holen_data()
{
    QTest::addColumn<double>("mdb");
    QTest::addColumn<double>("bak");
    QTest::addColumn<double>("kom");
    QTest::addColumn<QList<double>>("kopien");
    QTest::addColumn<QString>("inhalt");
    QTest::addColumn<QStringList>("uebrig");
    QTest::addColumn<QStringList>("titel");
    const QString mdb = "Futter.mdb", bak = "Futter.BAK", kom = "Futter.KOM", j = "Futter.mdb-journal";
    const QString fehlt = "Datenbank fehlt", verwendet = "Sicherungskopie verwendet!";
    Z("KOM von heute ersetzt Datenbank von gestern", 24, -1, 2, {}, kom, { mdb });
    Z("KOM ersetzt fehlende Datenbank", -1, 30, 2, {}, kom, { bak, mdb });
    Z("alte KOM bleibt liegen", 240, -1, 120, {}, mdb, { kom, mdb, j });
    // The "database" here is no database: the older copy is what a restore will need.
    Z("ältere KOM neben unlesbarer Datenbank bleibt", 1, -1, 20, {}, mdb, { kom, mdb, j });
    Z("BAK neuer als Datenbank und KOM", 24, 1, 48, {}, bak, { kom, mdb });
    Z("BAK neuer, aber älter als drei Tage", 240, 100, 200, {}, mdb, { bak, kom, mdb, j });
    Z("BAK von zwei Tagen wird kopiert und bleibt", -1, 48, -1, {}, bak, { bak, mdb });
    // Three days count from today's midnight: 01.12. 00:00 is still young.
    Z("BAK genau an der Dreitagesgrenze", -1, 82, -1, {}, bak, { bak, mdb });
    Z("BAK eine Minute vor der Dreitagesgrenze", -1, 82 + 1.0 / 60, -1, {}, "", { bak }, { fehlt });
    Z("Datenbank neuer als alles", 1, 5, -1, {}, mdb, { bak, mdb, j });
    Z("jüngste Sicherungskopie wird verwendet", -1, -1, -1, { 20, 10, 30 }, "Sicherung/Futter_2.mdb", { mdb },
        { verwendet });
    Z("Kopie von 99 Tagen wird noch verwendet", -1, -1, -1, { 98.9 }, "Sicherung/Futter_1.mdb", { mdb },
        { verwendet });
    Z("Kopie von hundert Tagen wird nicht verwendet", -1, -1, -1, { 100 }, "", {},
        { "Sicherungskopie wird nicht verwendet!", fehlt });
    Z("BAK jünger als die Sicherungskopie", -1, 96, -1, { 20 }, bak, { bak, mdb }, { verwendet });
}

void DatenbankTest::holen()
{
    QFETCH(double, mdb);
    QFETCH(double, bak);
    QFETCH(double, kom);
    QFETCH(QList<double>, kopien);
    QFETCH(QString, inhalt);
    QFETCH(QStringList, uebrig);
    QFETCH(QStringList, titel);
    TestOberflaeche ui;
    TestDatenordner ordner;
    Anlegen(ordner, "Futter.mdb", mdb);
    if (mdb >= 0)
        ordner.Schreiben("Futter.mdb-journal", "Journal");
    Anlegen(ordner, "Futter.BAK", bak);
    Anlegen(ordner, "Futter.KOM", kom);
    if (!kopien.isEmpty()) {
        QDir().mkpath(ordner.Pfad("Sicherung"));
        Anlegen(ordner, "Sicherung/Andere.mdb", 1); // younger, but no copy of this database
        Anlegen(ordner, "Sicherung/Futter.txt", 1);
    }
    for (int i = 0; i < kopien.size(); ++i)
        Anlegen(ordner, QStringLiteral("Sicherung/Futter_%1.mdb").arg(i + 1), kopien[i] * 24);

    QString pfad;
    QCOMPARE(Datenbankholen("Futter", pfad), !inhalt.isEmpty());
    QCOMPARE(QDir(ordner.Pfad()).entryList({ "Futter.*" }, QDir::Files, QDir::Name), uebrig);
    QStringList gezeigt;
    for (const GezeigteMeldung& m : ui.meldungen)
        gezeigt << m.titel;
    QCOMPARE(gezeigt, titel);
    if (inhalt.isEmpty()) {
        QCOMPARE(ui.meldungen.last().symbol, Symbol::Kritisch);
        QCOMPARE(ui.beendetMitCode, 1);
        return;
    }
    QCOMPARE(ordner.Roh("Futter.mdb"), "Inhalt von " + inhalt.toUtf8());
    QCOMPARE(ui.beendetMitCode, -1);
    if (!titel.isEmpty()) {
        // A copy from the safety folder is copied, not moved, and named.
        QVERIFY(QFile::exists(ordner.Pfad(inhalt)));
        QVERIFY(ui.meldungen[0].text.startsWith("Die Futter-Datenbank wurde aus einer Sicherungskopie "
            + ordner.Pfad(inhalt) + " (zuletzt verwendet: "));
    }
}

// The folder of safety copies comes from the INI; of its files only the
// first ten in listing order are looked at, the youngest of them wins.
void DatenbankTest::sicherungsordnerAusIni()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    QDir().mkpath(ordner.Pfad("anderswo"));
    for (int i = 0; i < 11; ++i)
        Anlegen(ordner, QStringLiteral("anderswo/Futter %1.mdb").arg(i), 24.0 * 30);
    INISpeichern("Daten", "OrdnerSicherungskopien", ordner.Pfad("anderswo"));
    QStringList reihenfolge;
    QDirIterator it(ordner.Pfad("anderswo"), { "Futter*.mdb" }, QDir::Files);
    while (it.hasNext())
        reihenfolge << "anderswo/" + it.nextFileInfo().fileName();
    QCOMPARE(reihenfolge.size(), 11);
    // The eleventh file is the youngest, yet never looked at.
    Anlegen(ordner, reihenfolge[10], 24);
    Anlegen(ordner, reihenfolge[4], 24 * 5);

    QString pfad;
    QVERIFY(Datenbankholen("Futter", pfad));
    QCOMPARE(ordner.Roh("Futter.mdb"), "Inhalt von " + reihenfolge[4].toUtf8());
}

// A database that opens but fails the page check, beside an older compacted
// copy, in a folder copied from Windows (names in any letter case). The copy
// is kept and offered when the evaluation meets the damage; the command line
// ends with exit code 1 on an evaluation that did not reach the data.
void DatenbankTest::beschaedigteSeite()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    QVERIFY(!TestDatenbankAnlegen("FUTTER.KOM").isEmpty());
    QVERIFY(SqlInDatei(ordner.Pfad("FUTTER.KOM"),
        "INSERT INTO Ration (FutterID, FutterFrischMenge, FixeMenge) VALUES (1, 12.5, 1); "
        "UPDATE Futtermittel SET Bezeichnung = 'Eigene'"));
    const QStringList gut = DatenbankInhalt(ordner.Pfad("FUTTER.KOM"));
    ordner.DateizeitSetzen("FUTTER.KOM", Heute(8));
    QVERIFY(!TestDatenbankAnlegen("futter.mdb").isEmpty());
    QVERIFY(SqlInDatei(ordner.Pfad("futter.mdb"),
        "INSERT INTO Ration (FutterID, FutterFrischMenge, FixeMenge) VALUES (2, 3, 1), (3, 4, 0)"));
    SeiteZerstoeren(ordner.Pfad("futter.mdb"), "Ration");
    ordner.DateizeitSetzen("futter.mdb", Heute(9));
    ordner.Schreiben("Kelvora.ini", "[Programm]\r\n");

    // What the program finds when it starts on the folder.
    DatenordnerSetzen(ordner.Pfad());
    QCOMPARE(programm().iniPfad, ordner.Pfad("Kelvora.ini"));
    QString pfad;
    QVERIFY(Datenbankholen("Futter", pfad));
    QCOMPARE(pfad, ordner.Pfad("futter.mdb"));
    ui.Antworten(Antwort::Ja);
    QVERIFY(!RationAuswerten(TierEingaben(), pfad).datenbankOffen);
    QCOMPARE(ui.meldungen.size(), 2);
    QVERIFY2(ui.meldungen[0].text.contains("durch die Sicherungskopie vom Zeitpunkt 04.12.2026 08:00"),
        qPrintable(ui.meldungen[0].text));
    QCOMPARE(DatenbankInhalt(pfad), gut);
    QCOMPARE(QDir(ordner.Pfad()).entryList({ "*.mdb", "*.KOM", "*.ini" }, QDir::Files, QDir::Name),
        (QStringList { "Kelvora.ini", "futter.mdb" }));
}

// PfadHolen on a sound database: a compacted copy the database has
// overtaken goes, and the database is compacted when it is due; leftovers of
// an interrupted compaction never stop it.
void DatenbankTest::pfadHolen_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("verbindungOffen");
    QTest::addColumn<bool>("komprimiert");
    QTest::addColumn<QString>("letzte"); // LetzteKomprimierung afterwards
    QTest::newRow("immer komprimieren") << QByteArray("Komprimieren=1\r\nLetzteKomprimierung=04.12.2026\r\n") << false
                                        << true << "04.12.2026";
    QTest::newRow("wöchentlich, letzte vor drei Tagen")
        << QByteArray("Intervall=1\r\nLetzteKomprimierung=01.12.2026\r\n") << false << false << "01.12.2026";
    QTest::newRow("täglich, letzte gestern")
        << QByteArray("Intervall=2\r\nLetzteKomprimierung=03.12.2026\r\n") << false << true << "04.12.2026";
    QTest::newRow("monatlich, noch nie: die Frist beginnt") << QByteArray() << false << false << "04.12.2026";
    QTest::newRow("immer, aber eine Verbindung ist offen") << QByteArray("Komprimieren=1\r\n") << true << false << "";
}

void DatenbankTest::pfadHolen()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, verbindungOffen);
    QFETCH(bool, komprimiert);
    QFETCH(QString, letzte);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString mdb = TestDatenbankAnlegen();
    QVERIFY(SqlInDatei(mdb, "DELETE FROM Futtermittel WHERE ID > 10"));
    const QStringList inhalt = DatenbankInhalt(mdb);
    const qint64 groesse = QFileInfo(mdb).size();
    ordner.Schreiben("KELVORA.INI", "[Sichern]\r\n" + ini);
    ordner.Schreiben("Futter.KOM", "alt");
    ordner.DateizeitSetzen("Futter.KOM", Heute(6));
    ordner.DateizeitSetzen("Futter.mdb", Heute(7));
    ordner.Schreiben("~tmp_Futter.mdb", "Rest eines abgebrochenen Laufs");
    ordner.Schreiben("old_Futter.mdb", "Rest");

    Verbindung offen;
    if (verbindungOffen)
        QVERIFY(DatenbankOeffnen(offen, mdb));
    QCOMPARE(PfadHolen("Futter"), mdb);
    QVERIFY(!QFile::exists(ordner.Pfad("Futter.KOM")));
    QCOMPARE(QFileInfo(mdb).size() < groesse, komprimiert);
    QCOMPARE(DatenbankInhalt(mdb), inhalt);
    QCOMPARE(QDir(ordner.Pfad()).entryList({ "~tmp_*", "old_*" }, QDir::Files).size(), komprimiert ? 0 : 2);
    QCOMPARE(INILesen("Sichern", "LetzteKomprimierung"), letzte);
    QVERIFY(ui.meldungen.isEmpty());
}

// Each column is added through the caller's open connection; a second
// attempt finds it there.
void DatenbankTest::feldHinzufuegen_data()
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

void DatenbankTest::feldHinzufuegen()
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

void DatenbankTest::schemaPflegen()
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

enum class Aenderung { Keine, Umbenannt, Ueberschrieben, NeuAngelegt, Schreibgeschuetzt, Geloescht };
Q_DECLARE_METATYPE(Aenderung)

void DatenbankTest::wartendeVerbindung_data()
{
    QTest::addColumn<Aenderung>("aenderung");
    QTest::addColumn<int>("wert"); // what the second opening reads; 0: it cannot open
    QTest::addColumn<bool>("schreibbar");
    QTest::newRow("unverändert") << Aenderung::Keine << 1 << true;
    QTest::newRow("andere Datei darüber umbenannt") << Aenderung::Umbenannt << 2 << true;
    // Same inode, same size: only the file's time of change tells.
    QTest::newRow("an Ort und Stelle überschrieben") << Aenderung::Ueberschrieben << 2 << true;
    QTest::newRow("gelöscht und neu angelegt") << Aenderung::NeuAngelegt << 2 << true;
    QTest::newRow("schreibgeschützt") << Aenderung::Schreibgeschuetzt << 1 << false;
    QTest::newRow("gelöscht") << Aenderung::Geloescht << 0 << false;
}

// A closed connection waits for the next opening of the same file, and
// serves it only while nothing has happened to the file.
void DatenbankTest::wartendeVerbindung()
{
    QFETCH(Aenderung, aenderung);
    QFETCH(int, wert);
    QFETCH(bool, schreibbar);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = ordner.Pfad("Futter.mdb");
    const QString andere = ordner.Pfad("andere.mdb");
    QVERIFY(EigeneDatenbankAnlegen(pfad, "CREATE TABLE T (x INTEGER); INSERT INTO T VALUES (1)"));
    QVERIFY(EigeneDatenbankAnlegen(andere, "CREATE TABLE T (x INTEGER); INSERT INTO T VALUES (2)"));
    auto lesen = [&pfad] {
        Verbindung v;
        QSqlQuery q;
        if (!DatenbankOeffnen(v, pfad, false, false) || !AbfrageOeffnen(v, q, "SELECT x FROM T") || !q.next())
            return 0;
        return q.value(0).toInt();
    };
    QCOMPARE(lesen(), 1);

    std::optional<Schreibschutz> schutz;
    switch (aenderung) {
    case Aenderung::Keine:
        break;
    case Aenderung::Umbenannt:
        QVERIFY(::rename(QFile::encodeName(andere).constData(), QFile::encodeName(pfad).constData()) == 0);
        break;
    case Aenderung::Ueberschrieben: {
        QFile quelle(andere);
        QFile ziel(pfad);
        QVERIFY(quelle.open(QIODevice::ReadOnly) && ziel.open(QIODevice::ReadWrite));
        const QByteArray inhalt = quelle.readAll();
        QCOMPARE(ziel.size(), inhalt.size());
        QVERIFY(ziel.write(inhalt) == inhalt.size());
        break;
    }
    case Aenderung::NeuAngelegt:
        QVERIFY(QFile::remove(pfad) && QFile::copy(andere, pfad));
        break;
    case Aenderung::Schreibgeschuetzt:
        schutz.emplace(pfad);
        if (!schutz->wirksam)
            QSKIP("Die Datei lässt sich hier nicht schreibschützen");
        break;
    case Aenderung::Geloescht:
        QVERIFY(QFile::remove(pfad));
        break;
    }
    QCOMPARE(lesen(), wert);
    Verbindung v;
    QCOMPARE(DatenbankOeffnen(v, pfad, false, false) && AnweisungAusfuehren(v, "UPDATE T SET x = 3"), schreibbar);
}

void DatenbankTest::schnelleAbfrage_data()
{
    QTest::addColumn<QString>("ausdruck");
    QTest::newRow("ganze Zahl") << "42";
    QTest::newRow("große ganze Zahl") << "9223372036854775807";
    QTest::newRow("Kommazahl") << "2.5";
    QTest::newRow("Text mit Umlaut") << "'Körnermais süß'";
    QTest::newRow("leerer Text") << "''";
    QTest::newRow("NULL") << "NULL";
    QTest::newRow("Blob") << "x'00ff41'";
}

// The quick read gives every field as QSqlQuery does, type included.
void DatenbankTest::schnelleAbfrage()
{
    QFETCH(QString, ausdruck);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = ordner.Pfad("Futter.mdb");
    QVERIFY(EigeneDatenbankAnlegen(pfad, "CREATE TABLE T (x)"));
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, pfad));
    QSqlQuery q;
    QVERIFY(AbfrageOeffnen(v, q, "SELECT " + ausdruck) && q.next());
    SchnelleAbfrage schnell(v, "SELECT " + ausdruck);
    QVERIFY(schnell.Naechste());
    QCOMPARE(schnell.Wert(0).metaType(), q.value(0).metaType());
    QCOMPARE(schnell.Wert(0), q.value(0));
    QCOMPARE(schnell.IstNull(0), q.value(0).isNull());
    QVERIFY(!schnell.Naechste() && !schnell.Fehlgeschlagen());

    // A table that is gone is damage, as with AbfrageOeffnen.
    SchnelleAbfrage fehlt(v, "SELECT x FROM Fehlt");
    QVERIFY(!fehlt.Bereit() && !fehlt.Naechste());
    QVERIFY(v.Beschaedigt());
}

// Outside a transaction another program's lock is waited out as by
// AbfrageOeffnen, and the failure is recorded as busy.
void DatenbankTest::schnelleAbfrageBesetzt()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = ordner.Pfad("Futter.mdb");
    QVERIFY(EigeneDatenbankAnlegen(pfad, "CREATE TABLE T (x); INSERT INTO T VALUES (1)"));
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, pfad));
    Sperre sperre(pfad);
    QVERIFY(sperre.gesperrt);
    SchnelleAbfrage besetzt(v, "SELECT x FROM T");
    QVERIFY(!besetzt.Naechste() && besetzt.Fehlgeschlagen());
    QCOMPARE(ui.wartezeiten, QList<int>(4, 2000));
    QVERIFY(IstBesetzt(v.LetzterFehler().nummer));
}

KELVORA_TEST(DatenbankTest)
#include "tst_Datenbank.moc"
