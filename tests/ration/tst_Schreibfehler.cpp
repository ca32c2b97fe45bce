#include "DatenbankTestHilfen.h"
#include "RationsTestdaten.h"
#include "TestRegister.h"
#include "feeds/StammdatenSpeichern.h"
#include "ration/Ausgleich.h"
#include "ration/GanzeRation.h"
#include "ration/RationUebernahme.h"

#include <QTest>

#include <sys/mount.h>

using namespace kelvora;
using namespace kelvora::test;

// Faults a farm PC sees while the ration or a feed is written: another
// program holding the database, a file or folder made read-only by a backup
// tool, a full disk, a statement refused half-way. Every action ends with a
// message that names the cause, and the database and the settings stay as
// they were, byte for byte.
namespace {

enum class Fehler {
    Sperre,
    DateiSchreibgeschuetzt,
    OrdnerSchreibgeschuetzt,
    DatentraegerVoll,
    ZweiteZeileAbgebrochen, // the balancing writes its rows one after the other
};
enum class Aktion { TMAusgleich, NDFAusgleich, MengeUebernehmen, FutterSpeichern, RationLeeren };

// The free rows are 2 and 3: the balancing writes row 2 first, then row 3.
const QList<TestFutter> Futter = { { 9001, 500, 500 }, { 9002, 250, 500 }, { 9003, 500, 300 } };
const QList<TestRationsZeile> Ration = { { 9001, 20, 0, 1 }, { 9002, 0, 60, 0 }, { 9003, 0, 40, 0 } };

// A tmpfs mounted over the data folder (root only) and filled up to the last byte.
struct VollerDatentraeger {
    const QString ordner;
    const bool eingehaengt = ::geteuid() == 0
        && ::mount("tmpfs", QFile::encodeName(ordner).constData(), "tmpfs", 0, "size=2m,mode=0700") == 0;

    ~VollerDatentraeger()
    {
        if (eingehaengt)
            ::umount2(QFile::encodeName(ordner).constData(), MNT_DETACH);
    }

