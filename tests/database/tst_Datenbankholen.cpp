#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/Datenbankholen.h"
#include "frame/FunktionenFuerINI.h"

#include <QDir>
#include <QDirIterator>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// Which file becomes Futter.mdb at start-up. The test clock stands at
// 04.12.2026 10:00; file ages are given in hours before it, a negative age
// means the file does not exist. The files are no databases: each holds
// "Inhalt von <name>", so that the test can tell where Futter.mdb came from.
// Beside an existing database lies its journal: it must go exactly when the
// database is replaced, or SQLite would roll it back into the copy.
class DatenbankholenTest : public QObject {
    Q_OBJECT
private slots:
    void holen_data();
    void holen();
    void sicherungsordnerAusIni();
};

namespace {

void Anlegen(const TestDatenordner& ordner, const QString& name, double stundenAlt)
{
    if (stundenAlt < 0)
        return;
    const QDateTime jetzt(QDate(2026, 12, 4), QTime(10, 0));
    ordner.Schreiben(name, "Inhalt von " + name.toUtf8());
    ordner.DateizeitSetzen(name, jetzt.addSecs(static_cast<qint64>(-stundenAlt * 3600)));
}

// kopien: days old, files Sicherung/Futter_1.mdb, Futter_2.mdb, ...; inhalt:
// where Futter.mdb comes from ("" = missing afterwards); uebrig: Futter.* in
// the data folder afterwards; titel: of the message boxes shown.
void Z(const char* name, double mdb, double bak, double kom, const QList<double>& kopien, const QString& inhalt,
    const QStringList& uebrig, const QStringList& titel = {})
{
    QTest::newRow(name) << mdb << bak << kom << kopien << inhalt << uebrig << titel;
}

} // namespace

void DatenbankholenTest::holen_data()
{
    QTest::addColumn<double>("mdb");
    QTest::addColumn<double>("bak");
    QTest::addColumn<double>("kom");
    QTest::addColumn<QList<double>>("kopien");
    QTest::addColumn<QString>("inhalt");
    QTest::addColumn<QStringList>("uebrig");
    QTest::addColumn<QStringList>("titel");
    const QString mdb = "Futter.mdb", bak = "Futter.BAK", kom = "Futter.KOM", j = "Futter.mdb-journal";
    const QString fehlt = "Datenbank fehlt", verwendet = "Sicherungskopie verwendet!";
    Z("KOM von heute ersetzt Datenbank von gestern", 24, -1, 2, {}, kom, { mdb });
    Z("KOM ersetzt fehlende Datenbank", -1, 30, 2, {}, kom, { bak, mdb });
    Z("alte KOM bleibt liegen", 240, -1, 120, {}, mdb, { kom, mdb, j });
    // The "database" here is no database: the older copy is what a restore will need.
    Z("ältere KOM neben unlesbarer Datenbank bleibt", 1, -1, 20, {}, mdb, { kom, mdb, j });
    Z("BAK neuer als Datenbank und KOM", 24, 1, 48, {}, bak, { kom, mdb });
    Z("BAK neuer, aber älter als drei Tage", 240, 100, 200, {}, mdb, { bak, kom, mdb, j });
    Z("BAK von zwei Tagen wird kopiert und bleibt", -1, 48, -1, {}, bak, { bak, mdb });
    // Three days count from today's midnight: 01.12. 00:00 is still young.
    Z("BAK genau an der Dreitagesgrenze", -1, 82, -1, {}, bak, { bak, mdb });
    Z("BAK eine Minute vor der Dreitagesgrenze", -1, 82 + 1.0 / 60, -1, {}, "", { bak }, { fehlt });
    Z("Datenbank neuer als alles", 1, 5, -1, {}, mdb, { bak, mdb, j });
    Z("jüngste Sicherungskopie wird verwendet", -1, -1, -1, { 20, 10, 30 }, "Sicherung/Futter_2.mdb", { mdb },
        { verwendet });
    Z("Kopie von 99 Tagen wird noch verwendet", -1, -1, -1, { 98.9 }, "Sicherung/Futter_1.mdb", { mdb },
        { verwendet });
    Z("Kopie von hundert Tagen wird nicht verwendet", -1, -1, -1, { 100 }, "", {},
        { "Sicherungskopie wird nicht verwendet!", fehlt });
    Z("BAK jünger als die Sicherungskopie", -1, 96, -1, { 20 }, bak, { bak, mdb }, { verwendet });
}

