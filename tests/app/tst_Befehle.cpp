#include "../ration/RationsTestdaten.h"
#include "BefehlsLauf.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestPfade.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "app/Befehlszeile.h"
#include "database/DatenbankRoutinen.h"
#include "database/LieferDatenbank.h"
#include "frame/FunktionenFuerINI.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

namespace {

using Ration = QList<TestRationsZeile>;

bool RationSchreiben(const Ration& ration)
{
    return TestFutterEinfuegen(programm().futterDatenbank) && RationAnlegen({}, ration);
}

} // namespace

Q_DECLARE_METATYPE(Ration)

class BefehleTest : public QObject {
    Q_OBJECT
private slots:
    void golden_data();
    void golden();
    void iniWerte();
    void falscheAngaben_data();
    void falscheAngaben();
    void hilfe_data();
    void hilfe();
    void datenordner_data();
    void datenordner();
    void rationAendern_data();
    void rationAendern();
};

void BefehleTest::golden_data()
{
    QTest::addColumn<Ration>("ration");
    QTest::addColumn<QStringList>("angaben");
    QTest::addColumn<QString>("datei");

    QTest::newRow("Silage fix, zwei freie Anteile")
        << Ration{{9101, 10, 0, 1}, {9103, 0, 60, 0}, {9104, 0, 40, 0}, {9105, 0.2, 0, 1}}
        << QStringList{"--gewicht", "600", "--milch", "25", "--fett", "4,0"} << "anteile.tsv";
    QTest::newRow("ausgeglichen")
        << Ration{{9101, 25, 0, 1}, {9102, 15, 0, 1}, {9103, 4.1, 55, 0}, {9104, 3.36, 45, 0}, {9105, 0.15, 0, 1}}
        << QStringList{"--gewicht=650", "--milch=32", "--fett=3.8"} << "ausgeglichen.tsv";
    QTest::newRow("leere Ration") << Ration{} << QStringList{"--gewicht", "700", "--milch", "30"} << "leer.tsv";
}

void BefehleTest::golden()
{
    QFETCH(Ration, ration);
    QFETCH(QStringList, angaben);
    QFETCH(QString, datei);
    DatenbankUmgebung umgebung;  // the clock stands in December
    QVERIFY(umgebung.bereit);
    QVERIFY(RationSchreiben(ration));

    const Lauf l = Kelvora(QStringList{"auswerten", "--datenordner", umgebung.ordner.Pfad()} + angaben);
    QCOMPARE(l.fehler, QString());
    QCOMPARE(l.code, 0);

    QFile erwartet(QStringLiteral(KELVORA_TESTDATEN "/auswerten/") + datei);
    QVERIFY2(erwartet.open(QIODevice::ReadOnly), qPrintable(erwartet.fileName()));
    // Line by line, so that a difference names its line.
    QCOMPARE(l.aus.split(QLatin1Char('\n')), QString::fromUtf8(erwartet.readAll()).split(QLatin1Char('\n')));
}

void BefehleTest::iniWerte()
{
    DatenbankUmgebung umgebung;
    QVERIFY(umgebung.bereit);
    QVERIFY(RationSchreiben({{9101, 30, 0, 1}, {9104, 2, 0, 1}}));
    // The data folder given before the command counts for the command.
    const auto mit = [&](const QStringList& angaben) {
        return Kelvora(QStringList{"--datenordner", umgebung.ordner.Pfad(), "auswerten"} + angaben);
    };
    const QString abschnitt = QStringLiteral("RationTierErstellenFenster");

    // Nothing stored: the window's defaults 650 kg, 40,0 kg milk, 4,00 % fat.
    QCOMPARE(mit({}).code, 0);
    const QString vorgabe = mit({}).aus;
    QCOMPARE(vorgabe, mit({"--gewicht", "650", "--milch", "40", "--fett", "4"}).aus);

    QVERIFY(INISpeichernMehrere(abschnitt, {{"Gewicht", "750"}, {"Milch", "28,5"}, {"Fett", "3,90"}}, true));
    QCOMPARE(mit({}).aus, mit({"--gewicht", "750", "--milch", "28,5", "--fett", "3,9"}).aus);
    QVERIFY(mit({}).aus != vorgabe);
    // An option overrides only its own value.
    QCOMPARE(mit({"--milch", "40"}).aus, mit({"--gewicht", "750", "--milch", "40", "--fett", "3,90"}).aus);
    // A stored weight outside the classes falls back to 650, as in the window.
    INISpeichern(abschnitt, "Gewicht", "420");
    QCOMPARE(mit({}).aus, mit({"--gewicht", "650", "--milch", "28,5", "--fett", "3,9"}).aus);

    // A stored milk yield that is garbage is never used as a number.
    INISpeichern(abschnitt, "Milch", "7.7e303");
    const Lauf l = mit({});
    QCOMPARE(l.code, 2);
    QVERIFY(l.aus.isEmpty());
    QVERIFY2(l.fehler.contains(QStringLiteral("Geben Sie den Wert mit --milch an.")), qPrintable(l.fehler));
    QCOMPARE(mit({"--milch", "28,5"}).code, 0);
}

