// Files to and from a real FTP server on 127.0.0.1: upload with a lock file,
// download with its receipt, the failures (refusals, misbehaving servers and
// untrusted encryption) that must leave local files alone and tell the user
// why in German, encryption, where the password is kept, the fallback
// server and the cancel button.

#include "TestFtpServer.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Protokoll.h"
#include "internet/FtpDateien.h"

#include <QFile>
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
    void verschluesselung_data();
    void verschluesselung();
    void passwortablage_data();
    void passwortablage();
    void ersatzserver();
    void abbrechen();

private:
    // Fetches 1_Heu.xml into the data folder.
    bool Holen() const { return DateiVomServerHolen(ordner->Pfad("1_Heu.xml"), Austausch); }

    // Both go to the server as UTF-8; the password has the characters that
    // break naive URLs and INI files.
    test::TestFtpServer::Optionen Zugang() const override
    {
        return { .benutzer = "Bäuerin", .passwort = "Kü@h:st/all;#1 %=?" };
    }
    // What the logs hold so far.
    QString Protokolle() const
    {
        return QString::fromUtf8(
            ordner->Roh("Fehlerprotokoll.txt") + ordner->Roh(QFileInfo(TagesprotokollPfad()).fileName()));
    }
    // Sets the last change of a file in the server's exchange folder.
    void ServerDateizeit(const QString& name, const QDateTime& zeit) const
    {
        QFile f(server->Pfad(name));
        QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(zeit, QFileDevice::FileModificationTime));
    }
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
    QTest::addColumn<QString>("ini"); // "Schlüssel=Wert" in [Austausch] ("%1": the server's port)
    QTest::addColumn<QString>("meldung"); // what the user reads: its beginning
    QTest::addColumn<QString>("protokoll"); // part of the logs
    const QString ordnerWeg = "Der Ordner /Datenquellen/Futtermittel/Kelvora ist nicht erreichbar: ";
    const QString bricht = "Die Verbindung zum Server 127.0.0.1 brach während der Übertragung ab.";
    QTest::newRow("Server aus") << "aus"
                                << ""
                                << "Der Server 127.0.0.1 nimmt auf Port"
                                << "[curl 7: ";
    QTest::newRow("Anmeldung abgelehnt")
        << ""
        << "Passwort=falsch"
        << "Der Server 127.0.0.1 hat die Anmeldung abgelehnt (Benutzer oder Passwort falsch)."
        << "[curl 67: ";
    QTest::newRow("Startordner nicht /")
        << "startordner"
        << "" << ordnerWeg + "Der Server 127.0.0.1 beginnt nicht in seinem Hauptordner /."
        << "1_Heu.xml konnte nicht nach Datenquellen\\Futtermittel\\Kelvora geladen werden! bolOrdnerOK = False";
    QTest::newRow("Ordner fehlt") << "ordner"
                                  << ""
                                  << ordnerWeg
            + "Den Ordner Kelvora gibt es auf dem Server 127.0.0.1 nicht, oder er "
              "ist nicht zugänglich."
                                  << "FTPVerzeichnisWechseln zu Kelvora hat nicht funktioniert.";
    QTest::newRow("Datei fehlt") << "datei"
                                 << ""
                                 << "1_Heu.xml liegt nicht auf dem Server 127.0.0.1."
                                 << "DateiVomServerHolen: 1_Heu.xml liegt nicht";
    QTest::newRow("Sperrdatei daneben") << "sperre"
                                        << ""
                                        << "1_Heu.xml wird gerade auf den Server 127.0.0.1 geschrieben (Sperrdatei "
                                           "1_Heu.lock); bitte versuchen Sie es später noch einmal."
                                        << "1_Heu.xml kann nicht heruntergeladen werden, weil 1_Heu.lock existiert!";
    QTest::newRow("Sperrdatei seit Tagen")
        << "alte sperre"
        << ""
        << "1_Heu.xml kann nicht geholt werden: Die Sperrdatei 1_Heu.lock liegt seit 3 Tagen auf dem Server "
           "127.0.0.1. Sie ist wohl von einer abgebrochenen Übertragung liegen geblieben; bitte bitten Sie den "
           "Betreuer des Servers, sie zu entfernen."
        << "weil 1_Heu.lock existiert! (seit 3 Tagen)";
    // Misbehaving servers: memory and time stay bounded.
    QTest::newRow("Liste ohne Ende") << "NLST endlos"
                                     << ""
                                     << "Die Dateiliste des Servers 127.0.0.1 ist größer als 1 MB; sie wird nicht "
                                        "angenommen."
                                     << "[curl 23: ";
    QTest::newRow("Datei ohne Ende") << "RETR endlos"
                                     << ""
                                     << "Die Datei 1_Heu.xml des Servers 127.0.0.1 ist größer als 256 KB; sie wird "
                                        "nicht angenommen."
                                     << "[curl 23: ";
    QTest::newRow("Liste tröpfelt") << "NLST tropfen"
                                    << "Zeitlimit=2"
                                    << "Der Server 127.0.0.1 hat die Übertragung nicht innerhalb von 2 Sekunden "
                                       "beendet; sie wurde abgebrochen."
                                    << "[curl 28: ";
    // libcurl averages the speed over five seconds: a short time limit
    // ends a stall before its silence limit does.
    QTest::newRow("Datei stockt") << "RETR stocken"
                                  << "Zeitlimit=2"
                                  << "Der Server 127.0.0.1 hat die Übertragung nicht innerhalb von 2 Sekunden "
                                     "beendet; sie wurde abgebrochen."
                                  << "[curl 28: ";
    QTest::newRow("Verbindung bricht ab") << "RETR abbrechen"
                                          << "" << bricht << "[curl ";
    QTest::newRow("Antwort ohne Ende") << "PWD endlos"
                                       << "" << bricht << "[curl 56: ";
    // Encryption: no credentials where it fails, never a hang.
    QTest::newRow("Zertifikat fremd") << "tls"
                                      << ""
                                      << "Das Zertifikat des Servers 127.0.0.1 ist nicht vertrauenswürdig; Benutzer "
                                         "und Passwort wurden ihm nicht geschickt."
                                      << "[curl 60: SSL certificate problem: self-signed certificate";
    QTest::newRow("AUTH abgelehnt, TLS verlangt")
        << ""
        << "Verschluesselung=erforderlich"
        << "Der Server 127.0.0.1 bietet keine Verschlüsselung (TLS) an. Weil sie verlangt ist "
           "(Verschluesselung=erforderlich), wurden Benutzer und Passwort nicht geschickt."
        << "[curl 64: ";
    QTest::newRow("ftps:// an einen Server ohne TLS")
        << ""
        << "Server=ftps://127.0.0.1:%1"
        << "Die verschlüsselte Verbindung (TLS) zum Server 127.0.0.1 kam nicht zustande. Vielleicht verschlüsselt "
           "er nicht von Anfang an"
        << "[curl 35: ";
    QTest::newRow("ftp:// an einen Server mit ftps://")
        << "implizit"
        << "Zeitlimit=4"
        << "Der Server 127.0.0.1 hat 2 Sekunden lang nichts geschickt; die Übertragung wurde abgebrochen. Er hat "
           "nicht einmal gegrüßt: Verlangt er eine von Anfang an verschlüsselte Verbindung, tragen Sie "
           "Server=ftps://127.0.0.1 ein."
        << "[curl 28: ";
    QTest::newRow("Verschlüsselung vertippt")
        << ""
        << "Verschluesselung=ja"
        << "Der Wert „ja“ für Verschluesselung im Abschnitt [Austausch] der KELVORA.INI ist unbekannt"
        << "";
    QTest::newRow("Zugangsdaten in der Serverangabe") << ""
                                                      << "Server=ftp://Bäuerin:Kü@h:st/all;#1 %=?@127.0.0.1"
                                                      << "Die Serverangabe enthält Zugangsdaten (ein „@“)."
                                                      << "FTPVerbindungOeffnen: Die Serverangabe";
}