void DatenbankholenTest::holen()
{
    QFETCH(double, mdb);
    QFETCH(double, bak);
    QFETCH(double, kom);
    QFETCH(QList<double>, kopien);
    QFETCH(QString, inhalt);
    QFETCH(QStringList, uebrig);
    QFETCH(QStringList, titel);
    TestOberflaeche ui;
    TestDatenordner ordner;
    Anlegen(ordner, "Futter.mdb", mdb);
    if (mdb >= 0)
        ordner.Schreiben("Futter.mdb-journal", "Journal");
    Anlegen(ordner, "Futter.BAK", bak);
    Anlegen(ordner, "Futter.KOM", kom);
    if (!kopien.isEmpty()) {
        QDir().mkpath(ordner.Pfad("Sicherung"));
        Anlegen(ordner, "Sicherung/Andere.mdb", 1); // younger, but no copy of this database
        Anlegen(ordner, "Sicherung/Futter.txt", 1);
    }
    for (int i = 0; i < kopien.size(); ++i)
        Anlegen(ordner, QStringLiteral("Sicherung/Futter_%1.mdb").arg(i + 1), kopien[i] * 24);

    QString pfad;
    QCOMPARE(Datenbankholen("Futter", pfad), !inhalt.isEmpty());
    QCOMPARE(pfad, ordner.Pfad("Futter.mdb"));
    QCOMPARE(QDir(ordner.Pfad()).entryList({ "Futter.*" }, QDir::Files, QDir::Name), uebrig);
    QStringList gezeigt;
    for (const GezeigteMeldung& m : ui.meldungen)
        gezeigt << m.titel;
    QCOMPARE(gezeigt, titel);
    if (inhalt.isEmpty()) {
        QCOMPARE(ui.meldungen.last().symbol, Symbol::Kritisch);
        QCOMPARE(ui.beendetMitCode, 1);
        return;
    }
    QCOMPARE(ordner.Roh("Futter.mdb"), "Inhalt von " + inhalt.toUtf8());
    QCOMPARE(ui.beendetMitCode, -1);
    if (!titel.isEmpty()) {
        // A copy from the safety folder is copied, not moved, and named.
        QVERIFY(QFile::exists(ordner.Pfad(inhalt)));
        QVERIFY(ui.meldungen[0].text.startsWith("Die Futter-Datenbank wurde aus einer Sicherungskopie "
            + ordner.Pfad(inhalt) + " (zuletzt verwendet: "));
        QVERIFY(ui.meldungen[0].text.endsWith(") wiederhergestellt!\n\nBitte prüfen Sie nachher die Daten!"));
    }
}

// The folder of safety copies comes from the INI; of its files only the
// first ten in listing order are looked at, the youngest of them wins.
void DatenbankholenTest::sicherungsordnerAusIni()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    QDir().mkpath(ordner.Pfad("anderswo"));
    QDir().mkpath(ordner.Pfad("Sicherung"));
    Anlegen(ordner, "Sicherung/Futter.mdb", 2);
    for (int i = 0; i < 11; ++i)
        Anlegen(ordner, QStringLiteral("anderswo/Futter %1.mdb").arg(i), 24.0 * 30);
    INISpeichern("Daten", "OrdnerSicherungskopien", ordner.Pfad("anderswo"));
    QStringList reihenfolge;
    QDirIterator it(ordner.Pfad("anderswo"), { "Futter*.mdb" }, QDir::Files);
    while (it.hasNext())
        reihenfolge << "anderswo/" + it.nextFileInfo().fileName();
    QCOMPARE(reihenfolge.size(), 11);
    // The eleventh file is the youngest, yet never looked at.
    Anlegen(ordner, reihenfolge[10], 24);
    Anlegen(ordner, reihenfolge[4], 24 * 5);

    QString pfad;
    QVERIFY(Datenbankholen("Futter", pfad));
    QCOMPARE(ordner.Roh("Futter.mdb"), "Inhalt von " + reihenfolge[4].toUtf8());
}

KELVORA_TEST(DatenbankholenTest)
#include "tst_Datenbankholen.moc"
