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

namespace {

// landet: where q.dat's content is afterwards, "" = nowhere new; log: a line
// of the day's log, QUELLE standing for the full path; meldung: the message
// shown, ZIEL and ORDNER standing for the full paths.
void Z(const char* name, const char* aktion, const char* quelle, const char* ziel, bool ueberschreiben,
    bool ergebnis, const char* landet, const QString& log = {}, const QString& meldung = {})
{
    QTest::newRow(name) << QString(aktion) << QString(quelle) << QString(ziel) << ueberschreiben << ergebnis
                        << QString(landet) << log << meldung;
}

} // namespace

// The folder holds q.dat (200,000 bytes, more than one block of the old
// copy method), da.dat and da(1).dat ("alt"), KELVORA.INI, kontakt.ini and
// the folder unter with a KELVORA.INI.
void DateienFindenTest::dateioperationen_data()
{
    QTest::addColumn<QString>("aktion");
    QTest::addColumn<QString>("quelle");
    QTest::addColumn<QString>("ziel");
    QTest::addColumn<bool>("ueberschreiben");
    QTest::addColumn<bool>("ergebnis");
    QTest::addColumn<QString>("landet");
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("meldung");
    const char* k = "kopieren";
    const char* u = "umbenennen";
    const char* l = "löschen";
    Z("löschen", l, "q.dat", "", false, true, "", "QUELLE gelöscht.");
    Z("löschen, fehlende Datei", l, "fehlt.dat", "", false, true, "");
    Z("löschen, INI im Datenordner", l, "KELVORA.INI", "", false, false, "",
        "DateienFinden.General.DateiLoeschen: INI-Datei soll gelöscht werden. Wird verweigert: QUELLE");
    Z("löschen, ini klein im Datenordner", l, "kontakt.ini", "", false, false, "");
    Z("löschen, INI in Unterordner", l, "unter/KELVORA.INI", "", false, true, "");
    Z("kopieren, neue Methode", k, "q.dat", "neu.dat", false, true, "neu.dat");
    Z("kopieren, alte Methode", "alt kopieren", "q.dat", "neu.dat", false, true, "neu.dat");
    Z("kopieren, Ziel vorhanden", k, "q.dat", "da.dat", false, false, "", {},
        "Das Kopieren der Datei wurde abgebrochen, weil die Zieldatei ZIEL mit gleichem Namen schon vorhanden ist!");
    Z("kopieren, Ziel überschreiben", "alt kopieren", "q.dat", "da.dat", true, true, "da.dat");
    Z("kopieren, Zielordner fehlt", k, "q.dat", "fehlt/neu.dat", false, false, "", {},
        "Der Ordner ORDNER/fehlt existiert nicht! Kopieren der Datei ist nicht möglich!");
    // A missing source never costs the target it would have replaced.
    Z("kopieren, Quelle fehlt", k, "fehlt.dat", "da.dat", true, false, "");
    Z("umbenennen", u, "q.dat", "neu.dat", false, true, "neu.dat");
    Z("umbenennen, Ziel vorhanden", u, "q.dat", "da.dat", false, false, "");
    Z("umbenennen, Ziel überschreiben", u, "q.dat", "da.dat", true, true, "da.dat");
    Z("verschieben, nächste freie Nummer", "verschieben", "q.dat", "da.dat", false, true, "da(2).dat");
    Z("verschieben in neuen Ordner", "verschieben", "q.dat", "tief/unten/neu.dat", false, true, "tief/unten/neu.dat");
}

void DateienFindenTest::dateioperationen()
{
    QFETCH(QString, aktion);
    QFETCH(QString, quelle);
    QFETCH(QString, ziel);
    QFETCH(bool, ueberschreiben);
    QFETCH(bool, ergebnis);
    QFETCH(QString, landet);
    QFETCH(QString, log);
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
    QVERIFY2(tageslog.contains(log.replace("QUELLE", q)), qPrintable(tageslog));
    QCOMPARE(ui.Texte(),
        meldung.isEmpty() ? QStringList {}
                          : QStringList { meldung.replace("ZIEL", z).replace("ORDNER", ordner.Pfad()) });
    QCOMPARE(ui.sanduhrTiefe, 0);
    QVERIFY(ui.wartezeiten.isEmpty());
}

KELVORA_TEST(DateienFindenTest)
#include "tst_DateienFinden.moc"
