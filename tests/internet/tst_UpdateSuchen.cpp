#include "HttpTestServer.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Hauptmenue.h"
#include "internet/HttpAbruf.h"
#include "internet/UpdateSuchen.h"

#include <QDir>
#include <QTest>

using namespace kelvora;

namespace {

const QString KeineInfo
    = QStringLiteral("Es konnten keine Informationen über die aktuelle Version aus dem Internet abgerufen werden.");

// The day number of the scripted clock's date (04.12.2026).
long Heute()
{
    return static_cast<long>(QDate(1899, 12, 30).daysTo(QDate(2026, 12, 4)));
}

} // namespace

class UpdateSuchenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void versionsdatei_data();
    void versionsdatei();
    void ohneAntwort_data();
    void ohneAntwort();
    void suchrhythmus_data();
    void suchrhythmus();
    void kopieNichtSchreibbar();
    void stummerServerZeitlimit();
    void downloadseite_data();
    void downloadseite();

private:
    std::unique_ptr<test::HttpTestServer> server;
    test::TestOberflaeche* ui = nullptr;
    test::TestDatenordner* ordner = nullptr;
};

void UpdateSuchenTest::initTestCase()
{
    server = std::make_unique<test::HttpTestServer>();
    QVERIFY2(server->Laeuft(), "python3 -m http.server startet nicht");
}

void UpdateSuchenTest::init()
{
    ui = new test::TestOberflaeche;
    ordner = new test::TestDatenordner;
    updateAnfrage() = UpdateAnfrage {};
    INISpeichern(QStringLiteral("Update"), QStringLiteral("Adresse"), server->Adresse(QStringLiteral("Versionen.txt")));
}

void UpdateSuchenTest::cleanup()
{
    updateAnfrage() = UpdateAnfrage {};
    delete ordner;
    delete ui;
}

void UpdateSuchenTest::versionsdatei_data()
{
    QTest::addColumn<QByteArray>("inhalt"); // empty: no file on the server
    QTest::addColumn<bool>("vomBenutzer");
    QTest::addColumn<int>("stand");
    QTest::addColumn<QDate>("imInternet");
    QTest::addColumn<QString>("meldung");
    const QString aktuell = QStringLiteral("Installierte Version: 15.05.2015\nVersion im Internet: 15.05.2015");
    const int neuer = int(VersionsStand::Neuer), gleich = int(VersionsStand::Aktuell),
              fehlt = int(VersionsStand::DateiFehlt), keine = int(VersionsStand::KeineAngabe);

    QTest::newRow("Gleichheitszeichen, ISO-Datum")
        << QByteArray("Kelvora=2015-06-01\r\n") << false << neuer << QDate(2015, 6, 1) << QString();
    QTest::newRow("Leerzeichen, deutsches Datum, andere Programme davor")
        << QByteArray("Futterplan=01.01.2020\r\nKelvora 01.06.2015\r\n") << true << neuer << QDate(2015, 6, 1)
        << QString();
    QTest::newRow("gleiches Datum wie das Programm")
        << QByteArray("Kelvora=15.05.2015") << true << gleich << QDate(2015, 5, 15) << aktuell;
    QTest::newRow("älter, ohne Anfrage still")
        << QByteArray("Kelvora=2014-01-01") << false << gleich << QDate(2014, 1, 1) << QString();
    QTest::newRow("http_404 im Text") << QByteArray("<html>HTTP_404 not found</html>") << true << fehlt << QDate()
                                      << QString();
    QTest::newRow("Datei fehlt auf dem Server") << QByteArray() << true << fehlt << QDate() << QString();
    QTest::newRow("Schlüssel fehlt, Benutzer fragt")
        << QByteArray("Futterplan=01.01.2020") << true << keine << QDate() << KeineInfo;
    QTest::newRow("Schlüssel fehlt, ohne Anfrage still")
        << QByteArray("Futterplan=01.01.2020") << false << keine << QDate() << QString();
    QTest::newRow("Datum unlesbar") << QByteArray("Kelvora=demnächst") << true << keine << QDate() << KeineInfo;
    QTest::newRow("Schlüssel erst nach 1000 Bytes")
        << QByteArray(995, 'x') + QByteArray("Kelvora=2015-06-01") << true << keine << QDate() << KeineInfo;
}

