#include "DatenbankTestHilfen.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DateienFinden.h"
#include "database/DatenbankKomprimieren.h"
#include "database/DatenbankRoutinen.h"
#include "database/Datenbankholen.h"
#include "database/LieferDatenbank.h"
#include "database/Schemapflege.h"

#include <QDir>
#include <QTest>
#include <optional>

using namespace kelvora;
using namespace kelvora::test;

using Vorbereitung = void (*)(const TestDatenordner&);
using Aktion = bool (*)(const TestDatenordner&);
Q_DECLARE_METATYPE(Vorbereitung)
Q_DECLARE_METATYPE(Aktion)

// Connections to the database and operations on the files of the data folder,
// as they succeed and as they fail.
class DateienTest : public QObject {
    Q_OBJECT
private slots:
    void besetzt_data();
    void besetzt();
    void abfragen();
    void kaputteDatei_data();
    void kaputteDatei();
    void datensatzLoeschen();
    void dateioperationen_data();
    void dateioperationen();
    void fehlschlaege_data();
    void fehlschlaege();
};

namespace {

// A database of yesterday and a younger compacted copy.
void MitJuengererKom(const TestDatenordner& ordner)
{
    TestDatenbankAnlegen();
    ordner.DateizeitSetzen("Futter.mdb", QDateTime(QDate(2026, 12, 3), QTime(9, 0)));
    TestDatenbankAnlegen("Futter.KOM");
    ordner.DateizeitSetzen("Futter.KOM", QDateTime(QDate(2026, 12, 4), QTime(8, 0)));
    ordner.Schreiben("KELVORA.INI", "[Programm]\r\n");
}

// No database, only the delivered one and a copy in the safety folder.
void NurSicherungskopie(const TestDatenordner& ordner)
{
    TestDatenbankAnlegen(LieferDatenbankName);
    QDir().mkpath(ordner.Pfad("Sicherung"));
    TestDatenbankAnlegen("Sicherung/Futter.mdb");
    ::chmod(QFile::encodeName(ordner.Pfad("Sicherung")).constData(), 0755);
}

void KaputteDatenbank(const TestDatenordner& ordner)
{
    TestDatenbankAnlegen();
    ordner.Schreiben("Futter.mdb", "keine Datenbank");
}

bool Oeffnen(const TestDatenordner& ordner, bool nurLesen)
{
    Verbindung v;
    return DatenbankOeffnen(v, ordner.Pfad("Futter.mdb"), nurLesen) && Anzahl(v, "Futtermittel") >= 30
        && !AnweisungAusfuehren(v, "DELETE FROM Futtermittel");
}

bool Holen(const TestDatenordner&)
{
    QString pfad;
    return Datenbankholen("Futter", pfad);
}

using O = const TestDatenordner&;

// versuche: the waits of half a second while a file refuses to go; meldung:
// the message shown; zeile: in the error log.
void Z(const char* name, bool schutz, Vorbereitung v, Aktion a, bool ergebnis, int versuche = 0,
    const QString& meldung = {}, const QString& zeile = {})
{
    QTest::newRow(name) << schutz << v << a << ergebnis << versuche << meldung << zeile;
}

bool FeldNeu(const TestDatenordner& ordner, const QString& tabelle = "Futtermittel", const QString& typ = "INTEGER")
{
    return Feldhinzufuegen(ordner.Pfad("Futter.mdb"), tabelle, "X", typ, 0, false, false, 0);
}

// landet: where q.dat's content is afterwards, "" = nowhere new; meldung:
// the message shown, ZIEL and ORDNER standing for the full paths.
void D(const char* name, const char* aktion, const char* quelle, const char* ziel, bool ueberschreiben,
    bool ergebnis, const char* landet, const QString& meldung = {})
{
    QTest::newRow(name) << QString(aktion) << QString(quelle) << QString(ziel) << ueberschreiben << ergebnis
                        << QString(landet) << meldung;
}

} // namespace

