#include "../app/BefehlsLauf.h"
#include "HerdenTestdaten.h"
#include "TestRegister.h"
#include "database/Schemapflege.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/FunktionenFuerINI.h"
#include "ration/RationAuswerten.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

Q_DECLARE_METATYPE(Zeilen)
Q_DECLARE_METATYPE(std::optional<double>)

namespace {

const QString Abschnitt = QStringLiteral("RationTierErstellenFenster");
const QString AlleZeilen
    = QStringLiteral("SELECT FutterID, FutterFrischMenge, ProzentAnteil, FixeMenge FROM Ration ORDER BY FutterID");

QStringList Ini(const QStringList& schluessel)
{
    QStringList werte;
    for (const QString& s : schluessel)
        werte << INILesen(Abschnitt, s, QStringLiteral("<fehlt>"));
    return werte;
}

// The output of "auswerten" without the row IDs, which differ between
// table Ration and the stored rows.
QString OhneIDs(const QString& ausgabe)
{
    QStringList zeilen = ausgabe.split(QLatin1Char('\n'));
    for (QString& z : zeilen)
        if (z.count(QLatin1Char('\t')) == 12)
            z = z.section(QLatin1Char('\t'), 0, 11);
    return zeilen.join(QLatin1Char('\n'));
}

} // namespace

class RationenTest : public QObject {
    Q_OBJECT
private slots:
    void rundreise_data();
    void rundreise();
    void ablehnungen_data();
    void ablehnungen();
    void umbenennenUndLoeschen();
    void reihungBleibt();
    void wieAktuell_data();
    void wieAktuell();
    void alteDatenbank();
};

void RationenTest::rundreise_data()
{
    QTest::addColumn<Zeilen>("zeilen");
    QTest::addColumn<std::optional<double>>("preis");
    QTest::addColumn<QStringList>("ini");
    QTest::newRow("fest und frei, Anteil leer")
        << Zeilen { { 9101, 25, {}, 1 }, { 9103, 0, 60.0, 0 }, { 9104, 3.36, 40.0, 0 } } << std::optional<double>(0.45)
        << QStringList { "700", "31,5", "3,90", "3,55", "0,45", "Frischmelker" };
    QTest::newRow("krumme Zahlen, ohne Milchpreis")
        << Zeilen { { 9101, 12.345678901234, {}, 1 }, { 9102, 0.1 + 0.2, 100.0 / 3, 0 } } << std::optional<double>()
        << QStringList { "700", "31,5", "3,90", "3,55", "", "Frischmelker" };
}

// Stored and loaded back, table Ration holds what it held, value for value
// (an empty share stays empty), and the window's inputs name the same cow.
void RationenTest::rundreise()
{
    QFETCH(Zeilen, zeilen);
    QFETCH(std::optional<double>, preis);
    QFETCH(QStringList, ini);
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(u.Speichern(QStringLiteral("Frischmelker"), zeilen, 48, 31.5, preis, 700, 3.9, 3.55));
    const QStringList vorher = u.Tabelle(AlleZeilen);
    QCOMPARE(u.Tabelle("SELECT Name, Tiere, Gewicht, Milch, Fett, Milchpreis, Reserve, AngelegtAm FROM Rationen"),
        QStringList { QStringLiteral("Frischmelker:QString|48:qlonglong|700:qlonglong|31.5:double|3.9:double|")
            + (preis ? QStringLiteral("0.45:double") : QStringLiteral("<NULL>"))
            + QStringLiteral("|3:double|2026-12-04T10:00:00:QString") });

    QVERIFY(u.Aktuell({ { 9105, 1, {}, 1 } }));
    QVERIFY(INISpeichernMehrere(Abschnitt, { { "Gewicht", "500" }, { "Milch", "12" }, { "RationName", "Andere" } }));
    BenannteRation geladen;
    QVERIFY(RationLaden(u.pfad, QStringLiteral(" FRISCHMELKER "), nullptr, &geladen));
    QCOMPARE(u.Tabelle(AlleZeilen), vorher);
    QCOMPARE(Ini({ "Gewicht", "Milch", "Fett", "Eiweiss", "Milchpreis", "RationName" }), ini);
    QVERIFY(u.ui.meldungen.isEmpty());

    // What the window marks with "*": any row or input that differs.
    Verbindung v;
    QList<RationZeile> aktuell;
    QVERIFY(DatenbankOeffnen(v, u.pfad) && RationZeilenLesen(v, aktuell));
    const RationSpeichernAngaben gleich { QString(), 48, false, 700, 31.5, 3.9, preis, 3.55 };
    QVERIFY(!WeichtAb(geladen, aktuell, gleich));
    QCOMPARE(TierAusRation(geladen, 1).eiweiss, 3.55);
    RationSpeichernAngaben anderesEiweiss = gleich;
    anderesEiweiss.eiweiss = 3.4;
    QVERIFY(WeichtAb(geladen, aktuell, anderesEiweiss));
    RationSpeichernAngaben andereTiere = gleich;
    andereTiere.tiere = 47;
    QVERIFY(WeichtAb(geladen, aktuell, andereTiere));
    aktuell[0].frischMenge += 0.01;
    QVERIFY(WeichtAb(geladen, aktuell, gleich));
}