// Every failure leaves the local file as it was, writes no receipt, says
// why in German (libcurl's words only in the log, in brackets) and keeps
// the password out of the logs.
void FtpDateienTest::fehlschlaege()
{
    QFETCH(QString, fall);
    QFETCH(QString, ini);
    QFETCH(QString, meldung);
    QFETCH(QString, protokoll);
    std::unique_ptr<test::TestFtpServer> eigener;
    if (fall == "startordner" || fall == "tls" || fall == "implizit") {
        eigener = std::make_unique<test::TestFtpServer>(test::TestFtpServer::Optionen { .benutzer = "Bäuerin",
            .passwort = "Kü@h:st/all;#1 %=?",
            .startordner = fall == "startordner" ? "/Datenquellen" : "/",
            .tls = fall != "startordner",
            .implizit = fall == "implizit" });
        QVERIFY(eigener->Laeuft());
        eigener->Eintragen();
    } else if (fall == "aus") {
        INISpeichern("Austausch", "Port", QString::number(test::FreierPort()));
    } else if (fall == "ordner") {
        QDir(server->Ordner()).removeRecursively();
    } else if (fall.contains(' ') && fall != "alte sperre") {
        server->Stoeren(fall.section(' ', 0, 0), fall.section(' ', 1));
    }
    test::TestFtpServer& s = eigener ? *eigener : *server;
    if (fall != "datei")
        s.Schreiben("1_Heu.xml", Inhalt);
    if (fall.endsWith("sperre")) {
        s.Schreiben("1_Heu.lock", "Dies ist nur eine Datei zum Sperren.\r\n");
        ServerDateizeit("1_Heu.lock", ui->uhr.addSecs(fall == "sperre" ? -3600 : -3 * 86400 - 60));
    }
    if (!ini.isEmpty())
        INISpeichern(
            "Austausch", ini.section('=', 0, 0), ini.section('=', 1).replace("%1", QString::number(s.Port())), true);
    ordner->Schreiben("1_Heu.xml", "alt");

    QVERIFY(!Holen());
    QCOMPARE(ordner->Roh("1_Heu.xml"), QByteArray("alt"));
    QCOMPARE(QDir(ordner->Pfad()).entryList({ "abgeholt_*" }), QStringList());
    QVERIFY2(FtpLetzterFehler().startsWith(meldung), qPrintable(FtpLetzterFehler()));
    QVERIFY2(!FtpLetzterFehler().contains("curl"), qPrintable(FtpLetzterFehler()));
    const QString protokolle = Protokolle();
    QVERIFY2(protokolle.contains(protokoll), qPrintable(protokolle));
    QVERIFY(!protokolle.contains(s.Zugang().passwort));
    // Where encryption failed or the settings are unusable the server never saw the account.
    if (fall == "tls" || ini.startsWith("Verschluesselung"))
        QVERIFY2(!s.Befehle().contains("USER") && !s.Befehle().contains("PASS"), qPrintable(s.Befehle().join(' ')));
    if (fall == "ordner")
        QDir(server->Ordner()).mkpath(".");
}

