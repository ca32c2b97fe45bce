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

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

using Vorbereitung = void (*)(const TestDatenordner&);
using Aktion = bool (*)(const TestDatenordner&);
Q_DECLARE_METATYPE(Vorbereitung)
Q_DECLARE_METATYPE(Aktion)

// A data folder the program may read but not write: every operation fails
// the way it says it fails, and nothing is lost.
class SchreibschutzTest : public QObject {
    Q_OBJECT
private slots:
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

void GesperrteDatei(const TestDatenordner& ordner)
{
    ordner.Schreiben("gesperrt.txt", "x");
    QFile(ordner.Pfad("gesperrt.txt")).setPermissions(QFileDevice::Permissions());
    ::chmod(QFile::encodeName(ordner.Pfad()).constData(), 0755);
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

void Z(const char* name, Vorbereitung v, Aktion a, bool ergebnis, int versuche = 0, const QString& meldung = {})
{
    QTest::newRow(name) << v << a << ergebnis << versuche << meldung;
}

} // namespace

// versuche: the waits of half a second while a file refuses to go.
void SchreibschutzTest::fehlschlaege_data()
{
    QTest::addColumn<Vorbereitung>("vorbereitung");
    QTest::addColumn<Aktion>("aktion");
    QTest::addColumn<bool>("ergebnis");
    QTest::addColumn<int>("versuche");
    QTest::addColumn<QString>("meldung");
    const Vorbereitung kom = MitJuengererKom;
    Z("lesend öffnen", kom, [](O o) { return Oeffnen(o, true); }, true);
    Z("schreibend öffnen", kom, [](O o) { return Oeffnen(o, false); }, true);
    // The younger copy cannot take the database's place; the older one stays usable.
    Z("KOM einsetzen", kom, Holen, true, 10);
    Z("komprimieren", kom, [](O o) { return DatenbankKomprimieren(o.Pfad("Futter.mdb")); }, false);
    Z("Feld hinzufügen", kom, [](O o) {
        return Feldhinzufuegen(o.Pfad("Futter.mdb"), "Futtermittel", "Neu", "INTEGER", 0, false, false, 0);
    }, false);
    Z("löschen", kom, [](O o) { return DateiLoeschen(o.Pfad("Futter.KOM")); }, false, 10);
    Z("kopieren", kom, [](O o) { return DateiKopieren(o.Pfad("Futter.mdb"), o.Pfad("Futter.BAK")); }, false);
    Z("umbenennen", kom, [](O o) { return Umbenennen(o.Pfad("Futter.KOM"), o.Pfad("Futter.BAK")); }, false);
    Z("Datenordner einrichten", [](O) { TestDatenbankAnlegen(LieferDatenbankName); },
        [](O o) { return DatenordnerEinrichten(o.Pfad()); }, false);
    // The copy cannot be copied in: the program ends, the copy stays.
    Z("Sicherungskopie einsetzen", NurSicherungskopie, Holen, false, 0,
        "Die Datenbank Futter.mdb fehlt! Das Programm kann ohne diese Datenbank nicht richtig arbeiten und wird "
        "deshalb jetzt beendet.");
    Z("Datei ohne Leserecht", GesperrteDatei, [](O o) { return FileExists(o.Pfad("gesperrt.txt")); }, false, 0,
        "DATEI\nAuf diese Datei kann nicht zugegriffen werden! Sie sollten das Programm beenden und nach der "
        "Ursache suchen.\n\nInformieren Sie den Programmierer, sollte das Problem häufiger auftauchen!");
}

void SchreibschutzTest::fehlschlaege()
{
    QFETCH(Vorbereitung, vorbereitung);
    QFETCH(Aktion, aktion);
    QFETCH(bool, ergebnis);
    QFETCH(int, versuche);
    QFETCH(QString, meldung);
    TestOberflaeche ui;
    TestDatenordner ordner;
    vorbereitung(ordner);
    const auto vorher = Dateistand(ordner.Pfad());
    const auto vorherSicherung = Dateistand(ordner.Pfad("Sicherung"));
    {
        Schreibschutz schutz(ordner.Pfad());
        if (!schutz.wirksam)
            QSKIP("Der Ordner lässt sich hier nicht schreibschützen");
        QCOMPARE(aktion(ordner), ergebnis);
    }
    QCOMPARE(ui.wartezeiten, QList<int>(versuche, 500));
    QCOMPARE(ui.Texte(),
        meldung.isEmpty() ? QStringList {} : QStringList { meldung.replace("DATEI", ordner.Pfad("gesperrt.txt")) });
    // Only the missing database ends the program.
    QCOMPARE(ui.beendetMitCode, meldung.startsWith("Die Datenbank") ? 1 : -1);
    QCOMPARE(Dateistand(ordner.Pfad()), vorher);
    QCOMPARE(Dateistand(ordner.Pfad("Sicherung")), vorherSicherung);
}

KELVORA_TEST(SchreibschutzTest)
#include "tst_Schreibschutz.moc"