    void Fuellen() const
    {
        QFile f(ordner + QStringLiteral("/Fuellung"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (f.write(block) == block.size() && f.flush()) { }
        // The last partial block may have gone in only in part.
        while (f.write("x", 1) == 1 && f.flush()) { }
    }
};

bool Ausfuehren(Aktion aktion, TestOberflaeche& ui)
{
    switch (aktion) {
    case Aktion::TMAusgleich:
        return TMAusgleichen(18.0) == AusgleichErgebnis::Abgeschlossen;
    case Aktion::NDFAusgleich:
        return NDFAusgleichen(18.0, 8000.0) == AusgleichErgebnis::Abgeschlossen;
    case Aktion::MengeUebernehmen:
        return MengeInRationSchreiben(programm().futterDatenbank,
                                      {.futterID = 9002, .frischMenge = 5, .anteilSichtbar = false});
    case Aktion::FutterSpeichern: {
        Stammdaten f;
        f.gruppe = 1;
        f.bezeichnung = QStringLiteral("Grassilage neu");
        f.TM_g = 350;
        return StammdatenSchreiben(f, 9001) == Speicherergebnis::Gespeichert;
    }
    case Aktion::RationLeeren:
        ui.Antworten(Antwort::Ja);
        // True means "evaluate now"; whether it deleted shows in the message.
        (void)RationLeeren();
        return ui.meldungen.size() == 1;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(Fehler)
Q_DECLARE_METATYPE(Aktion)

class SchreibfehlerTest : public QObject {
    Q_OBJECT
private slots:
    void schreibfehler_data();
    void schreibfehler();
};

void SchreibfehlerTest::schreibfehler_data()
{
    QTest::addColumn<Fehler>("fehler");
    QTest::addColumn<Aktion>("aktion");
    QTest::addColumn<QString>("ursache"); // part of the message that names the cause

    // Every fault with every action: name, fault, cause.
    const QList<std::tuple<const char*, Fehler, QString>> fehler = {
        { "Sperre", Fehler::Sperre,
            "Die Datenbank wird gerade von einem anderen Kelvora-Fenster oder -Befehl benutzt" },
        { "Datei schreibgeschützt", Fehler::DateiSchreibgeschuetzt,
            "ist schreibgeschützt. Bitte heben Sie den Schreibschutz der Datei auf" },
        { "Ordner schreibgeschützt", Fehler::OrdnerSchreibgeschuetzt, "darf nicht geschrieben werden" },
        { "Datenträger voll", Fehler::DatentraegerVoll, "ist kein Platz mehr frei" },
    };
    const QList<QPair<Aktion, const char*>> aktionen = { { Aktion::NDFAusgleich, "NDF-Ausgleich" },
        { Aktion::MengeUebernehmen, "Menge übernehmen" }, { Aktion::FutterSpeichern, "Futtermittel speichern" },
        { Aktion::RationLeeren, "Ration löschen" } };
    for (const auto& [fehlerName, f, ursache] : fehler)
        for (const auto& [aktion, name] : aktionen)
            QTest::addRow("%s, %s", fehlerName, name) << f << aktion << ursache;
    QTest::newRow("Trigger bricht die zweite Zeile ab, TM-Ausgleich")
        << Fehler::ZweiteZeileAbgebrochen << Aktion::TMAusgleich << QStringLiteral("Testabbruch");
    QTest::newRow("Trigger bricht die zweite Zeile ab, NDF-Ausgleich")
        << Fehler::ZweiteZeileAbgebrochen << Aktion::NDFAusgleich << QStringLiteral("Testabbruch");
}

void SchreibfehlerTest::schreibfehler()
{
    QFETCH(Fehler, fehler);
    QFETCH(Aktion, aktion);
    QFETCH(QString, ursache);

    TestOberflaeche ui;
    TestDatenordner ordner;
    const VollerDatentraeger datentraeger{ordner.Pfad()};
    if (fehler == Fehler::DatentraegerVoll && !datentraeger.eingehaengt)
        QSKIP("Ein kleines tmpfs lässt sich nur als root einhängen");
    const QString mdb = TestDatenbankAnlegen();
    QVERIFY(!mdb.isEmpty());
    QVERIFY(RationAnlegen(Futter, Ration));
    ordner.Schreiben("KELVORA.INI", "[RationTierErstellenFenster]\r\nGewicht=650\r\nMilch=40,0\r\nFett=4,00\r\n");
    if (fehler == Fehler::ZweiteZeileAbgebrochen) {
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, mdb));
        QVERIFY(AnweisungAusfuehren(v,
            "CREATE TRIGGER Abbruch BEFORE UPDATE ON Ration WHEN OLD.FutterID = 9003"
            " BEGIN SELECT RAISE(ABORT, 'Testabbruch'); END"));
    }
    if (fehler == Fehler::DatentraegerVoll)
        datentraeger.Fuellen();
    const auto vorher = Dateistand(ordner.Pfad());

    {
        std::optional<Sperre> sperre;
        std::optional<Schreibschutz> schutz;
        if (fehler == Fehler::Sperre) {
            sperre.emplace(mdb, QStringLiteral("BEGIN IMMEDIATE"));
            QVERIFY(sperre->gesperrt);
        } else if (fehler == Fehler::DateiSchreibgeschuetzt || fehler == Fehler::OrdnerSchreibgeschuetzt) {
            // The database itself stays writable when only its folder is not.
            if (fehler == Fehler::OrdnerSchreibgeschuetzt)
                QFile(mdb).setPermissions(QFile(mdb).permissions() | QFileDevice::WriteOther | QFileDevice::ReadOther);
            schutz.emplace(fehler == Fehler::DateiSchreibgeschuetzt ? mdb : ordner.Pfad());
            if (!schutz->wirksam)
                QSKIP("Die Datei lässt sich hier nicht schreibschützen");
        }
        QVERIFY(!Ausfuehren(aktion, ui) || aktion == Aktion::RationLeeren);
        if (fehler == Fehler::Sperre)
            // Waited out like a busy opening before giving up.
            QCOMPARE(ui.wartezeiten, QList<int>(4, 2000));
    }

    QVERIFY2(!ui.meldungen.isEmpty(), "keine Meldung");
    const GezeigteMeldung& m = ui.meldungen.last();
    QVERIFY2(m.text.contains(ursache), qPrintable(m.text));
    QVERIFY2(m.text.endsWith("An den gespeicherten Daten wurde nichts verändert."), qPrintable(m.text));
    QCOMPARE(m.symbol, Symbol::Kritisch);
    QCOMPARE(Dateistand(ordner.Pfad()), vorher);
}

KELVORA_TEST(SchreibfehlerTest)
#include "tst_Schreibfehler.moc"