void UpdateSuchenTest::versionsdatei()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(bool, vomBenutzer);
    QFETCH(int, stand);
    QFETCH(QDate, imInternet);
    QFETCH(QString, meldung);
    if (inhalt.isEmpty())
        server->DateiLoeschen(QStringLiteral("Versionen.txt"));
    else
        server->DateiSchreiben(QStringLiteral("Versionen.txt"), inhalt);
    updateAnfrage().vomBenutzer = vomBenutzer;

    const VersionsAuskunft a = VersionPruefen();
    QCOMPARE(int(a.stand), stand);
    QCOMPARE(a.imInternet, imInternet);
    QCOMPARE(ui->Texte(), meldung.isEmpty() ? QStringList() : QStringList { meldung });
    QCOMPARE(ui->sanduhrTiefe, 0);
    if (!inhalt.isEmpty())
        QCOMPARE(ordner->Roh(QStringLiteral("Versionen.txt")), inhalt.left(1000));

    const QStringList protokoll = ordner->Zeilen(QStringLiteral("26_12_04.txt"));
    if (stand == int(VersionsStand::Neuer)) {
        QCOMPARE(ui->statuszeilen.size(), 1);
        QCOMPARE(ui->statuszeilen[0].farbe, qint64(49152));
        QCOMPARE(ui->statuszeilen[0].sekunden, 10);
        QCOMPARE(
            ui->statuszeilen[0].text, QStringLiteral("Im Internet ist eine neue Version dieses Programms vorhanden."));
        QVERIFY(protokoll.contains(QStringLiteral("E 10:00:00      Neue Version gefunden: 01.06.2015")));
    } else {
        QVERIFY(ui->statuszeilen.isEmpty());
    }
    if (stand == int(VersionsStand::DateiFehlt))
        QCOMPARE(protokoll.last(),
            QStringLiteral("E 10:00:00      http_404 - Datei mit den Versionsinformationen existiert nicht."));
    if (meldung == KeineInfo)
        QCOMPARE(ui->meldungen[0].symbol, Symbol::Ausrufezeichen);
    if (meldung.startsWith(QLatin1String("Installierte")))
        QCOMPARE(ui->meldungen[0].titel, QStringLiteral("Keine neue Version gefunden."));
}

void UpdateSuchenTest::ohneAntwort_data()
{
    QTest::addColumn<bool>("serverEingetragen");
    QTest::addColumn<bool>("vomBenutzer");
    QTest::addColumn<QString>("meldung"); // beginning of the message, empty: none
    QTest::newRow("Server aus, ohne Anfrage still") << true << false << "";
    QTest::newRow("Server aus, Benutzer fragt")
        << true << true << KeineInfo + QStringLiteral("\n\nDer Server nimmt keine Verbindung an.");
    QTest::newRow("kein Server, ohne Anfrage still") << false << false << "";
    QTest::newRow("kein Server, Benutzer fragt") << false << true << "Es ist kein Update-Server eingetragen.";
}

void UpdateSuchenTest::ohneAntwort()
{
    QFETCH(bool, serverEingetragen);
    QFETCH(bool, vomBenutzer);
    QFETCH(QString, meldung);
    INISpeichern(QStringLiteral("Update"), QStringLiteral("Adresse"),
        serverEingetragen ? QStringLiteral("http://127.0.0.1:%1/Versionen.txt").arg(test::FreierPort()) : QString());
    ordner->Schreiben(QStringLiteral("Versionen.txt"), "Kelvora=2015-05-15");
    updateAnfrage().vomBenutzer = vomBenutzer;

    const VersionsAuskunft a = VersionPruefen();
    QCOMPARE(a.stand, serverEingetragen ? VersionsStand::NichtErreichbar : VersionsStand::KeinServer);
    QCOMPARE(ui->meldungen.size(), meldung.isEmpty() ? 0 : 1);
    if (!meldung.isEmpty())
        QVERIFY2(ui->meldungen[0].text.startsWith(meldung), qPrintable(ui->meldungen[0].text));
    // The last copy read stays.
    QCOMPARE(ordner->Roh(QStringLiteral("Versionen.txt")), QByteArray("Kelvora=2015-05-15"));
    QCOMPARE(ui->sanduhrTiefe, 0);
}

void UpdateSuchenTest::suchrhythmus_data()
{
    QTest::addColumn<QString>("intervall"); // empty: not in the INI
    QTest::addColumn<QString>("letzte");
    QTest::addColumn<bool>("gesucht");
    QTest::addColumn<QString>("intervallDanach");
    const QString heute = QString::number(Heute());
    QTest::newRow("Intervall 12 wird 9") << "12"
                                         << "" << true << "9";
    QTest::newRow("heute gesucht, Intervall 1: erst morgen") << "" << heute << false << "";
    QTest::newRow("gestern gesucht, Intervall 1") << "1" << QString::number(Heute() - 1) << true << "1";
    QTest::newRow("vor 2 Tagen, Intervall 3") << "3" << QString::number(Heute() - 2) << false << "3";
    QTest::newRow("geleert: sofort") << "1"
                                     << "" << true << "1";
}

