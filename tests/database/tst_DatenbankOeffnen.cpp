#include "DatenbankTestHilfen.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"

#include <QSqlRecord>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

class DatenbankOeffnenTest : public QObject {
    Q_OBJECT
private slots:
    void oeffnetBeimDrittenVersuch();
    void fuenfFehlversuche_data();
    void fuenfFehlversuche();
    void fehlendeDateiOhneVersuch();
    void schreibgeschuetztGeoeffnet();
    void beschaedigtJuengereKopieAngeboten();
    void zweiTageAlteKopieNichtAngeboten();
    void kaputteDatei_data();
    void kaputteDatei();
    void abfrageOeffnenPruefenLeer_data();
    void abfrageOeffnenPruefenLeer();
    void abfrageMitGebundenenWerten();
    void fehlerhafteAbfrage();
    void datensatzLoeschen_data();
    void datensatzLoeschen();
    void verbindungRaeumtAuf();
};

namespace {

QStringList ZeilenMit(const QStringList& zeilen, const QString& teil)
{
    QStringList t;
    for (const QString& z : zeilen)
        if (z.contains(teil))
            t << z;
    return t;
}

long Anzahl(Verbindung& v, const QString& tabelle)
{
    QSqlQuery q;
    if (!AbfrageOeffnen(v, q, QStringLiteral("SELECT count(*) FROM ") + SqlName(tabelle)) || !q.next())
        return -1;
    return q.value(0).toLongLong();
}

QByteArray Abgeschnitten(const QString& pfad)
{
    QFile f(pfad);
    f.open(QIODevice::ReadOnly);
    return f.readAll().left(f.size() / 3);
}

} // namespace

void DatenbankOeffnenTest::oeffnetBeimDrittenVersuch()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    QVERIFY(!pfad.isEmpty());
    ui.anzeigeText = QStringLiteral("7");

    Sperre sperre(pfad);
    QVERIFY(sperre.gesperrt);
    int wartezeitenBisher = 0;
    ui.beimWarten = [&](int) {
        if (++wartezeitenBisher == 2)
            sperre.Loesen();
    };
    const QDateTime vorher = ui.uhr;

    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, pfad));
    QVERIFY(v.IstOffen());
    QVERIFY(Anzahl(v, QStringLiteral("Futtermittel")) >= 30);

    QCOMPARE(ui.wartezeiten, (QList<int> { 2000, 2000 }));
    QCOMPARE(vorher.secsTo(ui.uhr), 4);
    const QStringList fehler = ordner.Zeilen("Fehlerprotokoll.txt");
    QCOMPARE(ZeilenMit(fehler, "intZaehler = "),
        (QStringList { "E 04.12.26 10:00:00      intZaehler = 1", "E 04.12.26 10:00:02      intZaehler = 2" }));
    QCOMPARE(ZeilenMit(ordner.Zeilen("26_12_04.txt"), "lngZaehler"),
        QStringList { "E 10:00:04      Öffnen hat funktioniert bei lngZaehler = 3: " + pfad });
    // A busy file is no damage: no restore offer, no message at all.
    QVERIFY(ui.meldungen.isEmpty());
    QCOMPARE(ZeilenMit(fehler, "Wiederherstellung").size(), 0);

    QCOMPARE(ui.anzeigeText, QStringLiteral("8"));
    QVERIFY(ui.anzeigeDurchsichtig);
    QCOMPARE(ui.anzeigeFarben,
        (QList<qint64> { Farbe::Schaltflaeche, Farbe::Gruen, Farbe::Schaltflaeche, 0xC0FFC0, Farbe::Schaltflaeche,
            Farbe::Schaltflaeche }));
}

void DatenbankOeffnenTest::fuenfFehlversuche_data()
{
    QTest::addColumn<bool>("meldungZeigen");
    QTest::newRow("mit Meldung") << true;
    QTest::newRow("ohne Meldung") << false;
}

