// Files to and from a real FTP server on 127.0.0.1: upload with and without
// lock file, download with its receipt, the lock that refuses a download,
// the fallback server, and the failures that must leave local files alone.

#include "TestFtpServer.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Protokoll.h"
#include "internet/FtpDateien.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace kelvora;

namespace {

const FtpOrdner Austausch { QStringLiteral("Datenquellen"), QStringLiteral("Futtermittel"), QStringLiteral("Kelvora") };
// CR LF and a Windows-1252 umlaut must arrive byte for byte.
const QByteArray Inhalt = "<Futtermittel>\r\n    <Bezeichnung>R\xe4pskuchen</Bezeichnung>\r\n</Futtermittel>\r\n";

} // namespace

class FtpDateienTest : public test::FtpTestBasis {
    Q_OBJECT
private slots:
    void init() { Vorbereiten(); }
    void cleanup() { Aufraeumen(); }

    void hochladen_data();
    void hochladen();
    void holenMitQuittung();
    void sperrdateiVerhindertHolen();
    void fehlschlaege_data();
    void fehlschlaege();
    void ersatzserver();
    void stummerServerGibtAuf();
    void abbrechen();

private:
    // A file already in the data folder that a failed fetch must not touch.
    void LokaleDateiAnlegen() { ordner->Schreiben(QStringLiteral("1_Heu.xml"), "alt"); }
    QString Fehlerprotokoll() const { return QString::fromUtf8(ordner->Roh(QStringLiteral("Fehlerprotokoll.txt"))); }

    // A password with the characters that break naive URLs and INI files.
    test::TestFtpServer::Optionen Zugang() const override
    {
        test::TestFtpServer::Optionen o;
        o.passwort = QStringLiteral("Kü@h:st/all;#1 %=?");
        return o;
    }
};

void FtpDateienTest::hochladen_data()
{
    QTest::addColumn<bool>("sperren");
    QTest::addColumn<bool>("ersetzen");
    QTest::newRow("neu") << false << false;
    QTest::newRow("mit Sperrdatei") << true << false;
    QTest::newRow("ersetzt vorhandene") << false << true;
}

void FtpDateienTest::hochladen()
{
    QFETCH(bool, sperren);
    QFETCH(bool, ersetzen);
    if (ersetzen)
        server->Schreiben(QStringLiteral("3_Raps schrot.xml"), "alter Stand");
    ordner->Schreiben(QStringLiteral("3_Raps schrot.xml"), Inhalt);

    QVERIFY(DateiAufDenServerLaden(ordner->Pfad(QStringLiteral("3_Raps schrot.xml")), Austausch, sperren));
    QCOMPARE(server->Lesen(QStringLiteral("3_Raps schrot.xml")), Inhalt);
    // Neither a lock on the server nor a local one stays behind.
    QCOMPARE(server->Dateien(), QStringList { QStringLiteral("3_Raps schrot.xml") });
    QVERIFY(!QFile::exists(ordner->Pfad(QStringLiteral("3_Raps schrot.lock"))));
    bool verbunden = false;
    QVERIFY(FTPDateiExistiert(ordner->Pfad(QStringLiteral("3_Raps schrot.xml")), Austausch, &verbunden));
    QVERIFY(verbunden);
    QVERIFY(!FTPDateiExistiert(ordner->Pfad(QStringLiteral("3_Raps.xml")), Austausch));
}

