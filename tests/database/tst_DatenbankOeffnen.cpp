#include "DatenbankTestHilfen.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

class DatenbankOeffnenTest : public QObject {
    Q_OBJECT
private slots:
    void besetzt_data();
    void besetzt();
    void abfragen();
    void kaputteDatei_data();
    void kaputteDatei();
    void datensatzLoeschen();
};

// A busy database is tried five times, two seconds apart. freigabe: the wait
// after which the other program lets go, 0 = never.
void DatenbankOeffnenTest::besetzt_data()
{
    QTest::addColumn<int>("freigabe");
    QTest::addColumn<bool>("meldungZeigen");
    QTest::newRow("frei beim dritten Versuch") << 2 << true;
    QTest::newRow("nie frei, mit Meldung") << 0 << true;
    QTest::newRow("nie frei, ohne Meldung") << 0 << false;
}

void DatenbankOeffnenTest::besetzt()
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
    QCOMPARE(ui.uhr, QDateTime(QDate(2026, 12, 4), QTime(10, 0, frei ? 4 : 10)));
    // A busy file is no damage: never a restore offer.
    QVERIFY(ZeilenMit(ordner.Zeilen("26_12_04.txt"), "Wiederherstellung").isEmpty());
    const QString text = "Datenbank konnte nicht geöffnet werden: " + pfad;
    QCOMPARE(ui.Texte(), !frei && meldungZeigen ? QStringList { text } : QStringList {});
    if (frei) {
        QVERIFY(Anzahl(v, QStringLiteral("Futtermittel")) >= 30);
    }
    // The indicator counts the opened connection and turns red on failure.
    QCOMPARE(ui.anzeigeText, QString(frei ? "8" : "7"));
    QCOMPARE(ui.anzeigeFarben.last() == Farbe::Rot, !frei);
}

// A failed query is logged with its text; an empty one is refused with a
// message before it reaches the database.
void DatenbankOeffnenTest::abfragen()
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
    QVERIFY(ui.meldungen.isEmpty());
    QVERIFY(!AbfrageOeffnenPruefen(v, q, " \t\r\n "));
    QCOMPARE(ui.Texte(), QStringList { "Die Abfrage ist leer. Bitte informieren Sie den Programmierer!" });
    QCOMPARE(ZeilenMit(ordner.Zeilen("Fehlerprotokoll.txt"), "Fehler beim Öffnen einer Tabelle").size(), 2);
}

// antwort: 1 = yes, 0 = no to every restore offer, -1 = the copies are too
// old to be offered at all. Of two copies the younger one is offered.
void DatenbankOeffnenTest::kaputteDatei_data()
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

void DatenbankOeffnenTest::kaputteDatei()
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
    bool beschaedigt = false;
    Verbindung v;
    QVERIFY(!DatenbankOeffnenVersuch(v, pfad, false, beschaedigt));
    QVERIFY(beschaedigt);

    const QString frage = "Die Datenbank " + pfad
        + " kann nicht geöffnet werden. Vermutlich wurde sie beschädigt. Soll sie jetzt durch die Sicherungskopie vom "
          "Zeitpunkt 04.12.2026 06:30 ersetzt werden?";
    if (antwort == 1) {
        ui.Antworten(Antwort::Ja);
        QVERIFY(DatenbankOeffnen(v, pfad));
        QVERIFY(Anzahl(v, "Futtermittel") >= 30);
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

void DatenbankOeffnenTest::datensatzLoeschen()
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

KELVORA_TEST(DatenbankOeffnenTest)
#include "tst_DatenbankOeffnen.moc"