void DatenbankOeffnenTest::fuenfFehlversuche()
{
    QFETCH(bool, meldungZeigen);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    Sperre sperre(pfad);
    QVERIFY(sperre.gesperrt);

    Verbindung v;
    QVERIFY(!DatenbankOeffnen(v, pfad, false, meldungZeigen));
    QVERIFY(!v.IstOffen());
    QCOMPARE(ui.wartezeiten.size(), 5);
    QCOMPARE(ui.anzeigeText, QStringLiteral("0"));
    QCOMPARE(ui.anzeigeFarben.mid(1).removeAll(Farbe::Schaltflaeche), 4);
    QCOMPARE(ui.anzeigeFarben.last(), Farbe::Rot);
    QVERIFY(!ui.anzeigeDurchsichtig);
    const QString text = "Datenbank konnte nicht geöffnet werden: " + pfad;
    QCOMPARE(ZeilenMit(ordner.Zeilen("Fehlerprotokoll.txt"), "intZaehler = ").size(), 5);
    QVERIFY(ordner.Zeilen("Fehlerprotokoll.txt").last().endsWith(text));
    QCOMPARE(ui.Texte(), meldungZeigen ? QStringList { text } : QStringList {});
    if (meldungZeigen)
        QCOMPARE(ui.meldungen.first().symbol, Symbol::Kritisch);
}

void DatenbankOeffnenTest::fehlendeDateiOhneVersuch()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    Verbindung v;
    QVERIFY(!DatenbankOeffnen(v, ordner.Pfad("Futter.mdb")));
    QVERIFY(ui.wartezeiten.isEmpty());
    QVERIFY(ui.meldungen.isEmpty());
    // Opening must never create the file.
    QVERIFY(!QFile::exists(ordner.Pfad("Futter.mdb")));
    bool beschaedigt = true;
    QVERIFY(!DatenbankOeffnenVersuch(v, ordner.Pfad("Futter.mdb"), false, beschaedigt));
    QVERIFY(!beschaedigt);
    QVERIFY(!QFile::exists(ordner.Pfad("Futter.mdb")));
}

void DatenbankOeffnenTest::schreibgeschuetztGeoeffnet()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, pfad, true));
    QVERIFY(v.NurLesen());
    QVERIFY(Anzahl(v, "FutterArten") > 5);
    QVERIFY(!AnweisungAusfuehren(v, "DELETE FROM Futtermittel"));
    QVERIFY(ZeilenMit(ordner.Zeilen("Fehlerprotokoll.txt"), "Datenbank soll schreibgeschützt geöffnet werden: " + pfad)
                .size()
        == 1);
    v.Schliessen();
    QVERIFY(DatenbankOeffnen(v, pfad));
    QVERIFY(Anzahl(v, "Futtermittel") >= 30);
    QCOMPARE(ui.anzeigeText, QStringLiteral("2"));
}