// The folder holds q.dat (200,000 bytes, more than one block of the old
// copy method); da.dat, da(1).dat, KELVORA.INI, kontakt.ini and
// unter/KELVORA.INI hold "alt".
void DateienTest::dateioperationen_data()
{
    QTest::addColumn<QString>("aktion");
    QTest::addColumn<QString>("quelle");
    QTest::addColumn<QString>("ziel");
    QTest::addColumn<bool>("ueberschreiben");
    QTest::addColumn<bool>("ergebnis");
    QTest::addColumn<QString>("landet");
    QTest::addColumn<QString>("meldung");
    const char* k = "kopieren";
    const char* u = "umbenennen";
    const char* l = "löschen";
    D("löschen", l, "q.dat", "", false, true, "");
    D("löschen, fehlende Datei", l, "fehlt.dat", "", false, true, "");
    D("löschen, INI im Datenordner", l, "KELVORA.INI", "", false, false, "");
    D("löschen, ini klein im Datenordner", l, "kontakt.ini", "", false, false, "");
    D("löschen, INI in Unterordner", l, "unter/KELVORA.INI", "", false, true, "");
    D("kopieren, neue Methode", k, "q.dat", "neu.dat", false, true, "neu.dat");
    D("kopieren, alte Methode", "alt kopieren", "q.dat", "neu.dat", false, true, "neu.dat");
    D("kopieren, Ziel vorhanden", k, "q.dat", "da.dat", false, false, "",
        "Das Kopieren der Datei wurde abgebrochen, weil die Zieldatei ZIEL mit gleichem Namen schon vorhanden ist!");
    D("kopieren, Ziel überschreiben", "alt kopieren", "q.dat", "da.dat", true, true, "da.dat");
    D("kopieren, Zielordner fehlt", k, "q.dat", "fehlt/neu.dat", false, false, "",
        "Der Ordner ORDNER/fehlt existiert nicht! Kopieren der Datei ist nicht möglich!");
    // A missing source never costs the target it would have replaced.
    D("kopieren, Quelle fehlt", k, "fehlt.dat", "da.dat", true, false, "");
    D("umbenennen", u, "q.dat", "neu.dat", false, true, "neu.dat");
    D("umbenennen, Ziel vorhanden", u, "q.dat", "da.dat", false, false, "");
    D("umbenennen, Ziel überschreiben", u, "q.dat", "da.dat", true, true, "da.dat");
    D("verschieben, nächste freie Nummer", "verschieben", "q.dat", "da.dat", false, true, "da(2).dat");
    D("verschieben in neuen Ordner", "verschieben", "q.dat", "tief/unten/neu.dat", false, true, "tief/unten/neu.dat");
}

void DateienTest::dateioperationen()
{
    QFETCH(QString, aktion);
    QFETCH(QString, quelle);
    QFETCH(QString, ziel);
    QFETCH(bool, ueberschreiben);
    QFETCH(bool, ergebnis);
    QFETCH(QString, landet);
    QFETCH(QString, meldung);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QByteArray inhalt(200000, 'k');
    ordner.Schreiben("q.dat", inhalt);
    QDir().mkpath(ordner.Pfad("unter"));
    for (const char* datei : { "da.dat", "da(1).dat", "KELVORA.INI", "kontakt.ini", "unter/KELVORA.INI" })
        ordner.Schreiben(datei, "alt");
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
    QCOMPARE(ui.Texte(),
        meldung.isEmpty() ? QStringList {}
                          : QStringList { meldung.replace("ZIEL", z).replace("ORDNER", ordner.Pfad()) });
    QCOMPARE(ui.sanduhrTiefe, 0);
    QVERIFY(ui.wartezeiten.isEmpty());
}

