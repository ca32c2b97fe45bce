#include "HttpTestServer.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "app/ui/HauptFenster.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Hauptmenue.h"
#include "frame/Programm.h"
#include "internet/UpdateSuchen.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kelvora;

Q_DECLARE_METATYPE(kelvora::Antwort)

class InformationsfensterTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void identitaetNachNeustart();
    void ungespeichertSchliessen_data();
    void ungespeichertSchliessen();
    void versionPruefenBisZurInstallation();

private:
    QWidget* SupportFenster();
    test::TestOberflaeche* ui = nullptr;
    test::TestDatenordner* ordner = nullptr;
    HauptFenster* haupt = nullptr;
};

void InformationsfensterTest::init()
{
    ui = new test::TestOberflaeche;
    ordner = new test::TestDatenordner;
    // Past the guide's first twenty starts.
    INISpeichern(QStringLiteral("HauptFenster"), QStringLiteral("AufrufZähler"), QStringLiteral("30"));
    updateAnfrage() = UpdateAnfrage {};
    haupt = new HauptFenster;
    haupt->Laden();
    haupt->show();
}

void InformationsfensterTest::cleanup()
{
    delete haupt;
    updateAnfrage() = UpdateAnfrage {};
    delete ordner;
    delete ui;
}

QWidget* InformationsfensterTest::SupportFenster()
{
    QAction* menue = haupt->Aktion(QStringLiteral("HilfeProgA"));
    if (!menue || !menue->isEnabled())
        return nullptr;
    menue->trigger();
    return haupt->OffenesFenster(QStringLiteral("Informationsfenster"));
}

void InformationsfensterTest::identitaetNachNeustart()
{
    QWidget* w = SupportFenster();
    QVERIFY(w);
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("lblDatenordner"))->text(), QDir::toNativeSeparators(ordner->Pfad()));
    QTest::keyClicks(w->findChild<QLineEdit*>(QStringLiteral("txtName")), QStringLiteral("Hof Lindner"));
    QTest::keyClicks(w->findChild<QLineEdit*>(QStringLiteral("txtAdresse")), QStringLiteral("Dorfweg 1, 87654 Au"));
    w->findChild<QPushButton*>(QStringLiteral("cmdSpeichern"))->click();
    QCOMPARE(ui->statuszeilen.last().farbe, qint64(Farbe::Gruen));

    delete haupt;
    programm().E1.clear();
    programm().E2.clear();
    haupt = new HauptFenster;
    haupt->Laden();
    QCOMPARE(programm().E1, QStringLiteral("Hof Lindner"));
    QCOMPARE(programm().E2, QStringLiteral("Dorfweg 1, 87654 Au"));
    QCOMPARE(INILesen(QStringLiteral("Informationsfenster"), QStringLiteral("AufrufZähler")), QStringLiteral("1"));
    QVERIFY(ui->meldungen.isEmpty());
}

void InformationsfensterTest::ungespeichertSchliessen_data()
{
    QTest::addColumn<Antwort>("antwort");
    QTest::addColumn<QString>("gespeichert");
    QTest::addColumn<bool>("offen");
    QTest::newRow("Ja speichert") << Antwort::Ja << "Hof Lindner" << false;
    QTest::newRow("Nein verwirft") << Antwort::Nein << "" << false;
    QTest::newRow("Abbrechen bleibt offen") << Antwort::Abbrechen << "" << true;
}

void InformationsfensterTest::ungespeichertSchliessen()
{
    QFETCH(Antwort, antwort);
    QFETCH(QString, gespeichert);
    QFETCH(bool, offen);
    QWidget* w = SupportFenster();
    QVERIFY(w);
    QTest::keyClicks(w->findChild<QLineEdit*>(QStringLiteral("txtName")), QStringLiteral("Hof Lindner"));
    ui->Antworten(antwort);
    w->findChild<QPushButton*>(QStringLiteral("cmdSchliessen"))->click();
    QCOMPARE(ui->meldungen.size(), 1);
    QCOMPARE(INILesen(QStringLiteral("Programm"), QStringLiteral("E1")), gespeichert);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(haupt->OffenesFenster(QStringLiteral("Informationsfenster")) != nullptr, offen);
}

void InformationsfensterTest::versionPruefenBisZurInstallation()
{
    test::HttpTestServer server;
    QVERIFY(server.Laeuft());
    server.DateiSchreiben(QStringLiteral("Versionen.txt"), "Kelvora=2015-06-01\r\n");
    INISpeichern(QStringLiteral("Update"), QStringLiteral("Adresse"), server.Adresse(QStringLiteral("Versionen.txt")));
    INISpeichern(QStringLiteral("Programm"), QStringLiteral("LetzteUpdateSuche"), QStringLiteral("46360"));

    QWidget* w = SupportFenster();
    QVERIFY(w);
    w->findChild<QPushButton*>(QStringLiteral("cmdVersionPruefen"))->click();
    QCOMPARE(INILesen(QStringLiteral("Programm"), QStringLiteral("LetzteUpdateSuche"), QStringLiteral("-")), QString());
    QVERIFY(ordner->Zeilen(QStringLiteral("26_12_04.txt"))
                .contains(QStringLiteral("E 10:00:00  tmrUpdateFinden wird aktiviert in cmdVersionPruefen_Click")));
    auto* timer = haupt->findChild<QTimer*>(QStringLiteral("tmrUpdateFinden"));
    QVERIFY(timer->isActive());
    QCOMPARE(ui->sanduhrTiefe, 1);

    // The tick, without waiting for the real second.
    ui->Antworten(Antwort::Ja);
    QMetaObject::invokeMethod(timer, "timeout");
    QVERIFY(!timer->isActive());
    QCOMPARE(ui->sanduhrTiefe, 0);
    QCOMPARE(ui->Texte(), QStringList { QStringLiteral("Soll die neue Version jetzt installiert werden?") });
    QVERIFY(haupt->Aktion(QStringLiteral("NeueVersionHM"))->isVisible());
    QCOMPARE(haupt->Aktion(QStringLiteral("NeueVersionInstallationA"))->text(), QStringLiteral("01.06.15"));

    QWidget* installation = haupt->OffenesFenster(QStringLiteral("UpdateInstallationsFenster"));
    QVERIFY(installation);
    QCOMPARE(installation->findChild<QLabel*>(QStringLiteral("lblImInternet"))->text(),
        QStringLiteral("Version im Internet: 01.06.2015"));
    installation->findChild<QPushButton*>(QStringLiteral("cmdDownloadseite"))->click();
    QCOMPARE(ui->geoeffneteAdressen, QStringList { server.Adresse(QString()) });
    QVERIFY(updateAnfrage().installationsFensterOffen);
}

KELVORA_TEST(InformationsfensterTest)
#include "tst_Informationsfenster.moc"
