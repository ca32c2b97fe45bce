#include "HttpTestServer.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "app/ui/HauptFenster.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Programm.h"
#include "internet/HttpAbruf.h"
#include "internet/MailRoutinen.h"
#include "internet/SupportAngaben.h"
#include "internet/UpdateSuchen.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kelvora;

Q_DECLARE_METATYPE(kelvora::Antwort)

// What the program information window offers: the version check (what the
// user is told, when the search is due, the way to the installer window),
// the support details and the mail to the author. The plain outcomes of the
// version check (newer, current, file missing, server off, no server
// entered) are the command version-pruefen's test in tests/app.

namespace {

const QString KeineInfo = "Es konnten keine Informationen über die aktuelle Version aus dem Internet abgerufen werden.";
const QString Aktuell = "Installierte Version: 15.05.2015\nVersion im Internet: 15.05.2015";
// <adresse>: the address of the version file.
const QString KeinDatum = KeineInfo + "\n\nDie Versionsdatei <adresse> nennt kein lesbares Datum für Kelvora.";
const QString DateiFehlt = KeineInfo
    + "\n\nDie Versionsdatei <adresse> gibt es auf dem Server nicht (Fehler 404). Bitte prüfen Sie die Adresse in der "
      "Datei KELVORA.INI im Abschnitt [Update] unter „Adresse“.";

// The day number of the scripted clock's date (04.12.2026).
const long Heute = static_cast<long>(QDate(1899, 12, 30).daysTo(QDate(2026, 12, 4)));

} // namespace

class InformationsfensterTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void versionsdatei_data();
    void versionsdatei();
    void suchrhythmus_data();
    void suchrhythmus();
    void kopieNichtSchreibbar();
    void downloadseite();
    void stoerungen_data();
    void stoerungen();
    void vomFensterBisZurInstallation();
    void nichtSpeicherbar_data();
    void nichtSpeicherbar();
    void fensterSpeichert_data();
    void fensterSpeichert();
    void nachricht();
    void mailUndWebseite();
    void fernwartung_data();
    void fernwartung();

private:
    // Starts the main window past the guide's first twenty starts and opens
    // the information window in it.
    QWidget* Oeffnen(HauptFenster& haupt)
    {
        INISpeichern("HauptFenster", "AufrufZähler", "30");
        haupt.Laden();
        haupt.show();
        return haupt.FensterOeffnen("Informationsfenster");
    }

    std::unique_ptr<test::HttpTestServer> server;
    test::TestOberflaeche* ui = nullptr;
    test::TestDatenordner* ordner = nullptr;
};

void InformationsfensterTest::initTestCase()
{
    server = std::make_unique<test::HttpTestServer>();
    QVERIFY2(server->Laeuft(), "der HTTP-Testserver startet nicht");
}

void InformationsfensterTest::init()
{
    ui = new test::TestOberflaeche;
    ordner = new test::TestDatenordner;
    updateAnfrage() = UpdateAnfrage {};
    INISpeichern("Update", "Adresse", server->Adresse("Versionen.txt"));
}

void InformationsfensterTest::cleanup()
{
    delete ordner;
    delete ui;
}

