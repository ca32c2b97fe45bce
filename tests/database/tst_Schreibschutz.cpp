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
    void init();
    void cleanup();
    void lesenGehtSchreibenScheitert();
    void komNichtUmbenannt();
    void sicherungskopieNichtKopierbar();
    void komprimierenScheitert();
    void spalteNichtHinzugefuegt();
    void loeschenUndKopierenScheitern();
    void datenordnerNichtEinrichtbar();

private:
    // Created per test: clock, folder with a database and a younger ".KOM".
    std::unique_ptr<TestOberflaeche> ui;
    std::unique_ptr<TestDatenordner> ordner;
    QMap<QString, QByteArray> vorher;
};

void SchreibschutzTest::init()
{
    ui = std::make_unique<TestOberflaeche>();
    ordner = std::make_unique<TestDatenordner>();
    QVERIFY(!TestDatenbankAnlegen().isEmpty());
    ordner->DateizeitSetzen("Futter.mdb", QDateTime(QDate(2026, 12, 3), QTime(9, 0)));
    ordner->Schreiben("KELVORA.INI", "[Programm]\r\n");
}

void SchreibschutzTest::cleanup()
{
    ordner.reset();
    ui.reset();
}

void SchreibschutzTest::lesenGehtSchreibenScheitert()
{
    vorher = Dateistand(ordner->Pfad());
    Schreibschutz schutz(ordner->Pfad());
    if (!schutz.wirksam)
        QSKIP("Der Ordner lässt sich hier nicht schreibschützen");
    for (const bool nurLesen : { true, false }) {
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, ordner->Pfad("Futter.mdb"), nurLesen));
        QSqlQuery q;
        QVERIFY(AbfrageOeffnen(v, q, "SELECT count(*) FROM Futtermittel"));
        QVERIFY(q.next() && q.value(0).toInt() >= 30);
        q = QSqlQuery();
        QVERIFY(!AnweisungAusfuehren(v, "DELETE FROM Futtermittel"));
    }
    QVERIFY(ui->meldungen.isEmpty());
    QCOMPARE(Dateistand(ordner->Pfad()), vorher);
}

void SchreibschutzTest::komNichtUmbenannt()
{
    TestDatenbankAnlegen("Futter.KOM");
    ordner->DateizeitSetzen("Futter.KOM", QDateTime(QDate(2026, 12, 4), QTime(8, 0)));
    vorher = Dateistand(ordner->Pfad());
    Schreibschutz schutz(ordner->Pfad());
    if (!schutz.wirksam)
        QSKIP("Der Ordner lässt sich hier nicht schreibschützen");
    QString pfad;
    // The rename fails; the older database stays usable beside the copy.
    QVERIFY(Datenbankholen("Futter", pfad));
    QCOMPARE(Dateistand(ordner->Pfad()), vorher);
    QCOMPARE(ui->beendetMitCode, -1);
}

void SchreibschutzTest::sicherungskopieNichtKopierbar()
{
    QDir().mkpath(ordner->Pfad("Sicherung"));
    QFile::rename(ordner->Pfad("Futter.mdb"), ordner->Pfad("Sicherung/Futter.mdb"));
    ::chmod(QFile::encodeName(ordner->Pfad("Sicherung")).constData(), 0755);
    vorher = Dateistand(ordner->Pfad());
    Schreibschutz schutz(ordner->Pfad());
    if (!schutz.wirksam)
        QSKIP("Der Ordner lässt sich hier nicht schreibschützen");
    QString pfad;
    QVERIFY(!Datenbankholen("Futter", pfad));
    QCOMPARE(ui->Texte().last(),
        QStringLiteral("Die Datenbank Futter.mdb fehlt! Das Programm kann ohne diese "
                       "Datenbank nicht richtig arbeiten und wird deshalb jetzt beendet."));
    QCOMPARE(ui->beendetMitCode, 1);
    QVERIFY(QFile::exists(ordner->Pfad("Sicherung/Futter.mdb")));
    QCOMPARE(Dateistand(ordner->Pfad()), vorher);
}

void SchreibschutzTest::komprimierenScheitert()
{
    vorher = Dateistand(ordner->Pfad());
    Schreibschutz schutz(ordner->Pfad());
    if (!schutz.wirksam)
        QSKIP("Der Ordner lässt sich hier nicht schreibschützen");
    QVERIFY(!DatenbankKomprimieren(ordner->Pfad("Futter.mdb")));
    QCOMPARE(Dateistand(ordner->Pfad()), vorher);
    QVERIFY(ui->meldungen.isEmpty());
}

void SchreibschutzTest::spalteNichtHinzugefuegt()
{
    vorher = Dateistand(ordner->Pfad());
    {
        Schreibschutz schutz(ordner->Pfad());
        if (!schutz.wirksam)
            QSKIP("Der Ordner lässt sich hier nicht schreibschützen");
        QVERIFY(!Feldhinzufuegen(ordner->Pfad("Futter.mdb"), "Futtermittel", "Neu", "INTEGER", 0, false, false, 0));
        QVERIFY(ui->meldungen.isEmpty());
    }
    QCOMPARE(Dateistand(ordner->Pfad()), vorher);
}

void SchreibschutzTest::loeschenUndKopierenScheitern()
{
    ordner->Schreiben("Futter.KOM", "alt");
    vorher = Dateistand(ordner->Pfad());
    Schreibschutz schutz(ordner->Pfad());
    if (!schutz.wirksam)
        QSKIP("Der Ordner lässt sich hier nicht schreibschützen");
    QVERIFY(!DateiLoeschen(ordner->Pfad("Futter.KOM")));
    QCOMPARE(ui->wartezeiten, QList<int>(10, 500));
    QVERIFY(!DateiKopieren(ordner->Pfad("Futter.mdb"), ordner->Pfad("Futter.BAK"), true));
    QVERIFY(!Umbenennen(ordner->Pfad("Futter.KOM"), ordner->Pfad("Futter.BAK")));
    QVERIFY(ui->meldungen.isEmpty());
    QCOMPARE(Dateistand(ordner->Pfad()), vorher);
}

void SchreibschutzTest::datenordnerNichtEinrichtbar()
{
    TestDatenbankAnlegen(LieferDatenbankName);
    QFile::remove(ordner->Pfad("Futter.mdb"));
    QFile::remove(ordner->Pfad("KELVORA.INI"));
    Schreibschutz schutz(ordner->Pfad());
    if (!schutz.wirksam)
        QSKIP("Der Ordner lässt sich hier nicht schreibschützen");
    QVERIFY(!DatenordnerEinrichten(ordner->Pfad()));
    QVERIFY(!QFile::exists(ordner->Pfad("Futter.mdb")));
    QVERIFY(ui->meldungen.isEmpty());
}

KELVORA_TEST(SchreibschutzTest)
#include "tst_Schreibschutz.moc"