void RationenTest::ablehnungen_data()
{
    QTest::addColumn<QString>("aktion");
    QTest::addColumn<QStringList>("namen");
    QTest::addColumn<long>("tiere");
    QTest::addColumn<QString>("meldung");
    const QString vergeben = QStringLiteral("Es gibt schon eine Ration „Färsen“");
    const QString unbekannt = QStringLiteral("Eine gespeicherte Ration „Bullen“ gibt es nicht.");
    QTest::newRow("Name vergeben, andere Schreibung") << "speichern" << QStringList { "FÄRSEN" } << 0L << vergeben;
    QTest::newRow("Umbenennen auf vergebenen Namen")
        << "umbenennen" << QStringList { "Hochleistung", " färsen" } << 0L << vergeben;
    QTest::newRow("Laden unbekannt") << "laden" << QStringList { "Bullen" } << 0L << unbekannt;
    QTest::newRow("Löschen unbekannt") << "loeschen" << QStringList { "Bullen" } << 0L << unbekannt;
    QTest::newRow("Umbenennen unbekannt") << "umbenennen" << QStringList { "Bullen", "Ochsen" } << 0L << unbekannt;
    QTest::newRow("Name leer") << "speichern" << QStringList { "  " } << 0L << "Bitte geben Sie einen Namen";
    QTest::newRow("Name mit Tabulator") << "speichern" << QStringList { "Kühe\tA" } << 0L << "keine Steuerzeichen";
    QTest::newRow("Name nicht in Windows-1252")
        << "speichern" << QStringList { "Łąka" } << 0L << "nicht aufnehmen kann: Ł ą";
    QTest::newRow("Name zu lang") << "speichern" << QStringList { QString(101, 'x') } << 0L << "höchstens 100 Zeichen";
    QTest::newRow("zu viele Tiere") << "speichern" << QStringList { "Neu" } << 10000L << "Tiere muss zwischen";
    QTest::newRow("leere Ration") << "speichern" << QStringList { "Neu" } << -1L << "enthält kein Futtermittel";
}

// A refused action says why and leaves the database and KELVORA.INI byte
// for byte as they were.
void RationenTest::ablehnungen()
{
    QFETCH(QString, aktion);
    QFETCH(QStringList, namen);
    QFETCH(long, tiere);
    QFETCH(QString, meldung);
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(u.Speichern(QStringLiteral("Färsen"), { { 9101, 20, {}, 1 } }, 0, 0));
    QVERIFY(u.Speichern(QStringLiteral("Hochleistung"), { { 9101, 30, {}, 1 }, { 9103, 4, {}, 1 } }, 40, 40));
    if (tiere < 0)
        QVERIFY(u.Aktuell({}));
    const QByteArray db = u.Bytes(u.pfad);
    const QByteArray ini = u.Bytes(programm().iniPfad);
    u.ui.meldungen.clear();

    bool abgelehnt = false;
    bool erledigt = true;
    if (aktion == "speichern")
        erledigt = RationSpeichern(u.pfad, { namen[0], tiere < 0 ? 0 : tiere, false, 650, 30, 4, 0.45, 3.4 }, &abgelehnt);
    else if (aktion == "laden")
        erledigt = RationLaden(u.pfad, namen[0], &abgelehnt);
    else if (aktion == "loeschen")
        erledigt = RationLoeschen(u.pfad, namen[0], &abgelehnt);
    else
        erledigt = RationUmbenennen(u.pfad, namen[0], namen[1], &abgelehnt);
    QVERIFY(!erledigt);
    QVERIFY(abgelehnt);
    QCOMPARE(u.ui.meldungen.size(), 1);
    QVERIFY2(u.ui.meldungen[0].text.contains(meldung), qPrintable(u.ui.meldungen[0].text));
    QCOMPARE(u.Bytes(u.pfad), db);
    QCOMPARE(u.Bytes(programm().iniPfad), ini);
}