void InformationsfensterTest::versionsdatei_data()
{
    QTest::addColumn<QString>("pfad"); // on the server
    QTest::addColumn<QByteArray>("inhalt"); // empty: no server listens
    QTest::addColumn<bool>("vomBenutzer");
    QTest::addColumn<VersionsStand>("stand");
    QTest::addColumn<QDate>("imInternet");
    QTest::addColumn<QString>("meldung"); // empty: none; %1: the port, <adresse>: the version file

    const QString datei = "Versionen.txt";
    QTest::newRow("neuer, andere Programme davor, ohne Anfrage")
        << datei << QByteArray("Futterplan=01.01.2020\r\nKelvora 01.06.2015\r\n") << false << VersionsStand::Neuer
        << QDate(2015, 6, 1) << QString();
    QTest::newRow("gleiches Datum wie das Programm")
        << datei << QByteArray("Kelvora=15.05.2015") << true << VersionsStand::Aktuell << QDate(2015, 5, 15) << Aktuell;
    // Only a line that begins with the key and goes on with one separator counts.
    QTest::newRow("längere Schlüssel und der Schlüssel mitten in der Zeile")
        << datei
        << QByteArray("AltKelvora=2099-12-31\r\nKelvoraPlus=2099-12-31\r\nx Kelvora=2099-12-31\r\nKelvora=2015-05-15")
        << true << VersionsStand::Aktuell << QDate(2015, 5, 15) << Aktuell;
    QTest::newRow("http_404 im Text") << datei << QByteArray("<html>HTTP_404 not found</html>") << true
                                      << VersionsStand::DateiFehlt << QDate() << DateiFehlt;
    QTest::newRow("Fehler 404") << "status/404/" + datei << QByteArray("Kelvora=2099-12-31") << true
                                << VersionsStand::DateiFehlt << QDate() << DateiFehlt;
    QTest::newRow("Schlüssel fehlt")
        << datei << QByteArray("Futterplan=01.01.2020") << true << VersionsStand::KeineAngabe << QDate() << KeinDatum;
    QTest::newRow("Datum unlesbar")
        << datei << QByteArray("Kelvora=demnächst") << true << VersionsStand::KeineAngabe << QDate() << KeinDatum;
    QTest::newRow("Schlüssel erst nach 1000 Bytes") << datei << QByteArray(995, 'x') + QByteArray("\nKelvora=2015-06-01")
                                                    << true << VersionsStand::KeineAngabe << QDate() << KeinDatum;
    // An error page is no version file, whatever it holds.
    QTest::newRow("Fehler 500 mit Versionsangabe")
        << "status/500/" + datei << QByteArray("Kelvora=2099-12-31") << true << VersionsStand::ServerFehler << QDate()
        << KeineInfo + "\n\nDer Server 127.0.0.1 meldet den Fehler 500 (Störung beim Server).";
    QTest::newRow("Fehler 403") << "status/403/" + datei << QByteArray("Kelvora=2099-12-31") << true
                                << VersionsStand::ServerFehler << QDate()
                                << KeineInfo + "\n\nDer Server 127.0.0.1 meldet den Fehler 403 (Zugriff verweigert).";
    QTest::newRow("Server aus") << datei << QByteArray() << true << VersionsStand::NichtErreichbar << QDate()
                                << KeineInfo + "\n\nDer Server 127.0.0.1 nimmt auf Port %1 keine Verbindung an. Bitte "
                                               "prüfen Sie die Verbindung zum Internet.";
}

void InformationsfensterTest::versionsdatei()
{
    QFETCH(QString, pfad);
    QFETCH(QByteArray, inhalt);
    QFETCH(bool, vomBenutzer);
    QFETCH(VersionsStand, stand);
    QFETCH(QDate, imInternet);
    QFETCH(QString, meldung);
    INISpeichern("Update", "Adresse", server->Adresse(pfad));
    if (inhalt.isEmpty()) {
        const int port = test::FreierPort();
        INISpeichern("Update", "Adresse", QString("http://127.0.0.1:%1/Versionen.txt").arg(port));
        meldung = meldung.arg(port);
    }
    meldung.replace("<adresse>", UpdateAdresse());
    server->DateiSchreiben("Versionen.txt", inhalt);
    updateAnfrage().vomBenutzer = vomBenutzer;

    const VersionsAuskunft a = VersionPruefen();
    QCOMPARE(a.stand, stand);
    QCOMPARE(a.imInternet, imInternet);
    QCOMPARE(ui->Texte(), meldung.isEmpty() ? QStringList() : QStringList { meldung });
    if (!meldung.isEmpty())
        QCOMPARE(ui->meldungen[0].titel, meldung == Aktuell ? "Keine neue Version gefunden." : "");
    QCOMPARE(ui->sanduhrTiefe, 0);
    // The copy of a version file that was read; nothing when none was.
    const bool gelesen = stand != VersionsStand::NichtErreichbar && !pfad.startsWith("status/");
    QCOMPARE(ordner->Roh("Versionen.txt"), gelesen ? inhalt.left(1000) : QByteArray());
    QCOMPARE(ui->statuszeilen.size(), stand == VersionsStand::Neuer ? 1 : 0);
    if (stand == VersionsStand::Neuer) {
        QCOMPARE(ui->statuszeilen[0].text, QString("Im Internet ist eine neue Version dieses Programms vorhanden."));
        QCOMPARE(ui->statuszeilen[0].farbe, qint64(49152));
        QCOMPARE(ui->statuszeilen[0].sekunden, 10);
    }
}

