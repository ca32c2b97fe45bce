#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "database/Datenbankholen.h"
#include "frame/FunktionenFuerINI.h"

#include <QDir>
#include <QDirIterator>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// The test clock stands at 04.12.2026 10:00. Times are given in hours before
// it; a negative value means the file does not exist.
class DatenbankholenTest : public QObject {
    Q_OBJECT
private slots:
    void begleiter_data();
    void begleiter();
    void sicherungsordner_data();
    void sicherungsordner();
    void nurDieErstenZehn();
    void ordnerAusIni();
    void pfadHolenLaesstGesundeDatenbank();
};

namespace {

const QDateTime Jetzt(QDate(2026, 12, 4), QTime(10, 0));

void Anlegen(TestDatenordner& ordner, const QString& name, double stundenAlt)
{
    if (stundenAlt < 0)
        return;
    // Each file has its own content, so that the test can tell where the
    // database came from.
    ordner.Schreiben(name, "Inhalt von " + name.toUtf8());
    ordner.DateizeitSetzen(name, Jetzt.addSecs(static_cast<qint64>(-stundenAlt * 3600)));
}

bool Enthaelt(const QStringList& zeilen, const QString& text)
{
    for (const QString& z : zeilen)
        if (z.endsWith(text))
            return true;
    return false;
}

} // namespace

void DatenbankholenTest::begleiter_data()
{
    QTest::addColumn<double>("mdb");
    QTest::addColumn<double>("bak");
    QTest::addColumn<double>("kom");
    QTest::addColumn<QString>("inhalt"); // where Futter.mdb's content comes from afterwards, "" = missing
    QTest::addColumn<QStringList>("uebrig");
    QTest::addColumn<QStringList>("zeilen");

    QTest::newRow("KOM von heute ersetzt Datenbank von gestern")
        << 24.0 << -1.0 << 2.0 << "Futter.KOM" << QStringList { "Futter.mdb" }
        << QStringList {
               "Futter.KOM wird beim Programmstart umbenannt weil die Futter.mdb älter oder nicht vorhanden ist.",
               "Erfolgreich! Futter.kom in Futter.mdb umbenannt."
           };
    QTest::newRow("KOM ersetzt fehlende Datenbank")
        << -1.0 << 30.0 << 2.0 << "Futter.KOM" << QStringList { "Futter.BAK", "Futter.mdb" }
        << QStringList { "Erfolgreich! Futter.kom in Futter.mdb umbenannt." };
    QTest::newRow("alte KOM bleibt liegen")
        << 240.0 << -1.0 << 120.0 << "Futter.mdb" << QStringList { "Futter.KOM", "Futter.mdb" } << QStringList {};
    // The "database" of this test is no database: the older copy is what a
    // restore will need.
    QTest::newRow("ältere KOM neben unlesbarer Datenbank bleibt")
        << 1.0 << -1.0 << 20.0 << "Futter.mdb" << QStringList { "Futter.KOM", "Futter.mdb" }
        << QStringList { "Futter.KOM bleibt erhalten, weil Futter.mdb nicht geöffnet oder geprüft werden kann." };
    QTest::newRow("BAK neuer als Datenbank und KOM")
        << 24.0 << 1.0 << 48.0 << "Futter.BAK" << QStringList { "Futter.KOM", "Futter.mdb" }
        << QStringList {
               "Futter.BAK wird beim Programmstart umbenannt weil die Futter.mdb älter oder nicht vorhanden ist.",
               "Erfolgreich! Futter.BAK in Futter.mdb umbenannt."
           };
    QTest::newRow("BAK neuer, aber älter als drei Tage")
        << 240.0 << 100.0 << 200.0 << "Futter.mdb" << QStringList { "Futter.BAK", "Futter.KOM", "Futter.mdb" }
        << QStringList {};
    QTest::newRow("BAK von zwei Tagen wird kopiert und bleibt")
        << -1.0 << 48.0 << -1.0 << "Futter.BAK" << QStringList { "Futter.BAK", "Futter.mdb" }
        << QStringList { "Futter.BAK wird beim Programmstart in MDB kopiert, weil die Futter.mdb nicht vorhanden ist.",
               "Erfolgreich! Futter.BAK in Futter.mdb kopiert." };
    // Three days count from today's midnight: 01.12. 00:00 is still young.
    QTest::newRow("BAK genau an der Dreitagesgrenze")
        << -1.0 << 82.0 << -1.0 << "Futter.BAK" << QStringList { "Futter.BAK", "Futter.mdb" }
        << QStringList { "Erfolgreich! Futter.BAK in Futter.mdb kopiert." };
    QTest::newRow("BAK eine Minute vor der Dreitagesgrenze")
        << -1.0 << 82.0 + 1.0 / 60 << -1.0 << "" << QStringList { "Futter.BAK" }
        << QStringList { "KOM existiert nicht. BAK nicht verwendet, weil älter als drei Tage: 30.11.26 23:59" };
    QTest::newRow("Datenbank neuer als alles")
        << 1.0 << 5.0 << -1.0 << "Futter.mdb" << QStringList { "Futter.BAK", "Futter.mdb" } << QStringList {};
}

