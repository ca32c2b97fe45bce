#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "app/ui/HauptFenster.h"
#include "frame/FunktionenFuerINI.h"

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
    void knoepfeOeffnen_data();
    void knoepfeOeffnen();
    void ablegenUndSchliessen();
    void nurInDenErstenZwanzigStarts_data();
    void nurInDenErstenZwanzigStarts();

private:
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
    haupt->Laden(); // the first start opens the guide
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

void WieFangeIchAnTest::knoepfeOeffnen_data()
{
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<QString>("fokus"); // empty: wherever the window puts it
    QTest::newRow("1. Daten eingeben") << "Command1" << "RationTierErstellenFenster" << "Gewicht";
    QTest::newRow("2. Liste") << "Command2" << "wdwFuttermittel" << "";
    QTest::newRow("2. Neues Futtermittel") << "Command5" << "StammdatenFenster2" << "AlleFelderLöschen";
    QTest::newRow("3. grünes Fenster") << "Command3" << "wdwFuttermittel" << "";
    QTest::newRow("3. blaues Fenster") << "Command4" << "RationTierErstellenFenster" << "";
    QTest::newRow("4. nach Trockenmasse") << "Command7" << "RationTierErstellenFenster" << "";
    QTest::newRow("5. Ergebnis") << "Command6" << "ErgebnisFenster" << "";
}

// Each button brings its window to the front; pressed twice, it still opens
// only one.
void WieFangeIchAnTest::knoepfeOeffnen()
{
    QFETCH(QString, knopf);
    QFETCH(QString, fenster);
    QFETCH(QString, fokus);
    auto* k = fuehrer->findChild<QPushButton*>(knopf);
    k->click();
    k->click();
    QCOMPARE(haupt->Arbeitsbereich()->findChildren<QWidget*>(fenster).size(), 1);
    QWidget* w = haupt->Arbeitsbereich()->activeSubWindow()->widget();
    QCOMPARE(w->objectName(), fenster);
    if (!fokus.isEmpty())
        QCOMPARE(w->focusWidget(), w->findChild<QWidget*>(fokus));
}

// A drop into another window calls the guide back from its minimised state;
// closed by the user, it is noted as no longer open.
void WieFangeIchAnTest::ablegenUndSchliessen()
{
    QMdiSubWindow* u = haupt->Arbeitsbereich()->subWindowList().first();
    QCOMPARE(u->widget(), fuehrer);
    u->showMinimized();
    fuehrer->findChild<QPushButton*>("DropEreignisAufrufen")->click();
    QVERIFY(!u->isMinimized());
    u->close();
    QCOMPARE(INILesen("OffeneFenster", "WieFangeIchAnFenster"), QStringLiteral("0"));
}

void WieFangeIchAnTest::nurInDenErstenZwanzigStarts_data()
{
    QTest::addColumn<int>("bisher");
    QTest::addColumn<bool>("offen");
    QTest::newRow("20. Start") << 19 << true;
    QTest::newRow("21. Start") << 20 << false;
}

void WieFangeIchAnTest::nurInDenErstenZwanzigStarts()
{
    QFETCH(int, bisher);
    QFETCH(bool, offen);
    INISpeichern("HauptFenster", "AufrufZähler", QString::number(bisher), true);
    HauptFenster zweites;
    zweites.Laden();
    QCOMPARE(zweites.OffenesFenster("WieFangeIchAnFenster") != nullptr, offen);
}

KELVORA_TEST(WieFangeIchAnTest)
#include "tst_WieFangeIchAn.moc"