void InformationsfensterTest::suchrhythmus_data()
{
    QTest::addColumn<QString>("intervall"); // empty: not in the INI
    QTest::addColumn<long>("letzte"); // 0: emptied
    QTest::addColumn<bool>("gesucht");
    QTest::addColumn<QString>("intervallDanach");
    QTest::newRow("Intervall 12 wird 9") << "12" << 0L << true << "9";
    QTest::newRow("heute gesucht, Intervall 1: erst morgen") << "" << Heute << false << "";
    QTest::newRow("gestern gesucht, Intervall 1") << "1" << Heute - 1 << true << "1";
    QTest::newRow("vor 2 Tagen, Intervall 3") << "3" << Heute - 2 << false << "3";
    QTest::newRow("geleert: sofort") << "1" << 0L << true << "1";
}

void InformationsfensterTest::suchrhythmus()
{
    QFETCH(QString, intervall);
    QFETCH(long, letzte);
    QFETCH(bool, gesucht);
    QFETCH(QString, intervallDanach);
    server->DateiSchreiben("Versionen.txt", "Kelvora=2015-05-15");
    if (!intervall.isEmpty())
        INISpeichern("Programm", "NachNeuerVersionSuchenIntervallTage", intervall);
    const QString letzteText = letzte ? QString::number(letzte) : QString();
    INISpeichern("Programm", "LetzteUpdateSuche", letzteText);

    const UpdateErgebnis e = UpdateSuchen();
    QCOMPARE(e.gesucht, gesucht);
    QCOMPARE(updateAnfrage().uebersprungen, !gesucht);
    QCOMPARE(INILesen("Programm", "NachNeuerVersionSuchenIntervallTage"), intervallDanach);
    QCOMPARE(INILesen("Programm", "LetzteUpdateSuche"), gesucht ? QString::number(Heute) : letzteText);
    QCOMPARE(QFile::exists(ordner->Pfad("Versionen.txt")), gesucht);
    QVERIFY(ui->meldungen.isEmpty());
}

void InformationsfensterTest::kopieNichtSchreibbar()
{
    // A folder in the way of the copy: the write fails, the check goes on.
    QDir(ordner->Pfad()).mkdir("Versionen.txt");
    server->DateiSchreiben("Versionen.txt", "Kelvora=2015-06-01");
    updateAnfrage().vomBenutzer = true;
    const VersionsAuskunft a = VersionPruefen();
    QCOMPARE(a.stand, VersionsStand::Neuer);
    QVERIFY(!a.schreibfehler.isEmpty());
    QCOMPARE(ui->statuszeilen.first().farbe, qint64(255));
    QVERIFY(ui->statuszeilen.first().text.startsWith("Die Versionsinformationen konnten nicht in "));
    QCOMPARE(ui->Texte(), QStringList { ui->statuszeilen.first().text });
    QCOMPARE(ordner->Zeilen("Fehlerprotokoll.txt").size(), 1);
}

// An entered page goes before the folder of the version file (opened in
// vomFensterBisZurInstallation); an address without a folder gives none.
void InformationsfensterTest::downloadseite()
{
    INISpeichern("Update", "Downloadseite", "https://example.org/neu");
    QCOMPARE(UpdateDownloadseite(), QStringLiteral("https://example.org/neu"));
    INISpeichern("Update", "Downloadseite", "");
    INISpeichern("Update", "Adresse", "https://example.org");
    QCOMPARE(UpdateDownloadseite(), QString());
}

void InformationsfensterTest::stoerungen_data()
{
    QTest::addColumn<QString>("pfad"); // "stumm": a server that takes the connection and never answers
    QTest::addColumn<QString>("fehler"); // empty: answered
    const QString zeit = "Der Server 127.0.0.1 hat die Übertragung nicht innerhalb von 0,3 Sekunden beendet; sie "
                         "wurde abgebrochen.";
    QTest::newRow("stumm") << "stumm" << zeit;
    QTest::newRow("tröpfelt") << "tropfen" << zeit;
    QTest::newRow("leitet endlos weiter") << "weiter"
                                          << "Der Server 127.0.0.1 leitet zu oft auf eine andere Adresse weiter.";
    QTest::newRow("sendet ohne Ende") << "endlos" << "";
}

