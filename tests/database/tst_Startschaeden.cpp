#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "database/Datenbankholen.h"
#include "frame/FunktionenFuerINI.h"
#include "ration/RationAuswerten.h"

#include <QDir>
#include <QSqlDatabase>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// What a crash or a copy from another computer leaves in the data folder:
// the user's own copy is kept and replaces the database as it was.
namespace {

enum class Fall { RationSeiteZerstoert, HeissesJournal, WindowsNamen };

QDateTime Heute(int stunde)
{
    return QDateTime(QDate(2026, 12, 4), QTime(stunde, 0));
}

// Runs f on a connection of its own, as another program would.
template <class F>
void FremdeVerbindung(const QString& pfad, F f)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fremd"));
        db.setDatabaseName(pfad);
        QSqlQuery q(db);
        if (db.open())
            f(q);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fremd"));
}

// Overwrites the start of the table's first page: the file still opens.
void SeiteZerstoeren(const QString& pfad, const QString& tabelle)
{
    qint64 stelle = 0;
    FremdeVerbindung(pfad, [&](QSqlQuery& q) {
        if (q.exec("SELECT (rootpage - 1) * (SELECT page_size FROM pragma_page_size) FROM sqlite_master WHERE name = '"
                + tabelle + "'")
            && q.next())
            stelle = q.value(0).toLongLong();
    });
    QFile f(pfad);
    QVERIFY(stelle > 0 && f.open(QIODevice::ReadWrite) && f.seek(stelle));
    f.write(QByteArray(64, '\xFF'));
}

// The journal SQLite leaves when the program dies in the middle of a write:
// taken while a transaction that spilled to disk is still open.
QByteArray HeissesJournal(const QString& pfad)
{
    QByteArray journal;
    FremdeVerbindung(pfad, [&](QSqlQuery& q) {
        q.exec("PRAGMA cache_size = 1");
        q.exec("BEGIN");
        q.exec("UPDATE Futtermittel SET Bezeichnung = Bezeichnung || ' geändert'");
        QFile f(pfad + "-journal");
        if (f.open(QIODevice::ReadOnly))
            journal = f.readAll();
        q.exec("ROLLBACK");
    });
    return journal;
}

} // namespace

Q_DECLARE_METATYPE(Fall)

class StartschaedenTest : public QObject {
    Q_OBJECT
private slots:
    void startschaeden_data();
    void startschaeden();
    void pfadHolen_data();
    void pfadHolen();
};

void StartschaedenTest::startschaeden_data()
{
    QTest::addColumn<Fall>("fall");
    QTest::newRow("zerstörte Seite in Ration, KOM älter") << Fall::RationSeiteZerstoert;
    QTest::newRow("heißes Journal neben der ersetzten Datei") << Fall::HeissesJournal;
    QTest::newRow("Namen aus Windows") << Fall::WindowsNamen;
}

void StartschaedenTest::startschaeden()
{
    QFETCH(Fall, fall);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const bool windows = fall == Fall::WindowsNamen;
    const QString kopie = windows ? "FUTTER.KOM" : "Futter.KOM";
    const QString mdbName = windows ? "futter.mdb" : "Futter.mdb";
    QVERIFY(!TestDatenbankAnlegen(kopie).isEmpty());
    QVERIFY(SqlInDatei(ordner.Pfad(kopie),
        "INSERT INTO Ration (FutterID, FutterFrischMenge, FixeMenge) VALUES (1, 12.5, 1); "
        "UPDATE Futtermittel SET Bezeichnung = 'Eigene'"));
    const QStringList gut = DatenbankInhalt(ordner.Pfad(kopie));
    ordner.DateizeitSetzen(kopie, Heute(8));
    QVERIFY(!TestDatenbankAnlegen(mdbName).isEmpty());
    QVERIFY(SqlInDatei(ordner.Pfad(mdbName),
        "INSERT INTO Ration (FutterID, FutterFrischMenge, FixeMenge) VALUES (2, 3, 1), (3, 4, 0)"));
    if (fall == Fall::RationSeiteZerstoert)
        SeiteZerstoeren(ordner.Pfad(mdbName), "Ration");
    if (fall == Fall::HeissesJournal) {
        const QByteArray journal = HeissesJournal(ordner.Pfad(mdbName));
        QVERIFY(journal.size() > 512);
        ordner.Schreiben(mdbName + "-journal", journal);
    }
    if (windows)
        ordner.Schreiben("Kelvora.ini", "[Programm]\r\n");
    ordner.DateizeitSetzen(mdbName, Heute(fall == Fall::RationSeiteZerstoert ? 9 : 7));

    // What the program finds when it starts on the folder.
    DatenordnerSetzen(ordner.Pfad());
    QString pfad;
    QVERIFY(Datenbankholen("Futter", pfad));
    QCOMPARE(pfad, ordner.Pfad(mdbName));
    if (fall == Fall::RationSeiteZerstoert) {
        // The older copy beside a database that fails the check is kept and
        // offered when the evaluation meets the damage. The command line
        // ends with exit code 1 on an evaluation that did not reach the data.
        QVERIFY(QFile::exists(ordner.Pfad(kopie)));
        ui.Antworten(Antwort::Ja);
        QVERIFY(!RationAuswerten(TierEingaben(), pfad).datenbankOffen);
        QCOMPARE(ui.meldungen.size(), 2);
        QVERIFY2(ui.meldungen[0].text.contains("durch die Sicherungskopie vom Zeitpunkt 04.12.2026 08:00"),
            qPrintable(ui.meldungen[0].text));
    } else {
        QVERIFY(ui.meldungen.isEmpty());
    }
    QCOMPARE(DatenbankInhalt(pfad), gut);
    QVERIFY(!QFile::exists(pfad + "-journal"));
    if (windows) {
        QCOMPARE(programm().iniPfad, ordner.Pfad("Kelvora.ini"));
        QCOMPARE(QDir(ordner.Pfad()).entryList({ "*.mdb", "*.KOM", "*.ini" }, QDir::Files, QDir::Name),
            (QStringList { "Kelvora.ini", "futter.mdb" }));
    }
}

// PfadHolen on a sound database: a compacted copy the database has
// overtaken goes, and the database is compacted when it is due; leftovers of
// an interrupted compaction never stop it.
void StartschaedenTest::pfadHolen_data()
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

void StartschaedenTest::pfadHolen()
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

KELVORA_TEST(StartschaedenTest)
#include "tst_Startschaeden.moc"