void RationenTest::umbenennenUndLoeschen()
{
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(u.Speichern(QStringLiteral("Trockensteher"), { { 9101, 20, {}, 1 } }, 12, 0));
    QVERIFY(u.Speichern(QStringLiteral("Hochleistung"), { { 9101, 30, {}, 1 }, { 9104, 2, {}, 1 } }, 40, 40));
    QCOMPARE(AktuellerRationName(), QStringLiteral("Hochleistung"));
    // A new spelling of its own name is allowed; the current name follows.
    QVERIFY(RationUmbenennen(u.pfad, QStringLiteral("hochleistung"), QStringLiteral("HOCHLEISTUNG")));
    QCOMPARE(AktuellerRationName(), QStringLiteral("HOCHLEISTUNG"));
    QVERIFY(RationUmbenennen(u.pfad, QStringLiteral("Trockensteher"), QStringLiteral("Trockenstehende Kühe")));
    QCOMPARE(AktuellerRationName(), QStringLiteral("HOCHLEISTUNG"));
    QCOMPARE(u.Tabelle("SELECT Name FROM Rationen ORDER BY ID"),
        (QStringList { "Trockenstehende Kühe:QString", "HOCHLEISTUNG:QString" }));

    // A feed of a stored ration cannot be deleted, even when the current
    // ration no longer has it.
    QVERIFY(u.Aktuell({}));
    QVERIFY(!FutterLoeschen(9104));
    QVERIFY(u.ui.Texte().last().contains("kann nicht gelöscht werden weil es verwendet wird"));

    QVERIFY(RationLoeschen(u.pfad, QStringLiteral("Hochleistung")));
    QCOMPARE(AktuellerRationName(), QString());
    QCOMPARE(u.Tabelle("SELECT count(*) FROM RationenInhalt"), QStringList { "1:qlonglong" });
    u.ui.Antworten(Antwort::Ja);
    QVERIFY(FutterLoeschen(9104));

    // Listed in German order.
    for (const char* name : { "Gruppe 10", "Gruppe 9", "Frischmelker", "Färsen" })
        QVERIFY(u.Speichern(QString::fromUtf8(name), { { 9101, 20, {}, 1 } }, 5, 0));
    Verbindung v;
    QList<BenannteRation> alle;
    QVERIFY(RationenDatenbankOeffnen(v, u.pfad) && RationenLesen(v, alle));
    QStringList namen;
    for (const BenannteRation& r : std::as_const(alle))
        namen << r.name;
    QCOMPARE(namen, (QStringList { "Färsen", "Frischmelker", "Gruppe 9", "Gruppe 10", "Trockenstehende Kühe" }));
}

// Replacing a ration keeps the loading order of the feeds it had; new feeds
// follow in the order of the list.
void RationenTest::reihungBleibt()
{
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(u.Speichern(
        QStringLiteral("Gruppe"), { { 9101, 30, {}, 1 }, { 9103, 4, {}, 1 }, { 9105, 0.2, {}, 1 } }, 40, 40));
    QCOMPARE(u.Tabelle("SELECT FutterID, Reihung FROM RationenInhalt ORDER BY Reihung"),
        (QStringList { "9101:qlonglong|1:qlonglong", "9103:qlonglong|2:qlonglong", "9105:qlonglong|3:qlonglong" }));
    QVERIFY(SqlInDatei(u.pfad, "UPDATE RationenInhalt SET Reihung = 4 - Reihung"));
    QVERIFY(u.Aktuell({ { 9101, 30, {}, 1 }, { 9104, 2, {}, 1 }, { 9105, 0.2, {}, 1 }, { 9102, 10, {}, 1 } }));
    QVERIFY(RationSpeichern(u.pfad, { "GRUPPE", std::nullopt, true, 650, 40, 4, 0.45, 3.4 }));
    QCOMPARE(u.Tabelle("SELECT FutterID, Reihung FROM RationenInhalt ORDER BY Reihung"),
        (QStringList { "9105:qlonglong|1:qlonglong", "9101:qlonglong|2:qlonglong", "9102:qlonglong|3:qlonglong",
            "9104:qlonglong|4:qlonglong" }));
    QCOMPARE(u.Tabelle("SELECT Name, Tiere FROM Rationen"), QStringList { "Gruppe:QString|40:qlonglong" });
}