void BefehleTest::falscheAngaben_data()
{
    QTest::addColumn<QStringList>("angaben");
    QTest::addColumn<QString>("meldung");

    QTest::newRow("unbekannt") << QStringList{"auswerten", "--farbe", "rot"}
                               << "Unbekannte Angabe für auswerten: --farbe";
    QTest::newRow("Gewicht keine Klasse")
        << QStringList{"ausgleichen", "tm", "--gewicht", "625"}
        << "Das Gewicht (--gewicht) muss eine der Gewichtsklassen 500, 550, 600, 650, 700, 750 oder 800 sein, "
           "nicht: 625";
    QTest::newRow("Milch keine Zahl")
        << QStringList{"auswerten", "--milch", "viel"}
        << "Falsche Angabe bei --milch: Bitte geben Sie bei Milch kg eine Zahl ein (zum Beispiel 12,5). \"viel\" "
           "ist keine Zahl.";
    QTest::newRow("Milch mit Exponent")
        << QStringList{"auswerten", "--milch", "1e2"}
        << "Falsche Angabe bei --milch: Bitte geben Sie bei Milch kg eine Zahl ein (zum Beispiel 12,5). \"1e2\" "
           "ist keine Zahl.";
    QTest::newRow("Milch mit Tausenderpunkt") << QStringList{"auswerten", "--milch=1.234,5"}
                                              << "Falsche Angabe bei --milch: Der Wert bei Milch kg muss zwischen";
    QTest::newRow("Fett NaN") << QStringList{"auswerten", "--fett", "NaN"} << "Falsche Angabe bei --fett: Bitte";
    QTest::newRow("Eiweiß über 5") << QStringList{"auswerten", "--eiweiss", "5,5"}
                                   << "Falsche Angabe bei --eiweiss: Der Wert bei Eiweiß % muss zwischen";
    QTest::newRow("Gewicht mit Exponent") << QStringList{"auswerten", "--gewicht", "6,5E2"}
                                      << "Das Gewicht (--gewicht) muss eine der Gewichtsklassen";
    QTest::newRow("Datenordner leer") << QStringList{"auswerten", "--datenordner="}
                                      << "Nach --datenordner fehlt der Ordner.";
    QTest::newRow("falsche Art") << QStringList{"ausgleichen", "xp"}
                                 << "Geben Sie an, wonach ausgeglichen werden soll: tm oder ndf.";
    // The program's own options ("--farbe", an empty "--datenordner") are
    // refused without a display in tests/ohne_bildschirm.cmake.
    QTest::newRow("Programm: unbekannter Befehl") << QStringList{"drucken"} << "Unbekannter Befehl: drucken";
}

void BefehleTest::falscheAngaben()
{
    QFETCH(QStringList, angaben);
    QFETCH(QString, meldung);
    DatenbankUmgebung umgebung;
    QVERIFY(umgebung.bereit);
    QVERIFY(RationSchreiben({{9101, 30, 0, 1}, {9103, 0, 100, 0}}));
    const TestDatenordner& ordner = umgebung.ordner;
    const QStringList vorher = DatenbankInhalt(ordner.Pfad(QStringLiteral("Futter.mdb")));
    const QStringList dateien = QDir(ordner.Pfad()).entryList(QDir::Files);

    const Lauf l = Kelvora(angaben);
    QCOMPARE(l.code, 2);
    QVERIFY(l.aus.isEmpty());
    QVERIFY2(l.fehler.startsWith(meldung), qPrintable(l.fehler));
    const bool befehl = angaben.first() == QLatin1String("auswerten") || angaben.first() == QLatin1String("ausgleichen");
    QVERIFY2(l.fehler.contains(befehl ? "\nAufruf: kelvora " + angaben.first() : QStringLiteral("kelvora --help")),
             qPrintable(l.fehler));
    // Refused before anything is touched: no log, no INI, no balancing.
    QCOMPARE(QDir(ordner.Pfad()).entryList(QDir::Files), dateien);
    QCOMPARE(DatenbankInhalt(ordner.Pfad(QStringLiteral("Futter.mdb"))), vorher);
    QVERIFY(umgebung.ui.meldungen.isEmpty());
}