// A misbehaving server neither hangs the program nor fills its memory: the
// fetch gives up after its time limit or takes the first bytes only, and
// the window stays alive meanwhile. libcurl's own words are kept for the log.
void InformationsfensterTest::stoerungen()
{
    QFETCH(QString, pfad);
    QFETCH(QString, fehler);
    test::StummerServer stumm;
    HttpAbrufOptionen o;
    o.zeitlimitMs = 300;
    const HttpAntwort a = HttpAbrufen(pfad == "stumm"
            ? QStringLiteral("http://127.0.0.1:%1/Versionen.txt").arg(stumm.Port())
            : server->Adresse(pfad),
        o);
    QCOMPARE(a.beantwortet, fehler.isEmpty());
    QCOMPARE(a.fehler, fehler);
    QCOMPARE(a.technisch.startsWith("curl "), !fehler.isEmpty());
    QCOMPARE(a.inhalt.size(), fehler.isEmpty() ? 1000 : 0);
    QVERIFY(ui->ereignisseVerarbeitet > 0);
}

void InformationsfensterTest::vomFensterBisZurInstallation()
{
    server->DateiSchreiben("Versionen.txt", "Kelvora=2015-06-01\r\n");
    INISpeichern("Programm", "LetzteUpdateSuche", QString::number(Heute));
    HauptFenster haupt;
    Oeffnen(haupt)->findChild<QPushButton*>("cmdVersionPruefen")->click();
    // Searched today already, but asked for: due at once.
    QCOMPARE(INILesen("Programm", "LetzteUpdateSuche", "-"), QString());
    auto* timer = haupt.findChild<QTimer*>("tmrUpdateFinden");
    QVERIFY(timer->isActive());
    QCOMPARE(ui->sanduhrTiefe, 1);
    QCOMPARE(haupt.OffenesFenster("Informationsfenster")->findChild<QLabel*>("lblPasswortablage")->text(),
        QStringLiteral("Kein Austausch-Server eingestellt."));
    QCOMPARE(haupt.OffenesFenster("Informationsfenster")->findChild<QLabel*>("lblLetzteVerbindung")->text(),
        QStringLiteral("Noch keine Verbindung zum Austausch-Server."));

    // The tick, without waiting for the real second.
    ui->Antworten(Antwort::Ja);
    QMetaObject::invokeMethod(timer, "timeout");
    QVERIFY(!timer->isActive());
    QCOMPARE(ui->sanduhrTiefe, 0);
    QCOMPARE(ui->Texte(), QStringList { "Soll die neue Version jetzt installiert werden?" });
    QVERIFY(haupt.Aktion("NeueVersionHM")->isVisible());
    QCOMPARE(haupt.Aktion("NeueVersionInstallationA")->text(), QStringLiteral("01.06.15"));

    QWidget* installation = haupt.OffenesFenster("UpdateInstallationsFenster");
    QVERIFY(installation);
    QCOMPARE(installation->findChild<QLabel*>("lblImInternet")->text(), QString("Version im Internet: 01.06.2015"));
    installation->findChild<QPushButton*>("cmdDownloadseite")->click();
    QCOMPARE(ui->geoeffneteAdressen, QStringList { server->Adresse(QString()) });
    QVERIFY(updateAnfrage().installationsFensterOffen);
}

// What the settings file cannot hold is refused before anything is written.
void InformationsfensterTest::nichtSpeicherbar_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("iniIstOrdner");
    QTest::addColumn<QString>("fehlerBeginn");
    QTest::newRow("Zeichen außerhalb Windows-1252") << "Łukasz Nowak" << false << "Das Zeichen „Ł“ im Feld „Name“ kann";
    QTest::newRow("Einstellungen nicht beschreibbar")
        << "Hof Lindner" << true << "Die Angaben konnten nicht gespeichert werden";
}

void InformationsfensterTest::nichtSpeicherbar()
{
    QFETCH(QString, name);
    QFETCH(bool, iniIstOrdner);
    QFETCH(QString, fehlerBeginn);
    if (iniIstOrdner) {
        QFile::remove(ordner->Pfad("KELVORA.INI"));
        QDir(ordner->Pfad()).mkdir("KELVORA.INI");
    }
    programm().E1 = "alt";
    SupportAngaben a;
    a.name = name;
    const QString fehler = SupportAngabenSpeichern(a);
    QVERIFY2(fehler.startsWith(fehlerBeginn), qPrintable(fehler));
    QCOMPARE(programm().E1, QStringLiteral("alt"));
    QCOMPARE(SupportAngabenLesen().name, QString());
}