// Operations on a data folder the program may read but not write, or on a
// missing or damaged database: each fails the way it says it fails, and
// nothing in the folder is lost.
void DateienTest::fehlschlaege_data()
{
    QTest::addColumn<bool>("schutz");
    QTest::addColumn<Vorbereitung>("vorbereitung");
    QTest::addColumn<Aktion>("aktion");
    QTest::addColumn<bool>("ergebnis");
    QTest::addColumn<int>("versuche");
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<QString>("zeile");
    const bool geschuetzt = true;
    const bool offen = false;
    const Vorbereitung kom = MitJuengererKom;
    const Vorbereitung leer = [](O) {};
    const Vorbereitung nurDatenbank = [](O) { TestDatenbankAnlegen(); };
    Z("schreibend öffnen", geschuetzt, kom, [](O o) { return Oeffnen(o, false); }, true);
    // The younger copy cannot take the database's place; the older one stays usable.
    Z("KOM einsetzen", geschuetzt, kom, Holen, true, 10);
    Z("komprimieren", geschuetzt, kom, [](O o) { return DatenbankKomprimieren(o.Pfad("Futter.mdb")); }, false);
    Z("Feld hinzufügen", geschuetzt, kom, [](O o) { return FeldNeu(o); }, false);
    Z("löschen", geschuetzt, kom, [](O o) { return DateiLoeschen(o.Pfad("Futter.KOM")); }, false, 10);
    Z("kopieren", geschuetzt, kom, [](O o) { return DateiKopieren(o.Pfad("Futter.mdb"), o.Pfad("Futter.BAK")); },
        false);
    Z("umbenennen", geschuetzt, kom, [](O o) { return Umbenennen(o.Pfad("Futter.KOM"), o.Pfad("Futter.BAK")); },
        false);
    Z("Datenordner einrichten", geschuetzt, [](O) { TestDatenbankAnlegen(LieferDatenbankName); },
        [](O o) { return DatenordnerEinrichten(o.Pfad()); }, false);
    // The copy cannot be copied in: the program ends, the copy stays.
    Z("Sicherungskopie einsetzen", geschuetzt, NurSicherungskopie, Holen, false, 0,
        "Die Datenbank Futter.mdb fehlt! Das Programm kann ohne diese Datenbank nicht richtig arbeiten und wird "
        "deshalb jetzt beendet.");

    // Opened read-only, the database refuses the delete.
    Z("lesend öffnen", offen, nurDatenbank, [](O o) { return Oeffnen(o, true); }, true);
    // A missing database: no retries, no message, and nothing creates it.
    Z("öffnen ohne Datenbank", offen, leer, [](O o) { return Oeffnen(o, false); }, false);
    Z("Feld ohne Datenbank", offen, leer, [](O o) { return FeldNeu(o); }, false, 0, "Datenbank nicht gefunden");
    Z("komprimieren, kaputte Datei", offen, KaputteDatenbank,
        [](O o) { return DatenbankKomprimieren(o.Pfad("Futter.mdb")); }, false);
    Z("Feld, kaputte Datei", offen, KaputteDatenbank, [](O o) { return FeldNeu(o); }, false, 0, "",
        "Feldhinzufuegen zu Futtermittel _ X _ INTEGER FEHLER: Datenbank konnte nicht geöffnet werden: ");
    Z("Feld, unbekanntes Typwort", offen, nurDatenbank, [](O o) { return FeldNeu(o, "Ration", "BLOB"); }, false, 0,
        "BLOB: Datentyp wurde nicht erkannt", "E 04.12.26 10:00:00  Datentyp wurde nicht erkannt: BLOB");
}

void DateienTest::fehlschlaege()
{
    QFETCH(bool, schutz);
    QFETCH(Vorbereitung, vorbereitung);
    QFETCH(Aktion, aktion);
    QFETCH(bool, ergebnis);
    QFETCH(int, versuche);
    QFETCH(QString, meldung);
    QFETCH(QString, zeile);
    TestOberflaeche ui;
    TestDatenordner ordner;
    vorbereitung(ordner);
    const auto vorher = Dateistand(ordner.Pfad());
    const auto vorherSicherung = Dateistand(ordner.Pfad("Sicherung"));
    {
        std::optional<Schreibschutz> schreibschutz;
        if (schutz && !schreibschutz.emplace(ordner.Pfad()).wirksam)
            QSKIP("Der Ordner lässt sich hier nicht schreibschützen");
        QCOMPARE(aktion(ordner), ergebnis);
    }
    QCOMPARE(ui.wartezeiten, QList<int>(versuche, 500));
    QCOMPARE(ui.Texte(), meldung.isEmpty() ? QStringList {} : QStringList { meldung });
    const QString log = ordner.Zeilen("Fehlerprotokoll.txt").join('\n');
    QVERIFY2(log.contains(zeile), qPrintable(log));
    // Only the missing database ends the program.
    QCOMPARE(ui.beendetMitCode, meldung.startsWith("Die Datenbank") ? 1 : -1);
    QCOMPARE(Dateistand(ordner.Pfad()), vorher);
    QCOMPARE(Dateistand(ordner.Pfad("Sicherung")), vorherSicherung);
}

