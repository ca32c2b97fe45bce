// Files to and from a real FTP server on 127.0.0.1: upload with a lock file,
// download with its receipt, the failures that must leave local files alone,
// the fallback server and the cancel button.

#include "TestFtpServer.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Protokoll.h"
#include "internet/FtpDateien.h"

#include <QTest>
#include <QTimer>
#include <memory>

using namespace kelvora;

namespace {

const FtpOrdner Austausch { "Datenquellen", "Futtermittel", "Kelvora" };
// CR LF and a Windows-1252 umlaut must arrive byte for byte.
const QByteArray Inhalt = "<Futtermittel>\r\n    <Bezeichnung>R\xe4pskuchen</Bezeichnung>\r\n</Futtermittel>\r\n";

} // namespace

class FtpDateienTest : public test::FtpTestBasis {
    Q_OBJECT
private slots:
    void init() { Vorbereiten(); }
    void cleanup() { Aufraeumen(); }

    void hochladen();
    void holenMitQuittung();
    void fehlschlaege_data();
    void fehlschlaege();
    void ersatzserver();
    void abbrechen();

private:
    // Fetches 1_Heu.xml into the data folder.
    bool Holen() const { return DateiVomServerHolen(ordner->Pfad("1_Heu.xml"), Austausch); }

    // A password with the characters that break naive URLs and INI files.
    test::TestFtpServer::Optionen Zugang() const override { return { .passwort = "Kü@h:st/all;#1 %=?" }; }
};

// The lock file lies beside the file only while it is written; an older
// file of the same name is replaced.
void FtpDateienTest::hochladen()
{
    const QString datei = "3_Raps schrot.xml";
    server->Schreiben(datei, "alter Stand");
    ordner->Schreiben(datei, Inhalt);

    QVERIFY(DateiAufDenServerLaden(ordner->Pfad(datei), Austausch, true));
    QCOMPARE(server->Lesen(datei), Inhalt);
    QCOMPARE(server->Dateien(), QStringList { datei });
    QVERIFY(!QFile::exists(ordner->Pfad("3_Raps schrot.lock")));
    bool verbunden = false;
    QVERIFY(FTPDateiExistiert(ordner->Pfad(datei), Austausch, &verbunden));
    QVERIFY(verbunden);
    QVERIFY(!FTPDateiExistiert(ordner->Pfad("3_Raps.xml"), Austausch));
}

void FtpDateienTest::holenMitQuittung()
{
    programm().E1 = "Hof Müller";
    programm().E2 = "Dorfstraße 1, 12345 Wiesental";
    server->Schreiben("1_Heu.xml", Inhalt);
    ordner->Schreiben("1_Heu.xml", "alt");

    QVERIFY(Holen());
    QCOMPARE(ordner->Roh("1_Heu.xml"), Inhalt);

    const QString quittung = "abgeholt_20261204_100000.xml";
    const QByteArray erwartet = "<Client>\r\n"
                                "    <E1>Hof M\xfcller</E1>\r\n"
                                "    <E2>Dorfstra\xdf"
                                "e 1, 12345 Wiesental</E2>\r\n"
                                "    <Programm>Kelvora</Programm>\r\n"
                                "    <Versionsdatum>15.05.2015</Versionsdatum>\r\n"
                                "</Client>\r\n"
                                "<Bemerkung></Bemerkung>\r\n"
                                "<Zeitpunkt>04.12.26 10:00:00</Zeitpunkt>\r\n"
                                "<DateinameProtokoll>abgeholt_20261204_100000.xml</DateinameProtokoll>\r\n";
    QCOMPARE(ordner->Roh(quittung), erwartet);
    QCOMPARE(server->Lesen(quittung), erwartet);
}

