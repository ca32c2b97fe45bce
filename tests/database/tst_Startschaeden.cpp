#include "DatenbankTestHilfen.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "database/Datenbankholen.h"
#include "database/LieferDatenbank.h"
#include "frame/FunktionenFuerINI.h"
#include "ration/RationAuswerten.h"

#include <QSqlDatabase>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// What a power cut, a crash or a copy from another computer leaves in the
// data folder. Whatever the damage, the user's own younger copy is kept
// and offered, a restored copy is the copy as it was, and the delivered
// database never takes the place of the user's backup.
namespace {

enum class Fall { KopfZerstoert, RationSeiteZerstoert, HeissesJournal, NurSicherungsordner, WindowsNamen };

QDateTime Heute(int stunde)
{
    return QDateTime(QDate(2026, 12, 4), QTime(stunde, 0));
}

void Ueberschreiben(const QString& pfad, qint64 stelle, const QByteArray& bytes)
{
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.seek(stelle));
    QCOMPARE(f.write(bytes), bytes.size());
}

qint64 SeiteDerTabelle(const QString& pfad, const QString& tabelle)
{
    qint64 seite = 0;
    qint64 groesse = 0;
    const QString name = QStringLiteral("seite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(pfad);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(
                    QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = '") + tabelle + QLatin1Char('\''))
                && q.next())
                seite = q.value(0).toLongLong();
            if (q.exec(QStringLiteral("PRAGMA page_size")) && q.next())
                groesse = q.value(0).toLongLong();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return (seite - 1) * groesse;
}

// The journal SQLite leaves when the program dies in the middle of a
// write: taken while a transaction that spilled to disk is still open.
QByteArray HeissesJournal(const QString& pfad)
{
    QByteArray journal;
    const QString name = QStringLiteral("journal");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(pfad);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA cache_size = 1"));
            q.exec(QStringLiteral("BEGIN"));
            q.exec(QStringLiteral("UPDATE Futtermittel SET Bezeichnung = Bezeichnung || ' geändert'"));
            QFile f(pfad + QStringLiteral("-journal"));
            if (f.open(QIODevice::ReadOnly))
                journal = f.readAll();
            q.exec(QStringLiteral("ROLLBACK"));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return journal;
}

} // namespace

Q_DECLARE_METATYPE(Fall)

class StartschaedenTest : public QObject {
    Q_OBJECT
private slots:
    void startschaeden_data();
    void startschaeden();
    void komprimieren_data();
    void komprimieren();
};

void StartschaedenTest::startschaeden_data()
{
    QTest::addColumn<Fall>("fall");
    QTest::newRow("zerstörte neuere Datenbank neben guter KOM") << Fall::KopfZerstoert;
    QTest::newRow("zerstörte Seite in Ration") << Fall::RationSeiteZerstoert;
    QTest::newRow("heißes Journal neben der ersetzten Datei") << Fall::HeissesJournal;
    QTest::newRow("nur eine Kopie im Sicherungsordner") << Fall::NurSicherungsordner;
    QTest::newRow("Namen aus Windows") << Fall::WindowsNamen;
}