void InformationsfensterTest::fensterSpeichert_data()
{
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<Antwort>("antwort"); // to the question on closing with changes
    QTest::addColumn<bool>("gespeichert");
    QTest::addColumn<bool>("offen");
    QTest::newRow("Speichern") << "cmdSpeichern" << Antwort::OK << true << true;
    QTest::newRow("Schließen, Ja speichert") << "cmdSchliessen" << Antwort::Ja << true << false;
    QTest::newRow("Schließen, Nein verwirft") << "cmdSchliessen" << Antwort::Nein << false << false;
    QTest::newRow("Schließen, Abbrechen bleibt offen") << "cmdSchliessen" << Antwort::Abbrechen << false << true;
}

// Saved values are trimmed and in use at once, not only after the next start.
void InformationsfensterTest::fensterSpeichert()
{
    QFETCH(QString, knopf);
    QFETCH(Antwort, antwort);
    QFETCH(bool, gespeichert);
    QFETCH(bool, offen);
    HauptFenster haupt;
    QWidget* w = Oeffnen(haupt);
    // insert() edits as typing does; key clicks know no umlauts.
    w->findChild<QLineEdit*>("txtName")->insert("Hof Bäuerle & Söhne");
    w->findChild<QLineEdit*>("txtAdresse")->insert("  Dorfweg 1  ");
    w->findChild<QLineEdit*>("txtAbsenderEmail")->insert("anna@example.org");
    ui->Antworten(antwort);
    w->findChild<QPushButton*>(knopf)->click();

    QCOMPARE(ui->meldungen.size(), knopf == "cmdSchliessen" ? 1 : 0);
    const SupportAngaben gelesen = SupportAngabenLesen();
    QCOMPARE(gelesen.name, gespeichert ? "Hof Bäuerle & Söhne" : "");
    QCOMPARE(gelesen.adresse, gespeichert ? "Dorfweg 1" : "");
    QCOMPARE(gelesen.absenderEmail, gespeichert ? "anna@example.org" : "");
    QCOMPARE(programm().E1, gelesen.name);
    if (gespeichert)
        QCOMPARE(ui->statuszeilen.last().farbe, qint64(Farbe::Gruen));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(haupt.OffenesFenster("Informationsfenster") != nullptr, offen);
}

void InformationsfensterTest::nachricht()
{
    SupportAngaben a;
    a.absenderName = "Anna Muster";
    a.absenderEmail = "anna@example.org";
    QCOMPARE(NachrichtAnDenAutor(a, "Frage\nzum Heu\n"),
        "Hallo!\r\n\r\nFrage\r\nzum Heu\r\n\r\nAnna Muster\r\nanna@example.org\r\n\r\n"
        "Kelvora     Version 15.05.2015\r\nDatenordner: "
            + ordner->Pfad() + "\r\n");
}

// The mail to the programmer, and without a mail program or browser the user
// is told; a page without an address is not even tried.
void InformationsfensterTest::mailUndWebseite()
{
    qputenv("KELVORA_SUPPORTADRESSE", "hilfe@example.org");
    MailAnProgrammierer();
    qunsetenv("KELVORA_SUPPORTADRESSE");
    QCOMPARE(
        ui->geoeffneteAdressen, QStringList { "mailto:hilfe@example.org?Subject=Kelvora&Body=Hallo!%0D%0A%0D%0A" });
    // Without text no body, with text as it stands.
    QCOMPARE(MailAdresse("a@b.de", "Frage", "   "), QStringLiteral("mailto:a@b.de?Subject=Frage"));
    QCOMPARE(MailAdresse("a@b.de", "", "x"), QStringLiteral("mailto:a@b.de?Subject=&Body=x"));

    ui->adresseOeffnenGelingt = false;
    QString an = "a@b.de";
    MailAufrufen(an, "x", QString());
    QVERIFY(!WebseiteAufrufen("https://example.org"));
    QVERIFY(!WebseiteAufrufen("   "));
    QCOMPARE(ui->geoeffneteAdressen.size(), 3);
    QCOMPARE(ui->Texte(),
        QStringList({ "Wahrscheinlich ist keine Mail-Anwendung vorhanden!",
            "Wahrscheinlich ist kein Standard-Browser eingestellt!" }));
    QCOMPARE(ui->meldungen[0].titel, QStringLiteral("Fehler beim Aufruf"));
    QCOMPARE(ui->meldungen[1].titel, QStringLiteral("Fehler beim Aufruf einer Website"));
    QCOMPARE(ui->meldungen[1].symbol, Symbol::Kritisch);
}

