#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestPfade.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "database/LieferDatenbank.h"
#include "grundlagen/NullFilter.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

class LieferDatenbankTest : public QObject {
    Q_OBJECT
private slots:
    void anweisungen_data();
    void anweisungen();
    void eigeneDateien();
    void mitgelieferteDaten();
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

void LieferDatenbankTest::eigeneDateien()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    QDir().mkpath(ordner.Pfad("quelle"));
    ordner.Schreiben("quelle/schema.sql",
        "CREATE TABLE \"Sorte\" (ID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, \"Größe\" DOUBLE, "
        "Tag DATETIME);\n");
    ordner.Schreiben(
        "quelle/sorte.csv", "\xEF\xBB\xBFName;Größe;Tag\r\nHeu;4.5;2026-12-05T12:00:00\r\n;;\r\nStroh;12;\r\n");
    const QString ziel = ordner.Pfad("Liefer.mdb");
    ordner.Schreiben("Liefer.mdb", "alter Stand");
    QString fehler;
    QVERIFY2(LieferDatenbankBauen(ordner.Pfad("quelle"), ziel, &fehler), qPrintable(fehler));
    QCOMPARE(DatenbankInhalt(ziel),
        (QStringList { "Sorte|1|Heu|4.5|2026-12-05T12:00:00", "Sorte|2|<NULL>|<NULL>|<NULL>", "Sorte|3|Stroh|12|<NULL>",
            "sqlite_sequence|Sorte|3" }));
    // Numbers are stored as numbers, so that reads and sums need no text.
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, ziel));
    QSqlQuery q;
    QVERIFY(AbfrageOeffnen(v, q, "SELECT typeof(\"Größe\"), typeof(Name) FROM Sorte WHERE ID = 1"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("real"));
    QCOMPARE(q.value(1).toString(), QStringLiteral("text"));
    QVERIFY(!QFile::exists(ziel + ".neu"));
}

void LieferDatenbankTest::mitgelieferteDaten()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    QVERIFY(!pfad.isEmpty());
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, pfad));
    for (const char* t :
        { "Futtermittel", "FutterArten", "Ration", "RationenInhalt", "RationFürTier", "Reihung", "Zukauf" })
        QVERIFY2(v.Datenbank().tables().contains(QString::fromUtf8(t)), t);

    QSqlQuery q;
    QVERIFY(AbfrageOeffnen(v, q, "SELECT count(*) FROM FutterArten WHERE ID BETWEEN 1 AND 5"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 5);

    // The feeds the evaluation can use: every value it reads above 0.
    QVERIFY(AbfrageOeffnen(v, q,
        "SELECT TM_g, XP_gTM, UDP_gTM, NEL_MJTM, NFC_gTM, ADF_gTM, NDF_gTM, Ca_gTM, P_gTM, "
        "FutterArtIOFC, FutterArt, Bezeichnung FROM Futtermittel"));
    int alle = 0, vollstaendig = 0;
    QSet<int> gruppen;
    while (q.next()) {
        ++alle;
        bool voll = true;
        for (int i = 0; i < 9; ++i)
            voll = voll && NullFilter(q.value(i), "Double").toDouble() > 0;
        vollstaendig += voll ? 1 : 0;
        gruppen.insert(NullFilter(q.value(9), "Integer").toInt());
        QVERIFY(!NullFilter(q.value(11), "String").toString().trimmed().isEmpty());
        QVERIFY(NullFilter(q.value(10), "Integer").toInt() > 0);
    }
    QVERIFY(alle >= 30);
    QVERIFY2(vollstaendig >= 30, qPrintable(QString::number(vollstaendig)));
    QCOMPARE(gruppen, (QSet<int> { 1, 2, 3, 4, 5 }));
}

void LieferDatenbankTest::datenordnerEinrichten_data()
{
    QTest::addColumn<QString>("vorhanden"); // a file already in the data folder, "" = none
    QTest::addColumn<bool>("eingerichtet");
    QTest::newRow("neuer Ordner") << "" << true;
    QTest::newRow("Datenbank vorhanden") << "Futter.mdb" << false;
    QTest::newRow("nur BAK") << "Futter.BAK" << false;
    QTest::newRow("nur INI") << "KELVORA.INI" << false;
    QTest::newRow("nur ein Protokoll") << "26_12_04.txt" << true;
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
    if (!vorhanden.isEmpty())
        ordner.Schreiben(vorhanden, "geänderte Daten des Benutzers");
    const auto vorher = ordner.Roh("Futter.mdb");
    QCOMPARE(DatenordnerEinrichten(ausfuehrungsOrdner), eingerichtet);
    if (eingerichtet) {
        QCOMPARE(ordner.Roh("Futter.mdb"), programmOrdner.Roh(LieferDatenbankName));
        QVERIFY(QFileInfo(ordner.Pfad("Futter.mdb")).isWritable());
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, ordner.Pfad("Futter.mdb")));
        QVERIFY(AnweisungAusfuehren(v, "DELETE FROM Ration"));
    } else {
        QCOMPARE(ordner.Roh("Futter.mdb"), vorher);
    }
    // A second call never replaces what is there now.
    ordner.Schreiben("Futter.mdb", "weitergearbeitet");
    QVERIFY(!DatenordnerEinrichten(ausfuehrungsOrdner));
    QCOMPARE(ordner.Roh("Futter.mdb"), QByteArray("weitergearbeitet"));
    QVERIFY(ui.meldungen.isEmpty());
}

KELVORA_TEST(LieferDatenbankTest)
#include "tst_LieferDatenbank.moc"