void StartschaedenTest::startschaeden()
{
    QFETCH(Fall, fall);
    TestOberflaeche ui;
    TestDatenordner ordner;
    // The delivered database lies beside the "executable" of this test.
    QVERIFY(!TestDatenbankAnlegen(LieferDatenbankName).isEmpty());
    const QString lieferung = DatenbankInhalt(ordner.Pfad(LieferDatenbankName)).join('\n');

    // The user's good copy, different from the delivered database.
    QString kopie = fall == Fall::WindowsNamen ? "FUTTER.KOM" : "Futter.KOM";
    if (fall == Fall::NurSicherungsordner) {
        QVERIFY(QDir().mkpath(ordner.Pfad("Sicherung")));
        kopie = "Sicherung/Futter_2026_12_03.mdb";
    }
    QVERIFY(!TestDatenbankAnlegen(kopie).isEmpty());
    QVERIFY(SqlInDatei(ordner.Pfad(kopie),
        "INSERT INTO Ration (FutterID, FutterFrischMenge, FixeMenge) "
        "VALUES (1, 12.5, 1); UPDATE Futtermittel SET Bezeichnung = 'Eigene'"));
    const QStringList gut = DatenbankInhalt(ordner.Pfad(kopie));
    ordner.DateizeitSetzen(kopie, Heute(8));

    const QString mdbName = fall == Fall::WindowsNamen ? "futter.mdb" : "Futter.mdb";
    if (fall != Fall::NurSicherungsordner) {
        QVERIFY(!TestDatenbankAnlegen(mdbName).isEmpty());
        QVERIFY(SqlInDatei(ordner.Pfad(mdbName),
            "INSERT INTO Ration (FutterID, FutterFrischMenge, FixeMenge) "
            "VALUES (2, 3, 1), (3, 4, 0)"));
    }
    switch (fall) {
    case Fall::KopfZerstoert:
        Ueberschreiben(ordner.Pfad(mdbName), 0, QByteArray(100, '\xFF'));
        ordner.DateizeitSetzen(mdbName, Heute(9));
        break;
    case Fall::RationSeiteZerstoert:
        Ueberschreiben(ordner.Pfad(mdbName), SeiteDerTabelle(ordner.Pfad(mdbName), "Ration"), QByteArray(64, '\xFF'));
        ordner.DateizeitSetzen(mdbName, Heute(9));
        break;
    case Fall::HeissesJournal: {
        const QByteArray journal = HeissesJournal(ordner.Pfad(mdbName));
        QVERIFY(journal.size() > 512);
        ordner.Schreiben(mdbName + "-journal", journal);
        ordner.DateizeitSetzen(mdbName, Heute(7));
        break;
    }
    case Fall::WindowsNamen:
        ordner.Schreiben("Kelvora.ini", "[Programm]\r\n");
        ordner.DateizeitSetzen(mdbName, Heute(7));
        break;
    case Fall::NurSicherungsordner:
        break;
    }
    // What the program finds when it starts on the folder.
    DatenordnerSetzen(ordner.Pfad());
    QVERIFY(!DatenordnerEinrichten(ordner.Pfad()));

    QString pfad;
    if (fall == Fall::NurSicherungsordner)
        ui.Antworten(Antwort::OK);
    QVERIFY(Datenbankholen("Futter", pfad));
    QCOMPARE(pfad, ordner.Pfad(mdbName));

    if (fall == Fall::KopfZerstoert || fall == Fall::RationSeiteZerstoert) {
        // The younger copy was not thrown away as stale ...
        QVERIFY(QFile::exists(ordner.Pfad(kopie)));
        // ... and is what the restore offers.
        ui.Antworten(Antwort::Ja);
        if (fall == Fall::KopfZerstoert) {
            Verbindung v;
            QVERIFY(DatenbankOeffnen(v, pfad));
        } else {
            // The command line ends with exit code 1 on an evaluation that
            // did not reach the database.
            QVERIFY(!RationAuswerten(TierEingaben(), pfad).datenbankOffen);
        }
        QVERIFY(ui.meldungen.size() >= 2);
        QVERIFY2(ui.meldungen[0].text.contains("durch die Sicherungskopie vom Zeitpunkt 04.12.2026 08:00"),
            qPrintable(ui.meldungen[0].text));
        QVERIFY(ui.meldungen[1].text.contains("Die Datenbank wurde aus einer Sicherungskopie wiederhergestellt."));
        QVERIFY(!ZeilenMit(ordner.Zeilen("Fehlerprotokoll.txt"), "Antwort: Ja").isEmpty());
    } else if (fall == Fall::NurSicherungsordner) {
        QCOMPARE(ui.meldungen.size(), 1);
        QVERIFY(ui.meldungen[0].text.contains("wiederhergestellt!"));
    } else {
        QVERIFY(ui.meldungen.isEmpty());
    }
    QCOMPARE(DatenbankInhalt(pfad), gut);
    QVERIFY(DatenbankInhalt(pfad).join('\n') != lieferung);
    QVERIFY(!QFile::exists(pfad + "-journal"));
    if (fall == Fall::WindowsNamen) {
        QCOMPARE(programm().iniPfad, ordner.Pfad("Kelvora.ini"));
        QStringList datenbanken = QDir(ordner.Pfad()).entryList({ "*.mdb", "*.KOM", "*.ini" }, QDir::Files);
        datenbanken.removeOne(LieferDatenbankName);
        datenbanken.sort(Qt::CaseInsensitive);
        QCOMPARE(datenbanken, (QStringList { "futter.mdb", "Kelvora.ini" }));
    }
}

void StartschaedenTest::komprimieren_data()
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

void StartschaedenTest::komprimieren()
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

    Verbindung offen;
    if (verbindungOffen)
        QVERIFY(DatenbankOeffnen(offen, mdb));
    QCOMPARE(PfadHolen("Futter"), mdb);
    QCOMPARE(QFileInfo(mdb).size() < groesse, komprimiert);
    QCOMPARE(DatenbankInhalt(mdb), inhalt);
    QCOMPARE(INILesen("Sichern", "LetzteKomprimierung"), letzte);
    QVERIFY(ui.meldungen.isEmpty());
}

KELVORA_TEST(StartschaedenTest)
#include "tst_Startschaeden.moc"