void FtpDateienTest::verschluesselung_data()
{
    QTest::addColumn<bool>("tls"); // the server offers AUTH TLS
    QTest::addColumn<bool>("implizit");
    QTest::addColumn<QString>("verschluesselung"); // the INI's choice
    QTest::addColumn<bool>("verschluesselt");
    QTest::newRow("AUTH TLS") << true << false << "" << true;
    QTest::newRow("AUTH TLS verlangt") << true << false << "erforderlich" << true;
    QTest::newRow("ftps:// (implizit)") << true << true << "" << true;
    QTest::newRow("Server ohne TLS") << false << false << "wenn_moeglich" << false;
    QTest::newRow("abgeschaltet") << true << false << "aus" << false;
}

// A server with a trusted certificate gets the login encrypted, and the
// information window tells afterwards what the last connection was.
void FtpDateienTest::verschluesselung()
{
    QFETCH(bool, tls);
    QFETCH(bool, implizit);
    QFETCH(QString, verschluesselung);
    QFETCH(bool, verschluesselt);
    std::unique_ptr<test::TestFtpServer> eigener;
    if (tls) {
        eigener = std::make_unique<test::TestFtpServer>(test::TestFtpServer::Optionen {
            .benutzer = "Bäuerin", .passwort = "Kü@h:st/all;#1 %=?", .tls = true, .implizit = implizit });
        QVERIFY(eigener->Laeuft());
        eigener->Eintragen(implizit ? "ftps://127.0.0.1" : "127.0.0.1");
        INISpeichern("Austausch", "Zertifikate", eigener->Zertifikat());
    }
    test::TestFtpServer& s = eigener ? *eigener : *server;
    INISpeichern("Austausch", "Verschluesselung", verschluesselung);
    s.Schreiben("1_Heu.xml", Inhalt);

    QVERIFY2(Holen(), qPrintable(FtpLetzterFehler()));
    QCOMPARE(ordner->Roh("1_Heu.xml"), Inhalt);
    QCOMPARE(s.Befehle().contains("AUTH"), !implizit && verschluesselung != "aus");
    const LetzteFtpVerbindung l = LetzteVerbindungLesen();
    QCOMPARE(l.verschluesselt, verschluesselt);
    QCOMPARE(l.zeit, ui->uhr);
    QCOMPARE(LetzteVerbindungText(),
        "Letzte Verbindung zu 127.0.0.1 am 04.12.2026 10:00:00: "
            + QString(
                verschluesselt ? "verschlüsselt (TLS)." : "unverschlüsselt, Passwort und Dateien gingen im Klartext."));
}