void DatenbankholenTest::begleiter()
{
    QFETCH(double, mdb);
    QFETCH(double, bak);
    QFETCH(double, kom);
    QFETCH(QString, inhalt);
    QFETCH(QStringList, uebrig);
    QFETCH(QStringList, zeilen);
    TestOberflaeche ui;
    ui.uhr = Jetzt;
    TestDatenordner ordner;
    Anlegen(ordner, "Futter.mdb", mdb);
    Anlegen(ordner, "Futter.BAK", bak);
    Anlegen(ordner, "Futter.KOM", kom);

    QString pfad;
    const bool gefunden = Datenbankholen("Futter", pfad);
    QCOMPARE(pfad, ordner.Pfad("Futter.mdb"));
    QCOMPARE(gefunden, !inhalt.isEmpty());
    QCOMPARE(QDir(ordner.Pfad()).entryList({ "Futter.*" }, QDir::Files, QDir::Name), uebrig);
    const QStringList fehlerLog = ordner.Zeilen("Fehlerprotokoll.txt");
    for (const QString& z : zeilen)
        QVERIFY2(Enthaelt(fehlerLog, z), qPrintable(z + "\n" + fehlerLog.join('\n')));
    if (inhalt.isEmpty()) {
        QCOMPARE(ui.meldungen.size(), 1);
        QCOMPARE(ui.meldungen[0].titel, QStringLiteral("Datenbank fehlt"));
        QCOMPARE(ui.meldungen[0].text,
            QStringLiteral("Die Datenbank Futter.mdb fehlt! Das Programm kann ohne diese Datenbank nicht richtig "
                           "arbeiten und wird deshalb jetzt beendet."));
        QCOMPARE(ui.meldungen[0].symbol, Symbol::Kritisch);
        QVERIFY(ui.beendetMitCode > 0);
        QVERIFY(Enthaelt(fehlerLog, "Ordner Sicherungskopien " + ordner.Pfad("Sicherung") + " existiert nicht!"));
    } else {
        QCOMPARE(ordner.Roh("Futter.mdb"), "Inhalt von " + inhalt.toUtf8());
        QVERIFY(ui.meldungen.isEmpty());
        QCOMPARE(ui.beendetMitCode, -1);
    }
}

