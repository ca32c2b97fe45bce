#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "app/ui/HauptFenster.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Programm.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace kelvora;

class HauptFensterTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void titelUndAufrufzaehler();
    void statuszeileMitTimer();
    void menueSchalterSpeichern();
    void beendenSpeichertPosition();

private:
    test::TestOberflaeche* ui = nullptr;
    test::TestDatenordner* ordner = nullptr;
    HauptFenster* haupt = nullptr;
};

void HauptFensterTest::init()
{
    ui = new test::TestOberflaeche;
    ordner = new test::TestDatenordner;
    haupt = new HauptFenster;
    haupt->Laden();
    haupt->show();
}

void HauptFensterTest::cleanup()
{
    delete haupt;
    delete ordner;
    delete ui;
}

void HauptFensterTest::titelUndAufrufzaehler()
{
    QCOMPARE(haupt->windowTitle(), QStringLiteral("Kelvora     Version 15.05.2015"));
    QCOMPARE(INILesen("HauptFenster", "AufrufZähler"), QStringLiteral("1"));
    // The first start takes the whole screen; a stored place (in twips) is
    // kept after that.
    QVERIFY(haupt->windowState() & Qt::WindowMaximized);
    QVERIFY(INISpeichernMehrere("HauptFenster", {{"Breit", "13500"}, {"Links", "30"}, {"Oben", "45"}}, true));
    HauptFenster zweiter;
    zweiter.Laden();
    QVERIFY(!(zweiter.windowState() & Qt::WindowMaximized));
    QCOMPARE(zweiter.pos(), QPoint(2, 3));
}

void HauptFensterTest::statuszeileMitTimer()
{
    auto* zeile = haupt->findChild<QLabel*>("lblMeldungen");
    auto* timer = haupt->findChild<QTimer*>("tmrMeldungAusblenden");
    QVERIFY(zeile && timer);
    QVERIFY(!zeile->isVisible());

    haupt->MeldungZeigen(255, QStringLiteral("Speichern fehlgeschlagen"), 3, false);
    QVERIFY(zeile->isVisible());
    QCOMPARE(zeile->text(), QStringLiteral(" Speichern fehlgeschlagen "));
    QCOMPARE(zeile->palette().color(QPalette::Window), QColor(255, 0, 0));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 3000);

    QMetaObject::invokeMethod(timer, "timeout");
    QVERIFY(!zeile->isVisible());
    QVERIFY(!timer->isActive());

    haupt->MeldungZeigen(65280, QStringLiteral("versteckt"), 5, true);
    QVERIFY(!zeile->isVisible());
}

// The menu items are wired to the stored settings; the rules themselves are
// tested without a window.
void HauptFensterTest::menueSchalterSpeichern()
{
    QAction* monatlich = haupt->Aktion("SichernMonatlich");
    QAction* woechentlich = haupt->Aktion("SichernWöchentlich");
    QAction* taeglich = haupt->Aktion("SichernTäglich");
    QVERIFY(monatlich->isChecked());
    taeglich->trigger();
    taeglich->trigger();  // the checked item falls back to weekly
    QVERIFY(woechentlich->isChecked() && !taeglich->isChecked() && !monatlich->isChecked());
    QCOMPARE(INILesen("Sichern", "Intervall"), QStringLiteral("1"));
    haupt->Aktion("SoundAnwenden")->trigger();
    QCOMPARE(INILesen("Sound", "SoundAnwenden"), QStringLiteral("1"));
    haupt->Aktion("SoundAnwenden")->trigger();
    QCOMPARE(INILesen("Sound", "SoundAnwenden"), QStringLiteral("0"));
}

void HauptFensterTest::beendenSpeichertPosition()
{
    haupt->move(30, 40);
    haupt->resize(900, 700);
    haupt->Aktion("ProgrammEnde")->trigger();
    QCOMPARE(INILesen("HauptFenster", "Breit"), QStringLiteral("13500"));
    QCOMPARE(INILesen("HauptFenster", "Hoch"), QStringLiteral("10500"));
    QVERIFY(programm().programmEndet);
    programm().programmEndet = false;
}

KELVORA_TEST(HauptFensterTest)
#include "tst_HauptFenster.moc"