// One line of each help, exit code 0 (the version and "auswerten --help"
// are asked in tests/ohne_bildschirm.cmake).
void BefehleTest::hilfe_data()
{
    QTest::addColumn<QStringList>("angaben");
    QTest::addColumn<QString>("enthaelt");
    QTest::newRow("Programm") << QStringList{"--help"}
                              << "\n  version-pruefen  Sieht beim Update-Server nach";
    QTest::newRow("ausgleichen") << QStringList{"ausgleichen", "-h"}
                                 << "Aufruf: kelvora ausgleichen [Optionen] tm|ndf\n";
}

void BefehleTest::hilfe()
{
    QFETCH(QStringList, angaben);
    QFETCH(QString, enthaelt);
    TestDatenordner ordner;
    const Lauf l = Kelvora(angaben);
    QCOMPARE(l.code, 0);
    QCOMPARE(l.fehler, QString());
    QVERIFY2(l.aus.contains(enthaelt), qPrintable(l.aus));
    QVERIFY(QDir(ordner.Pfad()).isEmpty());
}

// The first command on a folder without the user's data sets it up as the
// first window start does; a folder that held the user's data and lost its
// database ends the command with the message of the missing database.
void BefehleTest::datenordner_data()
{
    QTest::addColumn<QString>("vorhanden");
    QTest::addColumn<int>("code");
    QTest::newRow("nur Einstellungen: eingerichtet") << "KELVORA.INI" << 0;
    QTest::newRow("alte BAK: Datenbank fehlt") << "Futter.BAK" << 1;
}

void BefehleTest::datenordner()
{
    QFETCH(QString, vorhanden);
    QFETCH(int, code);
    TestDatenordner lieferung;
    QVERIFY(!TestDatenbankAnlegen(LieferDatenbankName).isEmpty());
    LieferOrdnerSetzen(lieferung.Pfad());
    const auto zurueck = qScopeGuard([] { LieferOrdnerSetzen(QString()); });
    TestDatenordner ordner;
    // The settings as the user prepares them; a BAK of a month ago is too old to be put in place.
    ordner.Schreiben(vorhanden, "[Austausch]\r\n");
    ordner.DateizeitSetzen(vorhanden, QDateTime(QDate(2026, 11, 1), QTime(8, 0)));
    TestOberflaeche oberflaeche;
    const Lauf l = Kelvora({"auswerten", "--datenordner", ordner.Pfad(), "--milch", "31"});
    QCOMPARE(l.code, code);
    // The command's own seam took the message; the test seam saw none.
    QVERIFY(oberflaeche.meldungen.isEmpty());
    QCOMPARE(&ui(), static_cast<Oberflaeche*>(&oberflaeche));
    if (code == 0)
        return;
    QVERIFY(l.aus.isEmpty());
    QVERIFY2(l.fehler.contains(QStringLiteral("Die Datenbank Futter.mdb fehlt!")), qPrintable(l.fehler));

    // The daily log says what was started and how it ended.
    const QStringList logs = QDir(ordner.Pfad()).entryList({QStringLiteral("??_??_??.txt")});
    QCOMPARE(logs.size(), 1);
    const QString log = ordner.Zeilen(logs.first()).join(QLatin1Char('\n'));
    QVERIFY2(log.contains(QStringLiteral("  Befehl auswerten aufgerufen: --datenordner ") + ordner.Pfad()
                          + QStringLiteral(" --milch 31\n")),
             qPrintable(log));
    QVERIFY2(log.endsWith(QStringLiteral("Befehl auswerten endet mit Rückgabewert 1")), qPrintable(log));
}