void DatenbankOeffnenTest::beschaedigtJuengereKopieAngeboten()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString kom = TestDatenbankAnlegen("Futter.KOM");
    TestDatenbankAnlegen("Futter.BAK");
    ordner.Schreiben("Futter.BAK", ordner.Roh("Futter.BAK") + QByteArray(10, '\0')); // to tell them apart
    ordner.DateizeitSetzen("Futter.BAK", QDateTime(QDate(2026, 12, 3), QTime(10, 0)));
    ordner.DateizeitSetzen("Futter.KOM", QDateTime(QDate(2026, 12, 4), QTime(8, 0)));
    const QByteArray komInhalt = ordner.Roh("Futter.KOM");
    const QByteArray bakInhalt = ordner.Roh("Futter.BAK");
    ordner.Schreiben("Futter.mdb", "kein Datenbankinhalt, nur Text\n");
    const QString pfad = ordner.Pfad("Futter.mdb");

    ui.Antworten(Antwort::Ja);
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, pfad));
    QVERIFY(Anzahl(v, "Futtermittel") >= 30);

    QCOMPARE(ui.meldungen.size(), 2);
    const auto& frage = ui.meldungen[0];
    QCOMPARE(frage.text,
        "Die Datenbank " + pfad
            + " kann nicht geöffnet werden. Vermutlich wurde sie beschädigt. Soll sie jetzt durch die "
              "Sicherungskopie vom Zeitpunkt 04.12.2026 08:00 ersetzt werden?");
    QCOMPARE(frage.titel, QStringLiteral("Datenbank wiederherstellen aus Sicherungskopie"));
    QCOMPARE(frage.knoepfe, Knoepfe::JaNein);
    QCOMPARE(frage.symbol, Symbol::Frage);
    QCOMPARE(frage.standard, Antwort::Nein);
    QVERIFY(ui.meldungen[1].text.startsWith(" Die Datenbank wurde aus einer Sicherungskopie wiederhergestellt."));
    QCOMPARE(ui.meldungen[1].symbol, Symbol::Ausrufezeichen);

    QCOMPARE(ordner.Roh("Futter.mdb"), komInhalt);
    QVERIFY(!QFile::exists(kom));
    QCOMPARE(ordner.Roh("Futter.BAK"), bakInhalt);
    const QStringList log = ordner.Zeilen("26_12_04.txt");
    QCOMPARE(ZeilenMit(log, "gewünscht!"),
        QStringList { "E 10:00:00  Wiederherstellung der Sicherungskopie von " + pfad + " aus " + kom
            + "(04.12.2026 08:00) gewünscht!" });
    QCOMPARE(ZeilenMit(log, " umbenannt.").last(), "E 10:00:00      " + kom + " in " + pfad + " umbenannt.");
    QCOMPARE(ZeilenMit(log, pfad + " gelöscht.").size(), 1);
    QCOMPARE(ui.wartezeiten, QList<int> { 2000 });
}

void DatenbankOeffnenTest::zweiTageAlteKopieNichtAngeboten()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    TestDatenbankAnlegen("Futter.BAK");
    ordner.DateizeitSetzen("Futter.BAK", QDateTime(QDate(2026, 12, 2), QTime(11, 0)));
    ordner.Schreiben("Futter.mdb", "kaputt");
    const auto vorher = Dateistand(ordner.Pfad());

    Verbindung v;
    QVERIFY(!DatenbankOeffnen(v, ordner.Pfad("Futter.mdb")));
    QCOMPARE(ui.Texte(), QStringList { "Datenbank konnte nicht geöffnet werden: " + ordner.Pfad("Futter.mdb") });
    QCOMPARE(ZeilenMit(ordner.Zeilen("26_12_04.txt"),
                 "Keine Wiederherstellung der Sicherungskopie von " + ordner.Pfad("Futter.mdb")
                     + ", weil keine junge Datei vorhanden ist.")
                 .size(),
        5);
    QCOMPARE(Dateistand(ordner.Pfad()), vorher);
}

void DatenbankOeffnenTest::kaputteDatei_data()
{
    QTest::addColumn<int>("art");
    QTest::addColumn<bool>("wiederherstellen");
    for (const bool ja : { false, true }) {
        const char* zusatz = ja ? ", Ja" : ", Nein";
        QTest::newRow(qPrintable(QStringLiteral("null Bytes") + zusatz)) << 0 << ja;
        QTest::newRow(qPrintable(QStringLiteral("Textdatei") + zusatz)) << 1 << ja;
        QTest::newRow(qPrintable(QStringLiteral("abgeschnitten") + zusatz)) << 2 << ja;
    }
}

