#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DateienFinden.h"

#include <QDir>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

class DateienFindenTest : public QObject {
    Q_OBJECT
private slots:
    void dateiLoeschen_data();
    void dateiLoeschen();
    void kopierenUndVerschieben_data();
    void kopierenUndVerschieben();
    void dateiangaben();
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

// The folder holds q.dat (200,000 bytes, more than one block of the old
// copy method), da.dat and da(1).dat ("alt") and the empty folder unter.
// landet: where q.dat's content is afterwards, "" = nowhere new. In the
// expected log lines QUELLE and ZIEL stand for the full paths.
void DateienFindenTest::kopierenUndVerschieben_data()
{
    QTest::addColumn<QString>("aktion");
    QTest::addColumn<QString>("quelle");
    QTest::addColumn<QString>("ziel");
    QTest::addColumn<bool>("ueberschreiben");
    QTest::addColumn<bool>("ergebnis");
    QTest::addColumn<QString>("landet");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("meldung");
    using L = QStringList;
    const QString k = "kopieren";
    const QString u = "umbenennen";
    const QString v = "verschieben";
    QTest::newRow("kopieren, neue Methode")
        << k << "q.dat" << "neu.dat" << false << true << "neu.dat"
        << L { "DateiKopieren aufgerufen: QUELLE ---> ZIEL", "Variante 2 (neue Methode) wird verwendet", "200.000" }
        << "";
    QTest::newRow("kopieren, alte Methode") << "alt kopieren" << "q.dat" << "neu.dat" << false << true << "neu.dat"
                                            << L { "Variante 1 (alte Methode) wird verwendet", "200.000" } << "";
    QTest::newRow("kopieren, Ziel vorhanden")
        << k << "q.dat" << "da.dat" << false << false << ""
        << L { "DateiKopieren abgebrochen, weil die Zieldatei ZIEL mit gleichem Namen schon vorhanden ist." }
        << "Das Kopieren der Datei wurde abgebrochen, weil die Zieldatei ZIEL mit gleichem Namen schon vorhanden ist!";
    QTest::newRow("kopieren, Ziel überschreiben") << "alt kopieren" << "q.dat" << "da.dat" << true << true << "da.dat"
                                                  << L { "FileCopy wurde fehlerfrei ausgeführt." } << "";
    QTest::newRow("kopieren, Zielordner fehlt")
        << k << "q.dat" << "fehlt/neu.dat" << false << false << "" << L {}
        << "Der Ordner ORDNER/fehlt existiert nicht! Kopieren der Datei ist nicht möglich!";
    // A missing source never costs the target it would have replaced.
    QTest::newRow("kopieren, Quelle fehlt") << k << "fehlt.dat" << "da.dat" << true << false << ""
                                            << L { "DateiKopieren abgebrochen, weil die Quelldatei nicht existiert." }
                                            << "";
    QTest::newRow("umbenennen") << u << "q.dat" << "neu.dat" << false << true << "neu.dat"
                                << L { "Datei wurde mit Name umbenannt: QUELLE --> ZIEL" } << "";
    QTest::newRow("umbenennen, Ziel vorhanden") << u << "q.dat" << "da.dat" << false << false << "" << L {} << "";
    QTest::newRow("umbenennen, Ziel überschreiben") << u << "q.dat" << "da.dat" << true << true << "da.dat" << L {}
                                                    << "";
    QTest::newRow("umbenennen in anderen Ordner") << u << "q.dat" << "unter/neu.dat" << false << true
                                                  << "unter/neu.dat" << L {} << "";
    QTest::newRow("verschieben, nächste freie Nummer")
        << v << "q.dat" << "da.dat" << false << true << "da(2).dat" << L {} << "";
    QTest::newRow("verschieben in neuen Ordner") << v << "q.dat" << "tief/unten/neu.dat" << false << true
                                                 << "tief/unten/neu.dat" << L {} << "";
}

void DateienFindenTest::kopierenUndVerschieben()
{
    QFETCH(QString, aktion);
    QFETCH(QString, quelle);
    QFETCH(QString, ziel);
    QFETCH(bool, ueberschreiben);
    QFETCH(bool, ergebnis);
    QFETCH(QString, landet);
    QFETCH(QStringList, log);
    QFETCH(QString, meldung);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QByteArray inhalt(200000, 'k');
    ordner.Schreiben("q.dat", inhalt);
    ordner.Schreiben("da.dat", "alt");
    ordner.Schreiben("da(1).dat", "alt");
    QDir().mkpath(ordner.Pfad("unter"));
    const QString q = ordner.Pfad(quelle);
    const QString z = ordner.Pfad(ziel);

    QString wirklich;
    const bool ok = aktion == "umbenennen" ? Umbenennen(q, z, ueberschreiben)
        : aktion == "verschieben"          ? DateiVerschieben(q, z, ueberschreiben, &wirklich)
                                           : DateiKopieren(q, z, true, ueberschreiben, aktion == "kopieren");
    QCOMPARE(ok, ergebnis);
    if (!landet.isEmpty())
        QCOMPARE(ordner.Roh(landet), inhalt);
    if (aktion == "verschieben")
        QCOMPARE(wirklich, ordner.Pfad(landet));
    if (landet != "da.dat")
        QCOMPARE(ordner.Roh("da.dat"), QByteArray("alt"));
    QCOMPARE(ordner.Roh("da(1).dat"), QByteArray("alt"));
    // Only a copy keeps its source.
    QCOMPARE(QFile::exists(q), quelle == "q.dat" && (!ergebnis || aktion.endsWith("kopieren")));
    const QString tageslog = ordner.Zeilen("26_12_04.txt").join('\n');
    for (QString zeile : log)
        QVERIFY2(tageslog.contains(zeile.replace("QUELLE", q).replace("ZIEL", z)), qPrintable(tageslog));
    QCOMPARE(ui.Texte(),
        meldung.isEmpty() ? QStringList {}
                          : QStringList { meldung.replace("ZIEL", z).replace("ORDNER", ordner.Pfad()) });
    QCOMPARE(ui.sanduhrTiefe, 0);
}

void DateienFindenTest::dateiangaben()
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
}

KELVORA_TEST(DateienFindenTest)
#include "tst_DateienFinden.moc"