void DatenbankholenTest::sicherungsordner_data()
{
    QTest::addColumn<double>("bak");
    QTest::addColumn<QList<double>>("kopien"); // days old, files Futter_1.mdb, Futter_2.mdb, ...
    QTest::addColumn<QString>("inhalt");
    QTest::addColumn<QString>("titel");
    QTest::addColumn<QStringList>("zeilen");

    QTest::newRow("jüngste Sicherungskopie wird verwendet")
        << -1.0 << QList<double> { 20, 10, 30 } << "Sicherung/Futter_2.mdb"
        << "Sicherungskopie verwendet!"
        << QStringList { "Sicherungskopie wird verwendet, weil die Futter-Datenbank nicht mehr vorhanden ist!" };
    QTest::newRow("Kopie von hundert Tagen wird nicht verwendet")
        << -1.0 << QList<double> { 100 } << "" << "Sicherungskopie wird nicht verwendet!" << QStringList {};
    QTest::newRow("Kopie von 99 Tagen wird noch verwendet")
        << -1.0 << QList<double> { 98.9 } << "Sicherung/Futter_1.mdb" << "Sicherungskopie verwendet!" << QStringList {};
    QTest::newRow("BAK jünger als die Sicherungskopie")
        << 96.0 << QList<double> { 20 } << "Futter.BAK"
        << "Sicherungskopie verwendet!"
        << QStringList { "Sicherungskopie wird abgelehnt weil BAK jünger ist.",
               "    Jüngste Sicherungskopie: 14.11.2026 10:00:00  SICHERUNG/Futter_1.mdb",
               "    BAK-Datei              : 30.11.2026 10:00.00  ORDNER/Futter.BAK" };
    QTest::newRow("leerer Sicherungsordner") << 96.0 << QList<double> {} << "" << "" << QStringList {};
}

void DatenbankholenTest::sicherungsordner()
{
    QFETCH(double, bak);
    QFETCH(QList<double>, kopien);
    QFETCH(QString, inhalt);
    QFETCH(QString, titel);
    QFETCH(QStringList, zeilen);
    TestOberflaeche ui;
    ui.uhr = Jetzt;
    TestDatenordner ordner;
    QDir().mkpath(ordner.Pfad("Sicherung"));
    Anlegen(ordner, "Futter.BAK", bak);
    for (int i = 0; i < kopien.size(); ++i)
        Anlegen(ordner, QStringLiteral("Sicherung/Futter_%1.mdb").arg(i + 1), kopien[i] * 24);
    Anlegen(ordner, "Sicherung/Andere.mdb", 1);
    Anlegen(ordner, "Sicherung/Futter.txt", 1);

    QString pfad;
    QCOMPARE(Datenbankholen("Futter", pfad), !inhalt.isEmpty());
    const QStringList fehlerLog = ordner.Zeilen("Fehlerprotokoll.txt");
    for (QString z : zeilen) {
        z.replace("SICHERUNG", ordner.Pfad("Sicherung")).replace("ORDNER", ordner.Pfad());
        QVERIFY2(Enthaelt(fehlerLog, z), qPrintable(z + "\n" + fehlerLog.join('\n')));
    }
    if (!inhalt.isEmpty()) {
        QCOMPARE(ordner.Roh("Futter.mdb"), "Inhalt von " + inhalt.toUtf8());
        QCOMPARE(ui.meldungen.size(), 1);
        QCOMPARE(ui.meldungen[0].titel, titel);
        const QString quelle = ordner.Pfad(inhalt);
        QVERIFY(ui.meldungen[0].text.startsWith(
            "Die Futter-Datenbank wurde aus einer Sicherungskopie " + quelle + " (zuletzt verwendet: "));
        QVERIFY(ui.meldungen[0].text.endsWith(") wiederhergestellt!\n\nBitte prüfen Sie nachher die Daten!"));
        QVERIFY(QFile::exists(quelle)); // copied, not moved
        return;
    }
    QVERIFY(!QFile::exists(ordner.Pfad("Futter.mdb")));
    QCOMPARE(ui.beendetMitCode, 1);
    QCOMPARE(ui.meldungen.last().titel, QStringLiteral("Datenbank fehlt"));
    if (titel.isEmpty()) {
        QCOMPARE(ui.meldungen.size(), 1);
        return;
    }
    QCOMPARE(ui.meldungen.size(), 2);
    QCOMPARE(ui.meldungen[0].titel, titel);
    QCOMPARE(ui.meldungen[0].symbol, Symbol::Ausrufezeichen);
    // 100 days back from December lands in summer time, one hour later on the clock.
    const QString text
        = "Die Futter-Datenbank wurde als Sicherungskopie gefunden: " + ordner.Pfad("Sicherung/Futter_1.mdb")
        + ", allerdings ist die Sicherungskopie bereits älter als drei Monate und wird daher nicht verwendet: "
          "26.08.2026 11:00:00\n\nBitte informieren Sie den Programmierer!";
    QCOMPARE(ui.meldungen[0].text, text);
    QVERIFY(fehlerLog.join('\n').contains(text));
}