void DatenbankOeffnenTest::kaputteDatei()
{
    QFETCH(int, art);
    QFETCH(bool, wiederherstellen);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    const QByteArray kaputt = art == 0 ? QByteArray()
        : art == 1                     ? QByteArray("ID;Bezeichnung\n1;Heu\n")
                                       : Abgeschnitten(pfad);
    ordner.Schreiben("Futter.mdb", kaputt);
    TestDatenbankAnlegen("Futter.BAK");
    ordner.DateizeitSetzen("Futter.BAK", QDateTime(QDate(2026, 12, 4), QTime(6, 30)));
    ordner.Schreiben("KELVORA.INI", "[Programm]\r\nE1=Hof\r\n");
    ordner.Schreiben("Ration.mdb", "fremde Datei");
    const auto vorher = Dateistand(ordner.Pfad());

    bool beschaedigt = false;
    Verbindung v;
    QVERIFY(!DatenbankOeffnenVersuch(v, pfad, false, beschaedigt));
    QVERIFY(beschaedigt);
    QCOMPARE(ZeilenMit(ordner.Zeilen("Fehlerprotokoll.txt"),
                 "in Prozedur DatenbankOeffnenVersuch in Modul DatenbankRoutinen: " + pfad)
                 .size(),
        1);

    const QString frage = "Die Datenbank " + pfad
        + " kann nicht geöffnet werden. Vermutlich wurde sie beschädigt. Soll sie jetzt durch die Sicherungskopie vom "
          "Zeitpunkt 04.12.2026 06:30 ersetzt werden?";
    if (wiederherstellen) {
        ui.Antworten(Antwort::Ja);
        QVERIFY(DatenbankOeffnen(v, pfad));
        QCOMPARE(ui.Texte().first(), frage);
        QCOMPARE(ordner.Roh("Futter.mdb"), vorher.value("Futter.BAK"));
        QVERIFY(!QFile::exists(ordner.Pfad("Futter.BAK")));
        auto nachher = Dateistand(ordner.Pfad());
        QCOMPARE(nachher.value("KELVORA.INI"), vorher.value("KELVORA.INI"));
        QCOMPARE(nachher.value("Ration.mdb"), vorher.value("Ration.mdb"));
    } else {
        for (int i = 0; i < 5; ++i)
            ui.Antworten(Antwort::Nein);
        QVERIFY(!DatenbankOeffnen(v, pfad));
        QStringList erwartet(5, frage);
        erwartet << "Datenbank konnte nicht geöffnet werden: " + pfad;
        QCOMPARE(ui.Texte(), erwartet);
        QCOMPARE(Dateistand(ordner.Pfad()), vorher);
    }
}

void DatenbankOeffnenTest::abfrageOeffnenPruefenLeer_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("leer") << "";
    QTest::newRow("Leerzeichen") << "    ";
    QTest::newRow("Tab und Zeilenende") << " \t\r\n ";
}

void DatenbankOeffnenTest::abfrageOeffnenPruefenLeer()
{
    QFETCH(QString, sql);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, pfad));
    QSqlQuery q;
    QVERIFY(!AbfrageOeffnenPruefen(v, q, sql));
    QCOMPARE(ui.Texte(), QStringList { "Die Abfrage ist leer. Bitte informieren Sie den Programmierer!" });
    QCOMPARE(ui.meldungen.first().symbol, Symbol::Kritisch);
    QVERIFY(!q.isActive());
    // Never sent to the database, so nothing was logged as a failed query.
    QVERIFY(ZeilenMit(ordner.Zeilen("Fehlerprotokoll.txt"), "Fehler beim Öffnen einer Tabelle").isEmpty());

    QVERIFY(AbfrageOeffnenPruefen(v, q, "SELECT Bezeichnung FROM FutterArten WHERE ID = ?", { 1 }));
    QVERIFY(q.next());
    QVERIFY(!q.value(0).toString().isEmpty());
}

