#include "DatenbankTestHilfen.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DateienFinden.h"
#include "database/DatenbankKomprimieren.h"
#include "database/DatenbankRoutinen.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

class DateienFindenTest : public QObject {
    Q_OBJECT
private slots:
    void dateiLoeschen_data();
    void dateiLoeschen();
    void dateiKopieren_data();
    void dateiKopieren();
    void kopierenScheitertOhneSchaden();
    void umbenennen_data();
    void umbenennen();
    void verschiebenMitNummer();
    void fileExists();
    void komprimieren_data();
    void komprimieren();
};

void DateienFindenTest::dateiLoeschen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("geloescht");
    QTest::newRow("INI im Datenordner") << "KELVORA.INI" << false;
    QTest::newRow("ini klein im Datenordner") << "kontakt.ini" << false;
    QTest::newRow("INI in Unterordner") << "Sicherung/KELVORA.INI" << true;
    QTest::newRow("Datenbank") << "Futter.KOM" << true;
    QTest::newRow("fehlende Datei") << "gibtsnicht.txt" << true;
}

void DateienFindenTest::dateiLoeschen()
{
    QFETCH(QString, name);
    QFETCH(bool, geloescht);
    TestOberflaeche ui;
    TestDatenordner ordner;
    QDir().mkpath(ordner.Pfad("Sicherung"));
    if (!name.startsWith("gibtsnicht"))
        ordner.Schreiben(name, "x");
    QCOMPARE(DateiLoeschen(ordner.Pfad(name)), geloescht);
    QCOMPARE(QFile::exists(ordner.Pfad(name)), !geloescht);
    QCOMPARE(ordner.Zeilen("Fehlerprotokoll.txt"),
        geloescht ? QStringList {}
                  : QStringList { "E 04.12.26 10:00:00  DateienFinden.General.DateiLoeschen: INI-Datei soll "
                                  "gelöscht werden. Wird verweigert: "
                      + ordner.Pfad(name) });
    QVERIFY(ui.wartezeiten.isEmpty());
}

void DateienFindenTest::dateiKopieren_data()
{
    QTest::addColumn<bool>("zielDa");
    QTest::addColumn<bool>("ueberschreiben");
    QTest::addColumn<bool>("neueMethode");
    QTest::addColumn<bool>("ergebnis");
    QTest::addColumn<QString>("logzeile");
    QTest::newRow("neue Methode") << false << false << true << true << "Variante 2 (neue Methode) wird verwendet";
    QTest::newRow("alte Methode") << false << false << false << true << "Variante 1 (alte Methode) wird verwendet";
    QTest::newRow("Ziel vorhanden") << true << false << true << false
                                    << "DateiKopieren abgebrochen, weil die Zieldatei ZIEL mit gleichem Namen schon "
                                       "vorhanden ist.";
    QTest::newRow("Ziel überschreiben") << true << true << false << true << "FileCopy wurde fehlerfrei ausgeführt.";
}

void DateienFindenTest::dateiKopieren()
{
    QFETCH(bool, zielDa);
    QFETCH(bool, ueberschreiben);
    QFETCH(bool, neueMethode);
    QFETCH(bool, ergebnis);
    QFETCH(QString, logzeile);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QByteArray inhalt(200000, 'k'); // more than one block of the old method
    ordner.Schreiben("quelle.dat", inhalt);
    if (zielDa)
        ordner.Schreiben("ziel.dat", "alt");
    const QString ziel = ordner.Pfad("ziel.dat");
    QCOMPARE(DateiKopieren(ordner.Pfad("quelle.dat"), ziel, true, ueberschreiben, neueMethode), ergebnis);
    QCOMPARE(ordner.Roh("ziel.dat"), ergebnis ? inhalt : QByteArray("alt"));
    QCOMPARE(ordner.Roh("quelle.dat"), inhalt);
    const QStringList log = ordner.Zeilen("26_12_04.txt");
    QCOMPARE(log.first(), "E 10:00:00  DateiKopieren aufgerufen: " + ordner.Pfad("quelle.dat") + " ---> " + ziel);
    QVERIFY2(log.join('\n').contains(logzeile.replace("ZIEL", ziel)), qPrintable(log.join('\n')));
    QCOMPARE(log.contains("E 10:00:00          200.000"), ergebnis);
    QCOMPARE(ui.Texte(),
        ergebnis ? QStringList {}
                 : QStringList { "Das Kopieren der Datei wurde abgebrochen, weil die Zieldatei " + ziel
                     + " mit gleichem Namen schon vorhanden ist!" });
    QCOMPARE(ui.sanduhrTiefe, 0);
}