void UpdateSuchenTest::suchrhythmus()
{
    QFETCH(QString, intervall);
    QFETCH(QString, letzte);
    QFETCH(bool, gesucht);
    QFETCH(QString, intervallDanach);
    server->DateiSchreiben(QStringLiteral("Versionen.txt"), "Kelvora=2015-05-15");
    if (!intervall.isEmpty())
        INISpeichern(QStringLiteral("Programm"), QStringLiteral("NachNeuerVersionSuchenIntervallTage"), intervall);
    INISpeichern(QStringLiteral("Programm"), QStringLiteral("LetzteUpdateSuche"), letzte);

    const UpdateErgebnis e = UpdateSuchen();
    QCOMPARE(e.gesucht, gesucht);
    QCOMPARE(updateAnfrage().uebersprungen, !gesucht);
    QCOMPARE(
        INILesen(QStringLiteral("Programm"), QStringLiteral("NachNeuerVersionSuchenIntervallTage")), intervallDanach);
    QCOMPARE(INILesen(QStringLiteral("Programm"), QStringLiteral("LetzteUpdateSuche")),
        gesucht ? QString::number(Heute()) : letzte);
    QCOMPARE(QFile::exists(ordner->Pfad(QStringLiteral("Versionen.txt"))), gesucht);
    const QStringList protokoll = ordner->Zeilen(QStringLiteral("26_12_04.txt"));
    QCOMPARE(protokoll.contains(QStringLiteral("E 10:00:00  Intervalltage von 12 auf 9 verkürzt.")),
        intervall == QLatin1String("12"));
    QVERIFY(ui->meldungen.isEmpty());
}

void UpdateSuchenTest::kopieNichtSchreibbar()
{
    // A folder in the way of the copy: the write fails, the check goes on.
    QDir(ordner->Pfad()).mkdir(QStringLiteral("Versionen.txt"));
    server->DateiSchreiben(QStringLiteral("Versionen.txt"), "Kelvora=2015-06-01");
    const VersionsAuskunft a = VersionPruefen();
    QCOMPARE(a.stand, VersionsStand::Neuer);
    QVERIFY(!a.schreibfehler.isEmpty());
    QCOMPARE(ui->statuszeilen.first().farbe, qint64(255));
    QVERIFY(ui->statuszeilen.first().text.startsWith(QStringLiteral("Die Versionsinformationen konnten nicht in ")));
    QCOMPARE(ordner->Zeilen(QStringLiteral("Fehlerprotokoll.txt")).size(), 1);
}

void UpdateSuchenTest::stummerServerZeitlimit()
{
    test::StummerServer stumm;
    QVERIFY(stumm.Port() > 0);
    HttpAbrufOptionen o;
    o.zeitlimitMs = 300;
    const HttpAntwort a = HttpAbrufen(QStringLiteral("http://127.0.0.1:%1/Versionen.txt").arg(stumm.Port()), o);
    QVERIFY(!a.beantwortet);
    QVERIFY(a.zeitUeberschritten);
    QCOMPARE(a.fehler, QStringLiteral("Der Server hat nicht innerhalb von 0,3 Sekunden geantwortet."));
    // The window was kept alive while waiting.
    QVERIFY(ui->ereignisseVerarbeitet > 0);
}

void UpdateSuchenTest::downloadseite_data()
{
    QTest::addColumn<QString>("adresse");
    QTest::addColumn<QString>("eingetragen");
    QTest::addColumn<QString>("seite");
    QTest::newRow("Ordner der Versionsdatei") << "https://example.org/kelvora/Versionen.txt"
                                              << ""
                                              << "https://example.org/kelvora/";
    QTest::newRow("eingetragene Seite geht vor") << "https://example.org/Versionen.txt"
                                                 << "https://example.org/download"
                                                 << "https://example.org/download";
    QTest::newRow("Adresse ohne Pfad") << "https://example.org"
                                       << ""
                                       << "";
    QTest::newRow("nichts eingetragen") << ""
                                        << ""
                                        << "";
}

void UpdateSuchenTest::downloadseite()
{
    QFETCH(QString, adresse);
    QFETCH(QString, eingetragen);
    QFETCH(QString, seite);
    INISpeichern(QStringLiteral("Update"), QStringLiteral("Adresse"), adresse);
    INISpeichern(QStringLiteral("Update"), QStringLiteral("Downloadseite"), eingetragen);
    QCOMPARE(UpdateDownloadseite(), seite);
}

KELVORA_TEST(UpdateSuchenTest)
#include "tst_UpdateSuchen.moc"