void RationenTest::wieAktuell_data()
{
    QTest::addColumn<Zeilen>("zeilen");
    QTest::addColumn<QStringList>("tier");
    QTest::newRow("fest und ausgeglichen frei") << Zeilen { { 9101, 25, {}, 1 }, { 9102, 15, {}, 1 },
        { 9103, 4.1, 55.0, 0 }, { 9104, 3.36, 45.0, 0 }, { 9105, 0.15, {}, 1 } }
                                                << QStringList { "650", "32", "3,8", "0,42" };
    QTest::newRow("frei ohne Menge, ohne Milchpreis") << Zeilen { { 9101, 10, {}, 1 }, { 9103, 0, 60.0, 0 },
        { 9104, 0, 40.0, 0 } } << QStringList { "600", "25", "4", "" };
    QTest::newRow("trocken, Futter ohne Preis")
        << Zeilen { { 9102, 20, {}, 1 } } << QStringList { "750", "0", "4,2", "0,4" };
}

// A stored ration is evaluated exactly as the same ration made current,
// whatever the current ration and the window's inputs are meanwhile.
void RationenTest::wieAktuell()
{
    QFETCH(Zeilen, zeilen);
    QFETCH(QStringList, tier);
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(u.Aktuell(zeilen));
    QVERIFY(INISpeichernMehrere(Abschnitt, { { "Milchpreis", tier[3] } }));
    const QStringList angaben { "--datenordner", u.ordner.Pfad(), "--gewicht", tier[0], "--milch", tier[1], "--fett",
        tier[2] };
    const Lauf aktuell = Kelvora(QStringList { "auswerten" } + angaben);
    QCOMPARE(aktuell.code, 0);
    const Lauf speichern = Kelvora(QStringList { "ration", "speichern", "Gruppe", "--tiere", "30" } + angaben);
    QCOMPARE(speichern.code, 0);

    QVERIFY(u.Aktuell({ { 9105, 1, {}, 1 } }));
    QVERIFY(INISpeichernMehrere(Abschnitt, { { "Gewicht", "800" }, { "Milch", "50" }, { "Milchpreis", "0,3" } }));
    const Lauf gespeichert = Kelvora({ "auswerten", "--ration", "gruppe", "--datenordner", u.ordner.Pfad() });
    QCOMPARE(gespeichert.code, 0);
    QCOMPARE(OhneIDs(gespeichert.aus).split('\n'), OhneIDs(aktuell.aus).split('\n'));
    QVERIFY(u.ui.meldungen.isEmpty());
}

// An older database has no Rationen and a RationenInhalt of ID and FutterID
// only; the upkeep at start adds what is missing and keeps its rows.
void RationenTest::alteDatenbank()
{
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(SqlInDatei(u.pfad,
        "DROP TABLE Rationen; DROP TABLE RationenInhalt;"
        "CREATE TABLE RationenInhalt (ID INTEGER PRIMARY KEY AUTOINCREMENT, FutterID INTEGER);"
        "INSERT INTO RationenInhalt (FutterID) VALUES (9104)"));
    QVERIFY(SchemaPflegen());
    QVERIFY(!SchemaPflegen());
    QCOMPARE(u.Tabelle("SELECT * FROM RationenInhalt"),
        QStringList { "1:qlonglong|9104:qlonglong|<NULL>|0:double|<NULL>|1:qlonglong|0:qlonglong" });
    QVERIFY(u.Speichern(QStringLiteral("Gruppe"), { { 9101, 30, {}, 1 } }, 40, 40));
    QVERIFY(!FutterWirdVerwendet(9103));
    QVERIFY(FutterWirdVerwendet(9104));
    QVERIFY(u.ui.meldungen.isEmpty());
}

KELVORA_TEST(RationenTest)
#include "tst_Rationen.moc"
