#include "BefehlsLauf.h"
#include "HttpTestServer.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/FunktionenFuerINI.h"
#include "internet/UpdateSuchen.h"

#include <QTest>

using namespace kelvora;

class VersionPruefenBefehlTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void ausgabe_data();
    void ausgabe();

private:
    std::unique_ptr<test::HttpTestServer> server;
};

void VersionPruefenBefehlTest::initTestCase()
{
    server = std::make_unique<test::HttpTestServer>();
    QVERIFY2(server->Laeuft(), "python3 -m http.server startet nicht");
}

void VersionPruefenBefehlTest::ausgabe_data()
{
    QTest::addColumn<QString>("adresse"); // "aus": a port without a server
    QTest::addColumn<QByteArray>("inhalt"); // empty: no file on the server
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("aus");
    QTest::addColumn<QString>("fehler"); // beginning of stderr
    QTest::newRow("neuer") << "Versionen.txt" << QByteArray("Kelvora=2015-06-01") << 0 << "neu\t01.06.2015\n"
                           << "";
    QTest::newRow("aktuell") << "Versionen.txt" << QByteArray("Kelvora 15.05.2015") << 0 << "aktuell\t15.05.2015\n"
                             << "";
    QTest::newRow("Server aus") << "aus" << QByteArray() << 1 << ""
                                << "Der Update-Server ist nicht erreichbar: Der Server nimmt keine Verbindung an.";
    QTest::newRow("kein Server eingetragen") << "" << QByteArray() << 1 << ""
                                             << "Es ist kein Update-Server eingetragen.";
}

void VersionPruefenBefehlTest::ausgabe()
{
    QFETCH(QString, adresse);
    QFETCH(QByteArray, inhalt);
    QFETCH(int, code);
    QFETCH(QString, aus);
    QFETCH(QString, fehler);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    updateAnfrage() = UpdateAnfrage {};
    if (inhalt.isEmpty())
        server->DateiLoeschen(QStringLiteral("Versionen.txt"));
    else
        server->DateiSchreiben(QStringLiteral("Versionen.txt"), inhalt);
    const QString url = adresse == QLatin1String("aus")
        ? QStringLiteral("http://127.0.0.1:%1/Versionen.txt").arg(test::FreierPort())
        : adresse.isEmpty() ? QString()
                            : server->Adresse(adresse);
    QVERIFY(INISpeichern(QStringLiteral("Update"), QStringLiteral("Adresse"), url));
    // Searched today already: the command runs all the same.
    QVERIFY(INISpeichern(QStringLiteral("Programm"), QStringLiteral("LetzteUpdateSuche"), QStringLiteral("46360")));

    const test::Lauf l = test::Kelvora({ "version-pruefen", "--datenordner", ordner.Pfad() });
    QCOMPARE(l.code, code);
    QCOMPARE(l.aus, aus);
    QVERIFY2(fehler.isEmpty() ? l.fehler.isEmpty() : l.fehler.startsWith(fehler), qPrintable(l.fehler));
    // Nothing was asked on the screen.
    QVERIFY(ui.meldungen.isEmpty());
    updateAnfrage() = UpdateAnfrage {};
}

KELVORA_TEST(VersionPruefenBefehlTest)
#include "tst_VersionPruefenBefehl.moc"