void FtpDateienTest::holenMitQuittung()
{
    programm().E1 = QStringLiteral("Hof Müller");
    programm().E2 = QStringLiteral("Dorfstraße 1, 12345 Wiesental");
    server->Schreiben(QStringLiteral("1_Heu.xml"), Inhalt);
    LokaleDateiAnlegen();

    QVERIFY(DateiVomServerHolen(ordner->Pfad(QStringLiteral("1_Heu.xml")), Austausch));
    QCOMPARE(ordner->Roh(QStringLiteral("1_Heu.xml")), Inhalt);

    const QString quittung = QStringLiteral("abgeholt_20261204_100000.xml");
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

void FtpDateienTest::sperrdateiVerhindertHolen()
{
    server->Schreiben(QStringLiteral("1_Heu.xml"), Inhalt);
    server->Schreiben(QStringLiteral("1_Heu.lock"), "Dies ist nur eine Datei zum Sperren.\r\n");
    LokaleDateiAnlegen();

    QVERIFY(!DateiVomServerHolen(ordner->Pfad(QStringLiteral("1_Heu.xml")), Austausch));
    QCOMPARE(ordner->Roh(QStringLiteral("1_Heu.xml")), QByteArray("alt"));
    QVERIFY(Fehlerprotokoll().contains(
        QStringLiteral("1_Heu.xml kann nicht heruntergeladen werden, weil 1_Heu.lock existiert!")));
    QCOMPARE(server->Dateien().filter(QStringLiteral("abgeholt_")), QStringList());
}

void FtpDateienTest::fehlschlaege_data()
{
    QTest::addColumn<QString>("fall");
    QTest::addColumn<QString>("protokoll");
    QTest::newRow("Server aus") << "aus"
                                << "nimmt auf Port";
    QTest::newRow("Anmeldung abgelehnt") << "passwort"
                                         << "hat die Anmeldung abgelehnt (Benutzer oder Passwort falsch)";
    QTest::newRow("Startordner nicht /") << "startordner"
                                         << "1_Heu.xml konnte nicht nach Datenquellen\\Futtermittel\\Kelvora "
                                            "geladen werden! bolOrdnerOK = False";
    QTest::newRow("Ordner fehlt") << "ordner"
                                  << "FTPVerzeichnisWechseln zu Kelvora hat nicht funktioniert.";
    QTest::newRow("Datei fehlt") << "datei"
                                 << "1_Heu.xml liegt nicht auf dem Server.";
}

// Every failure leaves the local file as it was and writes no receipt.
void FtpDateienTest::fehlschlaege()
{
    QFETCH(QString, fall);
    QFETCH(QString, protokoll);
    std::unique_ptr<test::TestFtpServer> eigener;
    if (fall == QLatin1String("startordner")) {
        test::TestFtpServer::Optionen o;
        o.startordner = QStringLiteral("/Datenquellen");
        eigener = std::make_unique<test::TestFtpServer>(o);
        QVERIFY(eigener->Laeuft());
        eigener->Eintragen();
        eigener->Schreiben(QStringLiteral("1_Heu.xml"), Inhalt);
    } else if (fall == QLatin1String("aus")) {
        INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Port"), QString::number(test::FreierPort()));
    } else if (fall == QLatin1String("passwort")) {
        INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Passwort"), QStringLiteral("falsch"));
    } else if (fall == QLatin1String("ordner")) {
        QDir(server->Ordner()).removeRecursively();
    }
    if (fall != QLatin1String("datei") && !eigener)
        server->Schreiben(QStringLiteral("1_Heu.xml"), Inhalt);
    LokaleDateiAnlegen();

    QVERIFY(!DateiVomServerHolen(ordner->Pfad(QStringLiteral("1_Heu.xml")), Austausch));
    QCOMPARE(ordner->Roh(QStringLiteral("1_Heu.xml")), QByteArray("alt"));
    QCOMPARE(QDir(ordner->Pfad()).entryList({ QStringLiteral("abgeholt_*") }), QStringList());
    const QString protokolle
        = Fehlerprotokoll() + QString::fromUtf8(ordner->Roh(QFileInfo(TagesprotokollPfad()).fileName()));
    QVERIFY2(protokolle.contains(protokoll), qPrintable(protokolle));
    if (fall == QLatin1String("ordner"))
        QDir(server->Ordner()).mkpath(QStringLiteral("."));
}

void FtpDateienTest::ersatzserver()
{
    // 127.0.0.2 is this machine too, but the test server listens on 127.0.0.1 only.
    server->Eintragen(QStringLiteral("127.0.0.2"));
    server->Schreiben(QStringLiteral("1_Heu.xml"), Inhalt);
    QVERIFY(!DateiVomServerHolen(ordner->Pfad(QStringLiteral("1_Heu.xml")), Austausch));
    INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Ersatzserver"), QStringLiteral("127.0.0.1"));
    QVERIFY(DateiVomServerHolen(ordner->Pfad(QStringLiteral("1_Heu.xml")), Austausch));
    QCOMPARE(ordner->Roh(QStringLiteral("1_Heu.xml")), Inhalt);
}

void FtpDateienTest::stummerServerGibtAuf()
{
    test::StummerServer stumm;
    QVERIFY(stumm.Port() > 0);
    FtpZugang z = AustauschZugang();
    z.port = stumm.Port();
    z.zeitlimit = 1;
    FtpVerbindung v;
    QElapsedTimer uhr;
    uhr.start();
    QVERIFY(!FTPVerbindungOeffnen(v, z));
    QVERIFY2(uhr.elapsed() < 10000, "das Zeitlimit greift nicht");
    QCOMPARE(v.LetzterFehler(), QStringLiteral("Der Server 127.0.0.1 hat 1 Sekunden lang nicht geantwortet."));
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
    QElapsedTimer uhr;
    uhr.start();
    QVERIFY(!FTPVerbindungOeffnen(v, z));
    QVERIFY(uhr.elapsed() < 10000);
    QVERIFY(FtpAbgebrochen());
    QCOMPARE(v.LetzterFehler(), QStringLiteral("Die Übertragung wurde abgebrochen."));
    server->Schreiben(QStringLiteral("1_Heu.xml"), Inhalt);
    QVERIFY(!DateiVomServerHolen(ordner->Pfad(QStringLiteral("1_Heu.xml")), Austausch));
    FtpAbbruchZuruecksetzen();
    QVERIFY(DateiVomServerHolen(ordner->Pfad(QStringLiteral("1_Heu.xml")), Austausch));
}

KELVORA_TEST(FtpDateienTest)
#include "tst_FtpDateien.moc"