// A busy database is tried five times, two seconds apart. freigabe: the wait
// after which the other program lets go, 0 = never.
void DateienTest::besetzt_data()
{
    QTest::addColumn<int>("freigabe");
    QTest::addColumn<bool>("meldungZeigen");
    QTest::newRow("frei beim dritten Versuch") << 2 << true;
    QTest::newRow("nie frei, mit Meldung") << 0 << true;
    QTest::newRow("nie frei, ohne Meldung") << 0 << false;
}

void DateienTest::besetzt()
{
    QFETCH(int, freigabe);
    QFETCH(bool, meldungZeigen);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    ui.anzeigeText = QStringLiteral("7");
    Sperre sperre(pfad);
    QVERIFY(sperre.gesperrt);
    ui.beimWarten = [&](int) {
        if (ui.wartezeiten.size() == freigabe)
            sperre.Loesen();
    };
    const bool frei = freigabe > 0;
    Verbindung v;
    QCOMPARE(DatenbankOeffnen(v, pfad, false, meldungZeigen), frei);
    QCOMPARE(v.IstOffen(), frei);
    QCOMPARE(ui.wartezeiten, QList<int>(frei ? 2 : 5, 2000));
    // A busy file is no damage: never a restore offer.
    QVERIFY(ZeilenMit(ordner.Zeilen("26_12_04.txt"), "Wiederherstellung").isEmpty());
    // Busy, and said so: never "damaged" or "missing".
    const QString text = "Datenbank konnte nicht geöffnet werden: " + pfad + "\n\n" + BesetztText(pfad);
    QCOMPARE(ui.Texte(), !frei && meldungZeigen ? QStringList { text } : QStringList {});
    // The indicator counts the opened connection and turns red on failure.
    QCOMPARE(ui.anzeigeText, QString(frei ? "8" : "7"));
    QCOMPARE(ui.anzeigeFarben.last() == Farbe::Rot, !frei);
}

// A failed query is logged with its text; an empty one is refused with a
// message before it reaches the database.
void DateienTest::abfragen()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    Verbindung v;
    QSqlQuery q;
    QVERIFY(!AbfrageOeffnen(v, q, "SELECT 1"));
    QVERIFY(DatenbankOeffnen(v, TestDatenbankAnlegen()));
    QVERIFY(!AbfrageOeffnen(v, q, "SELECT * FROM GibtEsNicht"));
    QVERIFY(ordner.Zeilen("Fehlerprotokoll.txt")
                .contains("E 04.12.26 10:00:00  Fehler beim Öffnen einer Tabelle: SELECT * FROM GibtEsNicht"));
    QVERIFY(!AbfrageOeffnenPruefen(v, q, " \t\r\n "));
    QCOMPARE(ui.Texte(), QStringList { "Die Abfrage ist leer. Bitte informieren Sie den Programmierer!" });
    QCOMPARE(ZeilenMit(ordner.Zeilen("Fehlerprotokoll.txt"), "Fehler beim Öffnen einer Tabelle").size(), 2);
}

