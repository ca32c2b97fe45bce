// "kelvora austausch liste|hochladen" against a real FTP server on 127.0.0.1:
// output, exit codes and the maintainer mode that sharing needs.

#include "../ration/RationsTestdaten.h"
#include "BefehlsLauf.h"
#include "TestDatenbank.h"
#include "TestFtpServer.h"
#include "TestRegister.h"
#include "frame/FunktionenFuerINI.h"

#include <QTest>

using namespace kelvora;

class AustauschBefehlTest : public test::FtpTestBasis {
    Q_OBJECT
private slots:
    void init() { Vorbereiten(); }
    void cleanup()
    {
        programm().wartungsmodus = false;
        Aufraeumen();
    }
    void austausch_data();
    void austausch();
};

void AustauschBefehlTest::austausch_data()
{
    QTest::addColumn<QString>("ini"); // "Abschnitt/Schlüssel=Wert" set before
    QTest::addColumn<QStringList>("woerter");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("aus");
    QTest::addColumn<QString>("fehler"); // part of stderr
    // "Testfutter 9001" is in the local database and on the server.
    QTest::newRow("liste") << "" << QStringList { "austausch", "liste" } << 0
                           << "1_Heu.xml\tGrundfutter\tHeu\n3_Soja_roh.xml\tEiweißträger\tSoja roh\n" << "";
    QTest::newRow("liste einer Gruppe") << "" << QStringList { "austausch", "liste", "--gruppe", "3" } << 0
                                        << "3_Soja_roh.xml\tEiweißträger\tSoja roh\n" << "";
    QTest::newRow("falsche Gruppe") << "" << QStringList { "austausch", "liste", "--gruppe=7" } << 2 << ""
                                    << "muss eine Zahl von 1 bis 5 sein";
    QTest::newRow("Server aus") << "Austausch/Port=" + QString::number(test::FreierPort())
                                << QStringList { "austausch", "liste" } << 1 << ""
                                << "kann nicht erreicht werden: Der Server 127.0.0.1 nimmt";
    QTest::newRow("kein Server") << "Austausch/Server=" << QStringList { "austausch", "liste" } << 1 << ""
                                 << "Kein Austausch-Server eingestellt.";
    QTest::newRow("hochladen ohne Wartungsmodus") << "" << QStringList { "austausch", "hochladen", "9001" } << 3 << ""
                                                  << "nur im Wartungsmodus möglich";
    QTest::newRow("hochladen ersetzt") << "" << QStringList { "--wartung", "austausch", "hochladen", "9001" } << 0
                                       << "1_Testfutter_9001.xml\n" << "";
    QTest::newRow("Wartungsmodus aus der INI") << "Programm/Wartungsmodus=1"
                                               << QStringList { "austausch", "hochladen", "9001" } << 0
                                               << "1_Testfutter_9001.xml\n" << "";
    QTest::newRow("unbekannte ID") << "" << QStringList { "--wartung", "austausch", "hochladen", "99999" } << 2 << ""
                                   << "kein Futtermittel mit der Nummer 99999";
}

void AustauschBefehlTest::austausch()
{
    QFETCH(QString, ini);
    QFETCH(QStringList, woerter);
    QFETCH(int, code);
    QFETCH(QString, aus);
    QFETCH(QString, fehler);
    QVERIFY(!test::TestDatenbankAnlegen().isEmpty());
    QVERIFY(test::RationAnlegen({ { 9001, 880, 260 } }, {}));
    for (const char* n : { "1_Heu.xml", "3_Soja_roh.xml", "1_Testfutter_9001.xml" })
        server->Schreiben(QString::fromUtf8(n), "x");
    if (!ini.isEmpty())
        INISpeichern(ini.section(QLatin1Char('/'), 0, 0),
            ini.section(QLatin1Char('/'), 1).section(QLatin1Char('='), 0, 0), ini.section(QLatin1Char('='), 1));

    const test::Lauf l = test::Kelvora(QStringList { "--datenordner", ordner->Pfad() } + woerter);
    QVERIFY2(l.code == code, qPrintable(l.fehler));
    QCOMPARE(l.aus, aus);
    QVERIFY2(fehler.isEmpty() ? l.fehler.isEmpty() : l.fehler.contains(fehler), qPrintable(l.fehler));
    // An upload replaces the file of its feed; nothing else comes or goes.
    QCOMPARE(server->Dateien(), (QStringList { "1_Heu.xml", "1_Testfutter_9001.xml", "3_Soja_roh.xml" }));
    if (code == 0 && woerter.contains(QLatin1String("hochladen")))
        QVERIFY(server->Lesen(QStringLiteral("1_Testfutter_9001.xml")).contains("<NEL_MJTM>6</NEL_MJTM>"));
}

KELVORA_TEST(AustauschBefehlTest)
#include "tst_Austausch.moc"