void FtpDateienTest::fehlschlaege_data()
{
    QTest::addColumn<QString>("fall");
    QTest::addColumn<QString>("protokoll");
    QTest::newRow("Server aus") << "aus" << "nimmt auf Port";
    QTest::newRow("Anmeldung abgelehnt") << "passwort"
                                         << "hat die Anmeldung abgelehnt (Benutzer oder Passwort falsch)";
    QTest::newRow("Startordner nicht /")
        << "startordner" << "1_Heu.xml konnte nicht nach Datenquellen\\Futtermittel\\Kelvora geladen werden! "
                            "bolOrdnerOK = False";
    QTest::newRow("Ordner fehlt") << "ordner" << "FTPVerzeichnisWechseln zu Kelvora hat nicht funktioniert.";
    QTest::newRow("Datei fehlt") << "datei" << "1_Heu.xml liegt nicht auf dem Server.";
    QTest::newRow("Sperrdatei daneben")
        << "sperre" << "1_Heu.xml kann nicht heruntergeladen werden, weil 1_Heu.lock existiert!";
}

// Every failure leaves the local file as it was and writes no receipt.
void FtpDateienTest::fehlschlaege()
{
    QFETCH(QString, fall);
    QFETCH(QString, protokoll);
    std::unique_ptr<test::TestFtpServer> eigener;
    if (fall == "startordner") {
        eigener
            = std::make_unique<test::TestFtpServer>(test::TestFtpServer::Optionen { .startordner = "/Datenquellen" });
        QVERIFY(eigener->Laeuft());
        eigener->Eintragen();
        eigener->Schreiben("1_Heu.xml", Inhalt);
    } else if (fall == "aus") {
        INISpeichern("Austausch", "Port", QString::number(test::FreierPort()));
    } else if (fall == "passwort") {
        INISpeichern("Austausch", "Passwort", "falsch");
    } else if (fall == "ordner") {
        QDir(server->Ordner()).removeRecursively();
    } else if (fall == "sperre") {
        server->Schreiben("1_Heu.lock", "Dies ist nur eine Datei zum Sperren.\r\n");
    }
    if (fall != "datei" && !eigener)
        server->Schreiben("1_Heu.xml", Inhalt);
    ordner->Schreiben("1_Heu.xml", "alt");

    QVERIFY(!Holen());
    QCOMPARE(ordner->Roh("1_Heu.xml"), QByteArray("alt"));
    QCOMPARE(QDir(ordner->Pfad()).entryList({ "abgeholt_*" }), QStringList());
    const QString protokolle = QString::fromUtf8(
        ordner->Roh("Fehlerprotokoll.txt") + ordner->Roh(QFileInfo(TagesprotokollPfad()).fileName()));
    QVERIFY2(protokolle.contains(protokoll), qPrintable(protokolle));
    if (fall == "ordner")
        QDir(server->Ordner()).mkpath(".");
}

void FtpDateienTest::ersatzserver()
{
    // 127.0.0.2 is this machine too, but the test server listens on 127.0.0.1 only.
    server->Eintragen("127.0.0.2");
    server->Schreiben("1_Heu.xml", Inhalt);
    QVERIFY(!Holen());
    INISpeichern("Austausch", "Ersatzserver", "127.0.0.1");
    QVERIFY(Holen());
    QCOMPARE(ordner->Roh("1_Heu.xml"), Inhalt);
}

// The cancel button runs while the transfer waits; the transfer ends at once
// and so does every further one of the same action.
void FtpDateienTest::abbrechen()
{
    test::StummerServer stumm;
    FtpZugang z = AustauschZugang();
    z.port = stumm.Port();
    FtpVerbindung v;
    QTimer::singleShot(0, [] { FtpAbbrechen(); });
    QVERIFY(!FTPVerbindungOeffnen(v, z));
    QVERIFY(FtpAbgebrochen());
    QCOMPARE(v.LetzterFehler(), QStringLiteral("Die Übertragung wurde abgebrochen."));
    server->Schreiben("1_Heu.xml", Inhalt);
    QVERIFY(!Holen());
    FtpAbbruchZuruecksetzen();
    QVERIFY(Holen());
}

KELVORA_TEST(FtpDateienTest)
#include "tst_FtpDateien.moc"
