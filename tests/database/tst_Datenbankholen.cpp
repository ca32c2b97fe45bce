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

} // namespace

void DatenbankholenTest::holen_data()
{
    QTest::addColumn<double>("mdb");
    QTest::addColumn<double>("bak");
    QTest::addColumn<double>("kom");
    QTest::addColumn<QList<double>>("kopien"); // days old: Sicherung/Futter_1.mdb, Futter_2.mdb, ...
    QTest::addColumn<QString>("inhalt"); // where Futter.mdb comes from, "" = missing afterwards
    QTest::addColumn<QStringList>("uebrig"); // Futter.* in the data folder afterwards
    QTest::addColumn<QStringList>("titel"); // of the message boxes shown
    QTest::addColumn<QStringList>("zeilen"); // in the error log
    using L = QStringList;
    using K = QList<double>;
    const QString fehlt = "Datenbank fehlt";
    const QString verwendet = "Sicherungskopie verwendet!";

    QTest::newRow("KOM von heute ersetzt Datenbank von gestern")
        << 24.0 << -1.0 << 2.0 << K {} << "Futter.KOM" << L { "Futter.mdb" } << L {}
        << L { "Futter.KOM wird beim Programmstart umbenannt weil die Futter.mdb älter oder nicht vorhanden ist.",
               "Erfolgreich! Futter.kom in Futter.mdb umbenannt." };
    QTest::newRow("KOM ersetzt fehlende Datenbank")
        << -1.0 << 30.0 << 2.0 << K {} << "Futter.KOM" << L { "Futter.BAK", "Futter.mdb" } << L {}
        << L { "Erfolgreich! Futter.kom in Futter.mdb umbenannt." };
    QTest::newRow("alte KOM bleibt liegen")
        << 240.0 << -1.0 << 120.0 << K {} << "Futter.mdb" << L { "Futter.KOM", "Futter.mdb" } << L {} << L {};
    // The "database" here is no database: the older copy is what a restore
    // will need.
    QTest::newRow("ältere KOM neben unlesbarer Datenbank bleibt")
        << 1.0 << -1.0 << 20.0 << K {} << "Futter.mdb" << L { "Futter.KOM", "Futter.mdb" } << L {}
        << L { "Futter.KOM bleibt erhalten, weil Futter.mdb nicht geöffnet oder geprüft werden kann." };
    QTest::newRow("BAK neuer als Datenbank und KOM")
        << 24.0 << 1.0 << 48.0 << K {} << "Futter.BAK" << L { "Futter.KOM", "Futter.mdb" } << L {}
        << L { "Futter.BAK wird beim Programmstart umbenannt weil die Futter.mdb älter oder nicht vorhanden ist.",
               "Erfolgreich! Futter.BAK in Futter.mdb umbenannt." };
    QTest::newRow("BAK neuer, aber älter als drei Tage") << 240.0 << 100.0 << 200.0 << K {} << "Futter.mdb"
                                                         << L { "Futter.BAK", "Futter.KOM", "Futter.mdb" } << L {}
                                                         << L {};
    QTest::newRow("BAK von zwei Tagen wird kopiert und bleibt")
        << -1.0 << 48.0 << -1.0 << K {} << "Futter.BAK" << L { "Futter.BAK", "Futter.mdb" } << L {}
        << L { "Futter.BAK wird beim Programmstart in MDB kopiert, weil die Futter.mdb nicht vorhanden ist.",
               "Erfolgreich! Futter.BAK in Futter.mdb kopiert." };
    // Three days count from today's midnight: 01.12. 00:00 is still young.
    QTest::newRow("BAK genau an der Dreitagesgrenze") << -1.0 << 82.0 << -1.0 << K {} << "Futter.BAK"
                                                      << L { "Futter.BAK", "Futter.mdb" } << L {}
                                                      << L { "Erfolgreich! Futter.BAK in Futter.mdb kopiert." };
    QTest::newRow("BAK eine Minute vor der Dreitagesgrenze")
        << -1.0 << 82.0 + 1.0 / 60 << -1.0 << K {} << "" << L { "Futter.BAK" } << L { fehlt }
        << L { "KOM existiert nicht. BAK nicht verwendet, weil älter als drei Tage: 30.11.26 23:59",
               "Ordner Sicherungskopien SICHERUNG existiert nicht!" };
    QTest::newRow("Datenbank neuer als alles")
        << 1.0 << 5.0 << -1.0 << K {} << "Futter.mdb" << L { "Futter.BAK", "Futter.mdb" } << L {} << L {};

    QTest::newRow("jüngste Sicherungskopie wird verwendet")
        << -1.0 << -1.0 << -1.0 << K { 20, 10, 30 } << "Sicherung/Futter_2.mdb" << L { "Futter.mdb" }
        << L { verwendet }
        << L { "Sicherungskopie wird verwendet, weil die Futter-Datenbank nicht mehr vorhanden ist!" };
    QTest::newRow("Kopie von 99 Tagen wird noch verwendet") << -1.0 << -1.0 << -1.0 << K { 98.9 }
                                                            << "Sicherung/Futter_1.mdb" << L { "Futter.mdb" }
                                                            << L { verwendet } << L {};
    // 100 days back from December lands in summer time, one hour later on the clock.
    QTest::newRow("Kopie von hundert Tagen wird nicht verwendet")
        << -1.0 << -1.0 << -1.0 << K { 100 } << "" << L {} << L { "Sicherungskopie wird nicht verwendet!", fehlt }
        << L { "Die Futter-Datenbank wurde als Sicherungskopie gefunden: SICHERUNG/Futter_1.mdb, allerdings ist die "
               "Sicherungskopie bereits älter als drei Monate und wird daher nicht verwendet: 26.08.2026 11:00:00"
               "\n\nBitte informieren Sie den Programmierer!" };
    QTest::newRow("BAK jünger als die Sicherungskopie")
        << -1.0 << 96.0 << -1.0 << K { 20 } << "Futter.BAK" << L { "Futter.BAK", "Futter.mdb" } << L { verwendet }
        << L { "Sicherungskopie wird abgelehnt weil BAK jünger ist.",
               "    Jüngste Sicherungskopie: 14.11.2026 10:00:00  SICHERUNG/Futter_1.mdb",
               "    BAK-Datei              : 30.11.2026 10:00.00  ORDNER/Futter.BAK" };
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
    QFETCH(QStringList, zeilen);
    TestOberflaeche ui;
    TestDatenordner ordner;
    Anlegen(ordner, "Futter.mdb", mdb);
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
    const QString log = ordner.Zeilen("Fehlerprotokoll.txt").join('\n');
    for (QString z : zeilen) {
        z.replace("SICHERUNG", ordner.Pfad("Sicherung")).replace("ORDNER", ordner.Pfad());
        QVERIFY2(log.contains(z), qPrintable(z + "\n" + log));
    }
    QStringList gezeigt;
    for (const GezeigteMeldung& m : ui.meldungen)
        gezeigt << m.titel;
    QCOMPARE(gezeigt, titel);
    if (inhalt.isEmpty()) {
        QCOMPARE(ui.meldungen.last().text,
            QStringLiteral("Die Datenbank Futter.mdb fehlt! Das Programm kann ohne diese Datenbank nicht richtig "
                           "arbeiten und wird deshalb jetzt beendet."));
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
    QCOMPARE(SicherungsOrdner(), ordner.Pfad("anderswo"));
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
