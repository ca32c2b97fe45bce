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
    void dateioperationen_data();
    void dateioperationen();
};

// The folder holds q.dat (200,000 bytes, more than one block of the old
// copy method), da.dat and da(1).dat ("alt"), KELVORA.INI, kontakt.ini and
// the folder unter with a KELVORA.INI. landet: where q.dat's content is
// afterwards, "" = nowhere new. In the expected lines of the day's log
// QUELLE and ZIEL stand for the full paths.
void DateienFindenTest::dateioperationen_data()
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
    const QString l = "löschen";
    QTest::newRow("löschen") << l << "q.dat" << "" << false << true << "" << L { "QUELLE gelöscht." } << "";
    QTest::newRow("löschen, fehlende Datei") << l << "fehlt.dat" << "" << false << true << "" << L {} << "";
    QTest::newRow("löschen, INI im Datenordner")
        << l << "KELVORA.INI" << "" << false << false << ""
        << L { "DateienFinden.General.DateiLoeschen: INI-Datei soll gelöscht werden. Wird verweigert: QUELLE" } << "";
    QTest::newRow("löschen, ini klein im Datenordner") << l << "kontakt.ini" << "" << false << false << "" << L {}
                                                       << "";
    QTest::newRow("löschen, INI in Unterordner") << l << "unter/KELVORA.INI" << "" << false << true << "" << L {}
                                                 << "";
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

void DateienFindenTest::dateioperationen()
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
    for (const char* ini : { "KELVORA.INI", "kontakt.ini", "unter/KELVORA.INI" })
        ordner.Schreiben(ini, "[Programm]");
    const QString q = ordner.Pfad(quelle);
    const QString z = ordner.Pfad(ziel);
    const bool warDa = QFile::exists(q);

    QString wirklich;
    const bool ok = aktion == "löschen" ? DateiLoeschen(q)
        : aktion == "umbenennen"        ? Umbenennen(q, z, ueberschreiben)
        : aktion == "verschieben"       ? DateiVerschieben(q, z, ueberschreiben, &wirklich)
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
    QCOMPARE(QFile::exists(q), warDa && (!ergebnis || aktion.endsWith("kopieren")));
    const QString tageslog = ordner.Zeilen("26_12_04.txt").join('\n');
    for (QString zeile : log)
        QVERIFY2(tageslog.contains(zeile.replace("QUELLE", q).replace("ZIEL", z)), qPrintable(tageslog));
    QCOMPARE(ui.Texte(),
        meldung.isEmpty() ? QStringList {}
                          : QStringList { meldung.replace("ZIEL", z).replace("ORDNER", ordner.Pfad()) });
    QCOMPARE(ui.sanduhrTiefe, 0);
    QVERIFY(ui.wartezeiten.isEmpty());
}

KELVORA_TEST(DateienFindenTest)
#include "tst_DateienFinden.moc"