void DatenbankholenTest::nurDieErstenZehn()
{
    TestOberflaeche ui;
    ui.uhr = Jetzt;
    TestDatenordner ordner;
    QDir().mkpath(ordner.Pfad("Sicherung"));
    for (int i = 0; i < 11; ++i)
        Anlegen(ordner, QStringLiteral("Sicherung/Futter%1.mdb").arg(i), 24.0 * 30);
    QStringList reihenfolge;
    QDirIterator it(ordner.Pfad("Sicherung"), { "Futter*.mdb" }, QDir::Files);
    while (it.hasNext())
        reihenfolge << it.next();
    QCOMPARE(reihenfolge.size(), 11);
    // The eleventh file in listing order is the youngest, yet never looked at.
    ordner.DateizeitSetzen(QDir(ordner.Pfad()).relativeFilePath(reihenfolge[10]), Jetzt.addDays(-1));
    ordner.DateizeitSetzen(QDir(ordner.Pfad()).relativeFilePath(reihenfolge[4]), Jetzt.addDays(-5));

    QString pfad;
    QVERIFY(Datenbankholen("Futter", pfad));
    QCOMPARE(ordner.Roh("Futter.mdb"), "Inhalt von Sicherung/" + QFileInfo(reihenfolge[4]).fileName().toUtf8());
}

void DatenbankholenTest::ordnerAusIni()
{
    TestOberflaeche ui;
    ui.uhr = Jetzt;
    TestDatenordner ordner;
    QDir().mkpath(ordner.Pfad("anderswo"));
    QDir().mkpath(ordner.Pfad("Sicherung"));
    Anlegen(ordner, "anderswo/Futter alt.mdb", 24);
    Anlegen(ordner, "Sicherung/Futter.mdb", 2);
    INISpeichern("Daten", "OrdnerSicherungskopien", ordner.Pfad("anderswo"));
    QCOMPARE(SicherungsOrdner(), ordner.Pfad("anderswo"));
    QString pfad;
    QVERIFY(Datenbankholen("Futter", pfad));
    QCOMPARE(ordner.Roh("Futter.mdb"), QByteArray("Inhalt von anderswo/Futter alt.mdb"));
}

void DatenbankholenTest::pfadHolenLaesstGesundeDatenbank()
{
    TestOberflaeche ui;
    TestDatenordner ordner;
    const QString pfad = TestDatenbankAnlegen();
    TestDatenbankAnlegen("Futter.KOM");
    ordner.DateizeitSetzen("Futter.KOM", QDateTime::currentDateTime().addSecs(-3600));
    const QByteArray vorher = ordner.Roh("Futter.mdb");
    QCOMPARE(PfadHolen("Futter"), pfad);
    QCOMPARE(ordner.Roh("Futter.mdb"), vorher);
    // A database that passes the check has overtaken its older copy.
    QVERIFY(!QFile::exists(ordner.Pfad("Futter.KOM")));
    QVERIFY(ui.meldungen.isEmpty());
    QCOMPARE(ordner.Zeilen("Fehlerprotokoll.txt").filter("Futter.KOM").size(), 1);
}

KELVORA_TEST(DatenbankholenTest)
#include "tst_Datenbankholen.moc"