void BefehleTest::rationAendern_data()
{
    QTest::addColumn<QStringList>("befehl");
    QTest::addColumn<Ration>("ration");
    QTest::addColumn<QString>("sql"); // run on the stored data before
    QTest::addColumn<QStringList>("andere"); // another Kelvora's statements, its lock held during the command
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("fehler"); // on stderr exactly once; empty: nothing

    const QStringList optimieren { "optimieren" }, tm { "ausgleichen", "tm" }, ndf { "ausgleichen", "ndf" };
    const Ration frei { { 9101, 0, 60, 0 }, { 9103, 0, 40, 0 }, { 9105, 0, 0, 0 } };
    QTest::newRow("optimiert") << optimieren << frei << "" << QStringList {} << 0 << "";
    QTest::newRow("unmöglich") << optimieren << Ration { { 9101, 0, 100, 0 } } << "" << QStringList {} << 3
                               << "Ohne die Grenze NFC mindestens 35 % wäre eine Ration möglich.";

    // Refused before the balancing with the real reason, not for want of a
    // maximum the stopped evaluation did not show.
    QTest::newRow("TM negativ") << tm << frei << "UPDATE Futtermittel SET TM_g = -5 WHERE ID = 9103" << QStringList {}
                                << 3 << "Beim Futtermittel \"Weizen Test\" ist die Trockenmasse (TM_g) ungültig";
    // Another Kelvora holds the database through every attempt: writing, or
    // reading so that the commit has to wait.
    const QString besetzt = "Die Datenbank wird gerade von einem anderen Kelvora-Fenster oder -Befehl benutzt";
    QTest::newRow("ein anderer schreibt")
        << optimieren << frei << "" << QStringList { "BEGIN IMMEDIATE" } << 1 << besetzt;
    QTest::newRow("ein anderer liest") << ndf << frei << "" << QStringList { "BEGIN", "SELECT count(*) FROM Ration" }
                                       << 1 << besetzt;
}

void BefehleTest::rationAendern()
{
    QFETCH(QStringList, befehl);
    QFETCH(Ration, ration);
    QFETCH(QString, sql);
    QFETCH(QStringList, andere);
    QFETCH(int, code);
    QFETCH(QString, fehler);
    DatenbankUmgebung umgebung;
    QVERIFY(umgebung.bereit);
    QVERIFY(RationSchreiben(ration));
    if (!sql.isEmpty()) {
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank) && AnweisungAusfuehren(v, sql));
    }
    const QList<double> vorher = FrischMengen();

    Lauf l;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("andere"));
        db.setDatabaseName(programm().futterDatenbank);
        QVERIFY(db.open());
        for (const QString& anweisung : andere)
            QVERIFY(QSqlQuery(db).exec(anweisung));
        l = Kelvora(
            befehl + QStringList { "--datenordner", umgebung.ordner.Pfad(), "--gewicht", "650", "--milch", "20" });
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("andere"));
    QCOMPARE(l.code, code);
    if (code != 0) {
        QVERIFY2(l.fehler.count(fehler) == 1, qPrintable(l.fehler));
        // Never a wrong reason for a busy database or a stored value.
        for (const char* falsch : { "kein Preis", "schreibgeschützt", "Aufnahmetabelle" })
            QVERIFY2(!l.fehler.contains(QString::fromUtf8(falsch)), qPrintable(l.fehler));
        QVERIFY(l.aus.isEmpty());
        QCOMPARE(FrischMengen(), vorher);
        return;
    }
    QCOMPARE(l.fehler, QString());
    // What auswerten prints, an empty line and the three cost lines; the cost
    // per day is the one the evaluation shows.
    QStringList schluss = l.aus.section(QLatin1Char('\n'), -5).split(QLatin1Char('\n'));
    const QString tag = schluss[1].section(QLatin1Char('\t'), 1);
    for (QString& zeile : schluss)
        zeile = zeile.section(QLatin1Char('\t'), 0, 0);
    QCOMPARE(schluss, (QStringList{"", "Kosten je Tag", "Kosten je kg Milch", "Einkommen über Futterkosten", ""}));
    QVERIFY(l.aus.contains(QStringLiteral("lblFutterkostenAnzeige\t") + tag));
    for (double menge : FrischMengen())
        QVERIFY(menge > 0);
}

KELVORA_TEST(BefehleTest)
#include "tst_Befehle.moc"
