#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "database/Datenbankholen.h"
#include "frame/FunktionenFuerINI.h"
#include "ration/RationAuswerten.h"

#include <QDir>
#include <QDirIterator>
#include <QSqlDatabase>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// What the program does with the data folder at start-up: which file becomes
// Futter.mdb, what a crash left behind, and when the database is compacted.
// The test clock stands at 04.12.2026 10:00.
class DatenbankholenTest : public QObject {
    Q_OBJECT
private slots:
    void holen_data();
    void holen();
    void sicherungsordnerAusIni();
    void beschaedigteSeite();
    void pfadHolen_data();
    void pfadHolen();
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

// File ages are given in hours before now, a negative age means the file does
// not exist. The files are no databases: each holds "Inhalt von <name>", so
// that the test can tell where Futter.mdb came from. Beside an existing
// database lies its journal: it must go exactly when the database is
// replaced, or SQLite would roll it back into the copy.
void DatenbankholenTest::holen_data()
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

void DatenbankholenTest::holen()
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
    QCOMPARE(pfad, ordner.Pfad("Futter.mdb"));
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
void DatenbankholenTest::sicherungsordnerAusIni()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    QDir().mkpath(ordner.Pfad("anderswo"));
    QDir().mkpath(ordner.Pfad("Sicherung"));
    Anlegen(ordner, "Sicherung/Futter.mdb", 2);
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
void DatenbankholenTest::beschaedigteSeite()
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
    QVERIFY(QFile::exists(ordner.Pfad("FUTTER.KOM")));
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
void DatenbankholenTest::pfadHolen_data()
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

void DatenbankholenTest::pfadHolen()
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

KELVORA_TEST(DatenbankholenTest)
#include "tst_Datenbankholen.moc"
