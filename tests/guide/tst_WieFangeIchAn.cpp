#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "app/ui/HauptFenster.h"
#include "frame/FunktionenFuerINI.h"

#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

using namespace kelvora;

class WieFangeIchAnTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void beschriftungen_data();
    void beschriftungen();
    void listeNurEinmal();
    void ablegenZeigtNormal();
    void schliessenMerktOffeneFenster();
    void nurInDenErstenZwanzigStarts_data();
    void nurInDenErstenZwanzigStarts();

private:
    int Anzahl(const QString& name) const;
    test::TestOberflaeche* ui = nullptr;
    test::TestDatenordner* ordner = nullptr;
    HauptFenster* haupt = nullptr;
    QWidget* fuehrer = nullptr;
};

void WieFangeIchAnTest::init()
{
    ui = new test::TestOberflaeche;
    ordner = new test::TestDatenordner;
    QVERIFY(!test::TestDatenbankAnlegen().isEmpty());
    haupt = new HauptFenster;
    haupt->Laden();  // the first start opens the guide
    haupt->show();
    fuehrer = haupt->OffenesFenster("WieFangeIchAnFenster");
    QVERIFY(fuehrer);
}

void WieFangeIchAnTest::cleanup()
{
    delete haupt;
    delete ordner;
    delete ui;
}

int WieFangeIchAnTest::Anzahl(const QString& name) const
{
    int n = 0;
    for (QMdiSubWindow* u : haupt->Arbeitsbereich()->subWindowList())
        n += u->widget() && u->widget()->objectName() == name;
    return n;
}

void WieFangeIchAnTest::beschriftungen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("frm1") << "frm1" << "1. Kuh beschreiben (Gewicht, Milch, Fettgehalt)";
    QTest::newRow("frm3") << "frm3" << "3. Futtermittel herüberziehen";
    QTest::newRow("frm4") << "frm4" << "4. Ausgleichen nach NDF oder nach Trockenmasse";
    QTest::newRow("Command2") << "Command2" << "Liste aller bisher eingegebenen Futtermittel";
    QTest::newRow("Command4") << "Command4" << "blaues Fenster";
    QTest::newRow("Command6") << "Command6" << "Gegenüberstellung der Ergebnisse";
    QTest::newRow("lbl1") << "lbl1"
                          << "Jetzt die Futtermittel der Reihe nach mit der linken Maustaste aus der Liste (grünes "
                             "Fenster) in das Fenster zu Kelvora (blaues Fenster) ziehen.";
}

void WieFangeIchAnTest::beschriftungen()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QCOMPARE(fuehrer->windowTitle(), QStringLiteral("Wie fange ich an  - Die wichtigsten Funktionen"));
    QWidget* w = fuehrer->findChild<QWidget*>(name);
    QVERIFY(w);
    if (auto* r = qobject_cast<QGroupBox*>(w))
        QCOMPARE(r->title(), text);
    else if (auto* k = qobject_cast<QPushButton*>(w))
        QCOMPARE(k->text(), text);
    else
        QCOMPARE(qobject_cast<QLabel*>(w)->text(), text);
}

void WieFangeIchAnTest::listeNurEinmal()
{
    fuehrer->findChild<QPushButton*>("Command2")->click();
    fuehrer->findChild<QPushButton*>("Command3")->click();
    QCOMPARE(Anzahl("wdwFuttermittel"), 1);
    QCOMPARE(haupt->Arbeitsbereich()->activeSubWindow()->widget()->objectName(), QStringLiteral("wdwFuttermittel"));
}

void WieFangeIchAnTest::ablegenZeigtNormal()
{
    QMdiSubWindow* u = haupt->Arbeitsbereich()->subWindowList().first();
    QCOMPARE(u->widget(), fuehrer);
    u->showMinimized();
    QVERIFY(u->isMinimized());
    fuehrer->findChild<QPushButton*>("DropEreignisAufrufen")->click();
    QVERIFY(!u->isMinimized());
}

void WieFangeIchAnTest::schliessenMerktOffeneFenster()
{
    haupt->Arbeitsbereich()->subWindowList().first()->close();
    QCOMPARE(INILesen("OffeneFenster", "WieFangeIchAnFenster"), QStringLiteral("0"));
    QVERIFY(ordner->Zeilen("26_12_04.txt")
                .contains("E 10:00:00  WieFangeIchAnFenster wurde geschlossen und die Position gespeichert."));
}

void WieFangeIchAnTest::nurInDenErstenZwanzigStarts_data()
{
    QTest::addColumn<int>("bisher");
    QTest::addColumn<int>("offen");
    QTest::newRow("20. Start") << 19 << 1;
    QTest::newRow("21. Start") << 20 << 0;
}

void WieFangeIchAnTest::nurInDenErstenZwanzigStarts()
{
    QFETCH(int, bisher);
    QFETCH(int, offen);
    INISpeichern("HauptFenster", "AufrufZähler", QString::number(bisher), true);
    HauptFenster zweites;
    zweites.Laden();
    QCOMPARE(INILesen("HauptFenster", "AufrufZähler"), QString::number(bisher + 1));
    QCOMPARE(zweites.OffenesFenster("WieFangeIchAnFenster") != nullptr, offen == 1);
}

KELVORA_TEST(WieFangeIchAnTest)
#include "tst_WieFangeIchAn.moc"