void InformationsfensterTest::fernwartung_data()
{
    QTest::addColumn<QString>("eintrag"); // [Programm] Fernwartung; %1: a folder with a blank in its name
    QTest::addColumn<QByteArray>("datei"); // made where the entry points (executable unless *.txt); empty: none
    QTest::addColumn<QString>("meldung"); // empty: started; else what the box says after the name
    const QByteArray skript = "#!/bin/sh\npwd > gestartet\n";
    QTest::newRow("nicht eingetragen: kein Knopf") << "" << QByteArray() << "";
    QTest::newRow("Pfad mit Leerzeichen, in Anführungszeichen") << "\"%1/hilfe start.sh\"" << skript << "";
    QTest::newRow("Name ohne Ordner im Datenordner") << "hilfe.sh" << skript << "";
    QTest::newRow("fehlt") << "%1/fehlt.sh" << QByteArray() << "gibt es nicht (gesucht: %1/fehlt.sh).";
    QTest::newRow("nicht im Suchpfad")
        << "kelvora-fernhilfe-fehlt" << QByteArray() << "gibt es nicht (weder im Datenordner noch im Suchpfad).";
    QTest::newRow("ein Ordner") << "%1" << QByteArray() << "ist ein Ordner, kein Programm.";
    QTest::newRow("nicht ausführbar") << "%1/liesmich.txt" << skript << "ist nicht als ausführbar gekennzeichnet.";
    QTest::newRow("kein Programm") << "%1/hilfe" << QByteArray("Hallo\n")
                                   << "konnte nicht gestartet werden; das System führt es nicht aus.";
}

// The support window's button starts the program named in the settings
// file, without a shell and in its own folder, and tells in German why it
// cannot; without an entry there is no button.
void InformationsfensterTest::fernwartung()
{
    QFETCH(QString, eintrag);
    QFETCH(QByteArray, datei);
    QFETCH(QString, meldung);
    QTemporaryDir tmp;
    const QString wo = tmp.path() + "/Fern wartung";
    QVERIFY(QDir().mkpath(wo));
    eintrag.replace("%1", wo);
    const QString pfad = QDir(ordner->Pfad()).absoluteFilePath(QString(eintrag).remove('"'));
    if (!datei.isEmpty()) {
        QFile f(pfad);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(datei) == datei.size());
        f.close();
        QVERIFY(pfad.endsWith(".txt") || f.setPermissions(f.permissions() | QFile::ExeOwner));
    }
    INISpeichern("Programm", "Fernwartung", eintrag);
    HauptFenster haupt;
    auto* knopf = Oeffnen(haupt)->findChild<QPushButton*>("cmdFernwartung");
    QCOMPARE(knopf->isVisible(), !eintrag.isEmpty());
    if (eintrag.isEmpty())
        return;
    knopf->click();
    if (meldung.isEmpty()) {
        // The script writes its working folder into it.
        const QString gestartet = QFileInfo(pfad).absolutePath() + "/gestartet";
        QVERIFY(ui->meldungen.isEmpty());
        QTRY_VERIFY(QFile::exists(gestartet));
        QFile f(gestartet);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()).trimmed(), QFileInfo(pfad).absolutePath());
        return;
    }
    QCOMPARE(ui->Texte(),
        QStringList { "Das Fernwartungsprogramm „" + eintrag + "“ " + meldung.replace("%1", wo)
            + " Bitte prüfen Sie den Eintrag „Fernwartung“ im Abschnitt [Programm] der Datei KELVORA.INI." });
    QCOMPARE(ui->meldungen[0].titel, QStringLiteral("Fernwartung"));
}

KELVORA_TEST(InformationsfensterTest)
#include "tst_Informationsfenster.moc"