// antwort: 1 = yes, 0 = no to every restore offer, -1 = the copies are too
// old to be offered at all. Of two copies the younger one is offered.
void DateienTest::kaputteDatei_data()
{
    QTest::addColumn<int>("art");
    QTest::addColumn<int>("antwort");
    const char* arten[] = { "null Bytes", "Textdatei", "abgeschnitten" };
    for (int art = 0; art < 3; ++art) {
        QTest::addRow("%s, Ja", arten[art]) << art << 1;
        QTest::addRow("%s, Nein", arten[art]) << art << 0;
    }
    QTest::addRow("Kopie zwei Tage alt") << 1 << -1;
}

void DateienTest::kaputteDatei()
{
    QFETCH(int, art);
    QFETCH(int, antwort);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    const QByteArray ganz = ordner.Roh("Futter.mdb");
    ordner.Schreiben("Futter.mdb",
        art == 0       ? QByteArray()
            : art == 1 ? QByteArray("ID;Bezeichnung\n1;Heu\n")
                       : ganz.left(ganz.size() / 3));
    TestDatenbankAnlegen("Futter.BAK");
    TestDatenbankAnlegen("Futter.KOM");
    ordner.Schreiben("Futter.KOM", ordner.Roh("Futter.KOM") + QByteArray(10, '\0')); // to tell them apart
    const QDate tag(2026, 12, antwort < 0 ? 2 : 4);
    ordner.DateizeitSetzen("Futter.BAK", QDateTime(tag, QTime(6, 30)));
    ordner.DateizeitSetzen("Futter.KOM", QDateTime(tag.addDays(-1), QTime(10, 0)));
    ordner.Schreiben("KELVORA.INI", "[Programm]\r\nE1=Hof\r\n");
    auto vorher = Dateistand(ordner.Pfad());
    Verbindung v;

    const QString frage = "Die Datenbank " + pfad
        + " kann nicht geöffnet werden. Vermutlich wurde sie beschädigt. Soll sie jetzt durch die Sicherungskopie vom "
          "Zeitpunkt 04.12.2026 06:30 ersetzt werden?";
    if (antwort == 1) {
        ui.Antworten(Antwort::Ja);
        QVERIFY(DatenbankOeffnen(v, pfad));
        QCOMPARE(ui.Texte().size(), 2);
        QCOMPARE(ui.meldungen[0].text, frage);
        QCOMPARE(ui.meldungen[0].standard, Antwort::Nein);
        QVERIFY(ui.meldungen[1].text.startsWith(" Die Datenbank wurde aus einer Sicherungskopie wiederhergestellt."));
        QCOMPARE(ui.wartezeiten, QList<int> { 2000 });
        // The copy takes the database's place; nothing else changes.
        auto nachher = Dateistand(ordner.Pfad());
        QCOMPARE(nachher.take("Futter.mdb"), vorher.take("Futter.BAK"));
        vorher.remove("Futter.mdb");
        QCOMPARE(nachher, vorher);
        return;
    }
    QStringList erwartet;
    for (int i = 0; antwort == 0 && i < 5; ++i) {
        ui.Antworten(Antwort::Nein);
        erwartet << frage;
    }
    QVERIFY(!DatenbankOeffnen(v, pfad));
    QCOMPARE(ui.Texte(), erwartet << "Datenbank konnte nicht geöffnet werden: " + pfad);
    QCOMPARE(Dateistand(ordner.Pfad()), vorher);
}

void DateienTest::datensatzLoeschen()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    QVERIFY(SqlInDatei(pfad, "INSERT INTO Ration (FutterID, FutterFrischMenge) VALUES (1, 5), (2, 5), (3, 5)"));
    QVERIFY(DatensatzLoeschen(pfad, "Ration", 2, false));
    QVERIFY(!DatensatzLoeschen(pfad, "Ration", 99, false));
    QVERIFY(!DatensatzLoeschen(pfad, "RationFürTier", 1, false));
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, pfad));
    QCOMPARE(Anzahl(v, "Ration"), 2L);
    QVERIFY(DatensatzLoeschen(pfad, "Ration", 0, true));
    QCOMPARE(Anzahl(v, "Ration"), 0L);
    QVERIFY(ui.meldungen.isEmpty());
}

KELVORA_TEST(DateienTest)
#include "tst_Dateien.moc"