void DateienFindenTest::kopierenScheitertOhneSchaden()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    ordner.Schreiben("a.dat", "a");
    QVERIFY(!DateiKopieren(ordner.Pfad("a.dat"), ordner.Pfad("fehlt/a.dat"), false));
    QCOMPARE(ui.Texte(),
        QStringList {
            "Der Ordner " + ordner.Pfad("fehlt") + " existiert nicht! Kopieren der Datei ist nicht möglich!" });
    // A missing source never costs the target it would have replaced.
    ordner.Schreiben("b.dat", "b");
    QVERIFY(!DateiKopieren(ordner.Pfad("fehlt.dat"), ordner.Pfad("b.dat"), true, true));
    QCOMPARE(ordner.Roh("b.dat"), QByteArray("b"));
    QVERIFY(ordner.Zeilen("26_12_04.txt")
                .last()
                .endsWith("DateiKopieren abgebrochen, weil die Quelldatei nicht existiert."));
}

void DateienFindenTest::umbenennen_data()
{
    QTest::addColumn<QString>("ziel");
    QTest::addColumn<bool>("zielDa");
    QTest::addColumn<bool>("ueberschreiben");
    QTest::addColumn<bool>("ergebnis");
    QTest::newRow("gleicher Ordner") << "neu.mdb" << false << false << true;
    QTest::newRow("Ziel da, nicht überschreiben") << "neu.mdb" << true << false << false;
    QTest::newRow("Ziel da, überschreiben") << "neu.mdb" << true << true << true;
    QTest::newRow("anderer Ordner") << "unter/neu.mdb" << false << false << true;
}

void DateienFindenTest::umbenennen()
{
    QFETCH(QString, ziel);
    QFETCH(bool, zielDa);
    QFETCH(bool, ueberschreiben);
    QFETCH(bool, ergebnis);
    TestOberflaeche ui;
    TestDatenordner ordner;
    ordner.Schreiben("alt.mdb", "Daten");
    if (zielDa)
        ordner.Schreiben(ziel, "vorher");
    QCOMPARE(Umbenennen(ordner.Pfad("alt.mdb"), ordner.Pfad(ziel), ueberschreiben), ergebnis);
    QCOMPARE(ordner.Roh(ziel), ergebnis ? QByteArray("Daten") : QByteArray("vorher"));
    QCOMPARE(QFile::exists(ordner.Pfad("alt.mdb")), !ergebnis);
    if (ergebnis && !ziel.contains('/'))
        QVERIFY(
            ordner.Zeilen("26_12_04.txt")
                .last()
                .endsWith("Datei wurde mit Name umbenannt: " + ordner.Pfad("alt.mdb") + " --> " + ordner.Pfad(ziel)));
}

void DateienFindenTest::verschiebenMitNummer()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    QDir().mkpath(ordner.Pfad("ziel"));
    ordner.Schreiben("ziel/Futter.xml", "1");
    ordner.Schreiben("ziel/Futter(1).xml", "2");
    ordner.Schreiben("Futter.xml", "3");
    QString wirklich;
    QVERIFY(DateiVerschieben(ordner.Pfad("Futter.xml"), ordner.Pfad("ziel/Futter.xml"), false, &wirklich));
    QCOMPARE(wirklich, ordner.Pfad("ziel/Futter(2).xml"));
    QCOMPARE(ordner.Roh("ziel/Futter(2).xml"), QByteArray("3"));
    QCOMPARE(ordner.Roh("ziel/Futter.xml"), QByteArray("1"));
    QVERIFY(!QFile::exists(ordner.Pfad("Futter.xml")));
    ordner.Schreiben("b.txt", "neu");
    QVERIFY(DateiVerschieben(ordner.Pfad("b.txt"), ordner.Pfad("tief/unten/b.txt"), true, &wirklich));
    QCOMPARE(ordner.Roh("tief/unten/b.txt"), QByteArray("neu"));
}