void FtpDateienTest::passwortablage_data()
{
    QTest::addColumn<bool>("speicher"); // the machine has a password store
    QTest::addColumn<bool>("imIni");
    QTest::addColumn<bool>("imSpeicher");
    QTest::addColumn<bool>("geholt");
    QTest::addColumn<QString>("text"); // what the information window says
    QTest::newRow("kein Speicher: aus der INI") << false << true << false << true
                                                << "Das FTP-Passwort steht in KELVORA.INI: Dieser Rechner hat keinen "
                                                   "Passwortspeicher.";
    QTest::newRow("aus der INI in den Speicher")
        << true << true << false << true << "Das FTP-Passwort liegt im Passwortspeicher des Systems.";
    QTest::newRow("nur im Speicher") << true << false << true << true
                                     << "Das FTP-Passwort liegt im Passwortspeicher des Systems.";
    QTest::newRow("nirgends") << true << false << false << false << "Es ist kein FTP-Passwort eingetragen.";
}

// The password lives in the desktop's store where there is one; one found
// in the INI file moves there and leaves the file (never through a log).
void FtpDateienTest::passwortablage()
{
    QFETCH(bool, speicher);
    QFETCH(bool, imIni);
    QFETCH(bool, imSpeicher);
    QFETCH(bool, geholt);
    QFETCH(QString, text);
    const QString passwort = server->Zugang().passwort;
    const QString schluessel = "Austausch Bäuerin@127.0.0.1";
    ablage.vorhanden = speicher;
    if (imSpeicher)
        ablage.eintraege.insert(schluessel, passwort);
    if (!imIni)
        INISpeichern("Austausch", "Passwort", "", true);
    server->Schreiben("1_Heu.xml", Inhalt);

    QCOMPARE(Holen(), geholt);
    QCOMPARE(INILesen("Austausch", "Passwort"), speicher ? QString() : passwort);
    QCOMPARE(ablage.eintraege.value(schluessel), speicher && (imIni || imSpeicher) ? passwort : QString());
    QCOMPARE(PasswortablageText(), text);
    QVERIFY(!Protokolle().contains(passwort));
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
