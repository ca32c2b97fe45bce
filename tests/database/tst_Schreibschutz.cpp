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

// A data folder the program may read but not write: every operation fails
// the way it says it fails, and nothing is lost.
class SchreibschutzTest : public QObject {
    Q_OBJECT
private slots:
    void mitDatenbank();
    void ohneDatenbank();
};

void SchreibschutzTest::mitDatenbank()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString mdb = TestDatenbankAnlegen();
    ordner.DateizeitSetzen("Futter.mdb", QDateTime(QDate(2026, 12, 3), QTime(9, 0)));
    TestDatenbankAnlegen("Futter.KOM");
    ordner.DateizeitSetzen("Futter.KOM", QDateTime(QDate(2026, 12, 4), QTime(8, 0)));
    ordner.Schreiben("KELVORA.INI", "[Programm]\r\n");
    const auto vorher = Dateistand(ordner.Pfad());
    {
        Schreibschutz schutz(ordner.Pfad());
        if (!schutz.wirksam)
            QSKIP("Der Ordner lässt sich hier nicht schreibschützen");
        for (const bool nurLesen : { true, false }) {
            Verbindung v;
            QVERIFY(DatenbankOeffnen(v, mdb, nurLesen));
            QVERIFY(Anzahl(v, "Futtermittel") >= 30);
            QVERIFY(!AnweisungAusfuehren(v, "DELETE FROM Futtermittel"));
        }
        // The younger copy cannot be renamed; the older database stays usable.
        QString pfad;
        QVERIFY(Datenbankholen("Futter", pfad));
        QCOMPARE(ui.beendetMitCode, -1);
        QVERIFY(!DatenbankKomprimieren(mdb));
        QVERIFY(!Feldhinzufuegen(mdb, "Futtermittel", "Neu", "INTEGER", 0, false, false, 0));
        ui.wartezeiten.clear();
        QVERIFY(!DateiLoeschen(ordner.Pfad("Futter.KOM")));
        QCOMPARE(ui.wartezeiten, QList<int>(10, 500));
        QVERIFY(!DateiKopieren(mdb, ordner.Pfad("Futter.BAK"), true));
        QVERIFY(!Umbenennen(ordner.Pfad("Futter.KOM"), ordner.Pfad("Futter.BAK")));
        QVERIFY(ui.meldungen.isEmpty());
    }
    QCOMPARE(Dateistand(ordner.Pfad()), vorher);
}

void SchreibschutzTest::ohneDatenbank()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    TestDatenbankAnlegen(LieferDatenbankName);
    QDir().mkpath(ordner.Pfad("Sicherung"));
    TestDatenbankAnlegen("Sicherung/Futter.mdb");
    ::chmod(QFile::encodeName(ordner.Pfad("Sicherung")).constData(), 0755);
    const auto vorher = Dateistand(ordner.Pfad());
    Schreibschutz schutz(ordner.Pfad());
    if (!schutz.wirksam)
        QSKIP("Der Ordner lässt sich hier nicht schreibschützen");
    QVERIFY(!DatenordnerEinrichten(ordner.Pfad()));
    QVERIFY(ui.meldungen.isEmpty());
    // The backup copy cannot be copied in: the program ends, the copy stays.
    QString pfad;
    QVERIFY(!Datenbankholen("Futter", pfad));
    QCOMPARE(ui.Texte().last(),
        QStringLiteral("Die Datenbank Futter.mdb fehlt! Das Programm kann ohne diese "
                       "Datenbank nicht richtig arbeiten und wird deshalb jetzt beendet."));
    QCOMPARE(ui.beendetMitCode, 1);
    QVERIFY(QFile::exists(ordner.Pfad("Sicherung/Futter.mdb")));
    QCOMPARE(Dateistand(ordner.Pfad()), vorher);
}

KELVORA_TEST(SchreibschutzTest)
#include "tst_Schreibschutz.moc"
