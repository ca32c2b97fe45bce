#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "database/LieferDatenbank.h"

#include <QDir>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

class LieferDatenbankTest : public QObject {
    Q_OBJECT
private slots:
    void anweisungen_data();
    void anweisungen();
    void eigeneDateien();
    void datenordnerEinrichten_data();
    void datenordnerEinrichten();
};

void LieferDatenbankTest::anweisungen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("anweisungen");
    QTest::newRow("Kommentare") << "-- Kopf; mit Semikolon\nCREATE TABLE a (\n  x INTEGER -- Zahl; auch\n);\n-- Ende"
                                << QStringList { "CREATE TABLE a (\n  x INTEGER \n)" };
    QTest::newRow("Blockkommentar") << "/* a; b */ SELECT 1;" << QStringList { "SELECT 1" };
    QTest::newRow("Semikolon in Text") << "INSERT INTO t VALUES ('a;b', \"c;d\", [e;f]);"
                                       << QStringList { "INSERT INTO t VALUES ('a;b', \"c;d\", [e;f])" };
    QTest::newRow("Strich in Text") << "SELECT '--x';" << QStringList { "SELECT '--x'" };
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
    // Numbers are stored as numbers, so that reads and sums need no text.
    Verbindung v;
    QSqlQuery q;
    QVERIFY(DatenbankOeffnen(v, ziel) && AbfrageOeffnen(v, q, "SELECT typeof(\"Größe\"), typeof(Name) FROM Sorte"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString() + " " + q.value(1).toString(), QStringLiteral("real text"));
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

KELVORA_TEST(LieferDatenbankTest)
#include "tst_LieferDatenbank.moc"