void DatenbankOeffnenTest::abfrageMitGebundenenWerten()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, TestDatenbankAnlegen()));
    // A value with quotes and a semicolon goes in unharmed as a bound value.
    const QString name = QStringLiteral("Heu 'spät'; \"2. Schnitt\"");
    QVERIFY(AnweisungAusfuehren(v, "INSERT INTO Futtermittel (Bezeichnung, TM_g) VALUES (?, ?)", { name, 860.5 }));
    QSqlQuery q;
    QVERIFY(AbfrageOeffnen(v, q, "SELECT TM_g FROM Futtermittel WHERE Bezeichnung = ?", { name }));
    QVERIFY(q.last());
    QCOMPARE(q.value(0).toDouble(), 860.5);
    QVERIFY(q.first());
    int geaendert = 0;
    QVERIFY(
        AnweisungAusfuehren(v, "UPDATE Futtermittel SET TM_g = ? WHERE Bezeichnung = ?", { 870, name }, &geaendert));
    QCOMPARE(geaendert, 1);
}

void DatenbankOeffnenTest::fehlerhafteAbfrage()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, TestDatenbankAnlegen()));
    QSqlQuery q;
    QVERIFY(!AbfrageOeffnen(v, q, "SELECT * FROM GibtEsNicht"));
    QVERIFY(ordner.Zeilen("Fehlerprotokoll.txt")
                .contains("E 04.12.26 10:00:00  Fehler beim Öffnen einer Tabelle: SELECT * FROM GibtEsNicht"));
    Verbindung zu;
    QVERIFY(!AbfrageOeffnen(zu, q, "SELECT 1"));
    QVERIFY(ui.meldungen.isEmpty());
}

void DatenbankOeffnenTest::datensatzLoeschen_data()
{
    QTest::addColumn<QString>("tabelle");
    QTest::addColumn<long>("id");
    QTest::addColumn<bool>("alle");
    QTest::addColumn<bool>("ergebnis");
    QTest::addColumn<long>("bleiben");
    QTest::newRow("eine Zeile") << "Ration" << 2L << false << true << 2L;
    QTest::newRow("unbekannte ID") << "Ration" << 99L << false << false << 3L;
    QTest::newRow("alle") << "Ration" << 0L << true << true << 0L;
    QTest::newRow("alle in leerer Tabelle") << "Zukauf" << 0L << true << false << 3L;
    QTest::newRow("Tabellenname mit Umlaut") << "RationFürTier" << 1L << false << false << 3L;
}

void DatenbankOeffnenTest::datensatzLoeschen()
{
    QFETCH(QString, tabelle);
    QFETCH(long, id);
    QFETCH(bool, alle);
    QFETCH(bool, ergebnis);
    QFETCH(long, bleiben);
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    {
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, pfad));
        for (int i = 1; i <= 3; ++i)
            QVERIFY(
                AnweisungAusfuehren(v, "INSERT INTO Ration (FutterID, FutterFrischMenge) VALUES (?, ?)", { i, 5.0 }));
    }
    QCOMPARE(DatensatzLoeschen(pfad, tabelle, id, alle), ergebnis);
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, pfad));
    QCOMPARE(Anzahl(v, "Ration"), bleiben);
    QVERIFY(ui.meldungen.isEmpty());
    QVERIFY(!DatensatzLoeschen(ordner.Pfad("Fehlt.mdb"), "Ration", 1, true));
}

void DatenbankOeffnenTest::verbindungRaeumtAuf()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    const int vorher = QSqlDatabase::connectionNames().size();
    {
        Verbindung a;
        QVERIFY(DatenbankOeffnen(a, pfad));
        Verbindung b = std::move(a);
        QVERIFY(!a.IstOffen());
        QVERIFY(b.IstOffen());
        QCOMPARE(QSqlDatabase::connectionNames().size(), vorher + 1);
        Verbindung c;
        QVERIFY(DatenbankOeffnen(c, pfad));
        c = std::move(b);
        QCOMPARE(QSqlDatabase::connectionNames().size(), vorher + 1);
        QCOMPARE(Anzahl(c, "FutterArten") > 0, true);
    }
    QCOMPARE(QSqlDatabase::connectionNames().size(), vorher);
}

KELVORA_TEST(DatenbankOeffnenTest)
#include "tst_DatenbankOeffnen.moc"
