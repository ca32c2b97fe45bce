// "kelvora austausch liste|hochladen" against a real FTP server on 127.0.0.1:
// output, exit codes and the maintainer mode that sharing needs.

#include "BefehlsLauf.h"
#include "TestDatenbank.h"
#include "TestFtpServer.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
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
    // "Rapsschrot Test" (ID 960) is in the local database and on the server.
    QTest::newRow("liste") << "" << QStringList { "austausch", "liste" } << 0
                           << "1_Heu.xml\tGrundfutter\tHeu\n3_Soja_roh.xml\tEiweißträger\tSoja roh\n" << "";
    QTest::newRow("liste einer Gruppe") << "" << QStringList { "austausch", "liste", "--gruppe", "3" } << 0
                                        << "3_Soja_roh.xml\tEiweißträger\tSoja roh\n" << "";
    QTest::newRow("falsche Gruppe") << "" << QStringList { "austausch", "liste", "--gruppe=7" } << 2 << ""
                                    << "muss eine Zahl von 1 bis 5 sein";
    QTest::newRow("Server aus") << "Austausch/Port" << QStringList { "austausch", "liste" } << 1 << ""
                                << "kann nicht erreicht werden: FTPVerbindungOeffnen: Der Server 127.0.0.1 nimmt";
    QTest::newRow("kein Server") << "Austausch/Server=" << QStringList { "austausch", "liste" } << 1 << ""
                                 << "Kein Austausch-Server eingestellt.";
    QTest::newRow("hochladen ohne Wartungsmodus") << "" << QStringList { "austausch", "hochladen", "960" } << 3 << ""
                                                  << "nur im Wartungsmodus möglich";
    QTest::newRow("hochladen ersetzt") << "" << QStringList { "--wartung", "austausch", "hochladen", "960" } << 0
                                       << "3_Rapsschrot_Test.xml\n" << "";
    QTest::newRow("Wartungsmodus aus der INI") << "Programm/Wartungsmodus=1"
                                               << QStringList { "austausch", "hochladen", "960" } << 0
                                               << "3_Rapsschrot_Test.xml\n" << "";
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
    {
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
        QVERIFY(AnweisungAusfuehren(v,
            QStringLiteral("INSERT INTO Futtermittel (ID, FutterArtIOFC, Bezeichnung, TM_g, XP_gTM, UDP_gTM, NDF_gTM, "
                           "ADF_gTM, NFC_gTM, NEL_MJTM, Ca_gTM, P_gTM) VALUES (960, 3, 'Rapsschrot Test', 880, 350, "
                           "120, 260, 190, 210, 7.2, 8.3, 11.5)")));
    }
    for (const char* n : { "1_Heu.xml", "3_Soja_roh.xml", "3_Rapsschrot_Test.xml" })
        server->Schreiben(QString::fromUtf8(n), "x");
    if (ini == QLatin1String("Austausch/Port"))
        INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Port"), QString::number(test::FreierPort()));
    else if (!ini.isEmpty())
        INISpeichern(ini.section(QLatin1Char('/'), 0, 0),
            ini.section(QLatin1Char('/'), 1).section(QLatin1Char('='), 0, 0), ini.section(QLatin1Char('='), 1));

    const test::Lauf l = test::Kelvora(QStringList { "--datenordner", ordner->Pfad() } + woerter);
    QVERIFY2(l.code == code, qPrintable(l.fehler));
    QCOMPARE(l.aus, aus);
    QVERIFY2(fehler.isEmpty() ? l.fehler.isEmpty() : l.fehler.contains(fehler), qPrintable(l.fehler));
    // An upload replaces the file of its feed; nothing else comes or goes.
    QCOMPARE(server->Dateien(), (QStringList { "1_Heu.xml", "3_Rapsschrot_Test.xml", "3_Soja_roh.xml" }));
    if (code == 0 && woerter.contains(QLatin1String("hochladen")))
        QVERIFY(server->Lesen(QStringLiteral("3_Rapsschrot_Test.xml")).contains("<NEL_MJTM>7,2</NEL_MJTM>"));
}

KELVORA_TEST(AustauschBefehlTest)
#include "tst_Austausch.moc"
