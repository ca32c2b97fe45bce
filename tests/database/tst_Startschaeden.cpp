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

namespace {

QDateTime Heute(int stunde)
{
    return QDateTime(QDate(2026, 12, 4), QTime(stunde, 0));
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

class StartschaedenTest : public QObject {
    Q_OBJECT
private slots:
    void beschaedigteSeite();
    void pfadHolen_data();
    void pfadHolen();
};

// A database that opens but fails the page check, beside an older compacted
// copy, in a folder copied from Windows (names in any letter case). The copy
// is kept and offered when the evaluation meets the damage; the command line
// ends with exit code 1 on an evaluation that did not reach the data.
void StartschaedenTest::beschaedigteSeite()
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