void DateienFindenTest::fileExists()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    ordner.Schreiben("da.txt", "x");
    QVERIFY(FileExists(ordner.Pfad("da.txt")) && !FileExists(ordner.Pfad("fehlt.txt")));
    QVERIFY(!FileExists(QString()) && !FileExists(ordner.Pfad())); // a folder is no file
    QVERIFY(OrdnerExistiert(ordner.Pfad()) && !OrdnerExistiert(ordner.Pfad("da.txt")));
    QVERIFY(DateiFrei(ordner.Pfad("fehlt.txt")));
    QCOMPARE(Dateizeit(ordner.Pfad("fehlt")), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    QVERIFY(ui.meldungen.isEmpty());

    // A file that may not be read: error 70 with its message.
    ordner.Schreiben("gesperrt.txt", "x");
    QFile(ordner.Pfad("gesperrt.txt")).setPermissions(QFileDevice::Permissions());
    ::chmod(QFile::encodeName(ordner.Pfad()).constData(), 0755);
    bool ergebnis;
    {
        Schreibschutz schutz(ordner.Pfad());
        if (!schutz.wirksam)
            QSKIP("Dateirechte lassen sich hier nicht wirksam entziehen");
        ergebnis = FileExists(ordner.Pfad("gesperrt.txt"));
    }
    QVERIFY(!ergebnis);
    QCOMPARE(ui.Texte(),
        QStringList { ordner.Pfad("gesperrt.txt")
            + "\nAuf diese Datei kann nicht zugegriffen werden! Sie sollten das Programm "
              "beenden und nach der Ursache suchen.\n\nInformieren Sie den Programmierer, "
              "sollte das Problem häufiger auftauchen!" });
    QCOMPARE(ui.meldungen.first().symbol, Symbol::Kritisch);
}

void DateienFindenTest::komprimieren_data()
{
    QTest::addColumn<int>("fall"); // 0 = freed space, 1 = leftovers of an aborted run, 2 = damaged file
    QTest::newRow("gelöschte Zeilen") << 0;
    QTest::newRow("Reste eines abgebrochenen Laufs") << 1;
    QTest::newRow("kaputte Datei") << 2;
}

void DateienFindenTest::komprimieren()
{
    QFETCH(int, fall);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    if (fall == 0) {
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, pfad));
        const QString lang(2000, QLatin1Char('x'));
        QVERIFY(AnweisungAusfuehren(v, "BEGIN"));
        for (int i = 0; i < 200; ++i)
            QVERIFY(
                AnweisungAusfuehren(v, "INSERT INTO Ration (FutterID, FutterFrischMenge) VALUES (?, ?)", { lang, i }));
        QVERIFY(AnweisungAusfuehren(v, "COMMIT"));
        QVERIFY(AnweisungAusfuehren(v, "DELETE FROM Ration WHERE FutterFrischMenge > 2"));
    } else if (fall == 1) {
        ordner.Schreiben("~tmp_Futter.mdb", "Rest eines abgebrochenen Laufs");
        ordner.Schreiben("old_Futter.mdb", "Rest");
    } else {
        ordner.Schreiben("Futter.mdb", "keine Datenbank");
    }
    const QStringList inhalt = fall == 2 ? QStringList {} : DatenbankInhalt(pfad);
    const auto vorher = Dateistand(ordner.Pfad());

    QCOMPARE(DatenbankKomprimieren(pfad), fall != 2);
    QVERIFY(ui.meldungen.isEmpty());
    if (fall == 2) {
        QCOMPARE(Dateistand(ordner.Pfad()), vorher);
        return;
    }
    QCOMPARE(DatenbankInhalt(pfad), inhalt);
    QCOMPARE(QDir(ordner.Pfad()).entryList(QDir::Files | QDir::Hidden).filter(".mdb"), QStringList { "Futter.mdb" });
    QCOMPARE(QDir(ordner.Pfad()).entryList({ "~tmp_*", "old_*" }, QDir::Files | QDir::Hidden), QStringList {});
    QVERIFY(ordner.Zeilen("26_12_04.txt").contains("E 10:00:00  " + pfad + " wurde erfolgreich komprimiert."));
    if (fall == 0)
        QVERIFY(QFileInfo(pfad).size() < vorher.value("Futter.mdb").size());
    QVERIFY(!DatenbankKomprimieren(ordner.Pfad("fehlt.mdb")));
}

KELVORA_TEST(DateienFindenTest)
#include "tst_DateienFinden.moc"
