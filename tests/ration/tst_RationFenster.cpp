#include "RationFensterHilfe.h"
#include "TestRegister.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Programm.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// The ration window: its list, drops, the list keys, the animal inputs and its life cycle.
class RationFensterTest : public RationFensterBasis {
    Q_OBJECT
private slots:
    void fallenVorhandenesFutter();
    void fallenNeuesFutter_data();
    void fallenNeuesFutter();
    void ausListeOeffnenUndEsc();
    void tiereingabenUndSchliessen();
};

void RationFensterTest::fallenVorhandenesFutter()
{
    ZeileAnlegen(Silage, 7.25, 0, 1);
    QVERIFY(u->Oeffnen());
    Fallen(u->Liste()->viewport(), Silage);
    // No question: the row that is there opens, nothing is added.
    QVERIFY(u->ui.meldungen.isEmpty());
    QCOMPARE(Zeilen().size(), 1);
    QVERIFY(u->EditorOffen());
    QCOMPARE(u->Label("lblFutterIDAnzeige")->text(), QString::number(Silage));
    QCOMPARE(u->Feld("txtFrischmasse")->text(), QStringLiteral("7,25"));
    QCOMPARE(u->Feld("txtTrockenmasse")->text(), QStringLiteral("2,54"));
    QVERIFY(!u->Liste()->isEnabled());
    QVERIFY(!u->Knopf("cmdNeuBerechnen")->isEnabled());
}

void RationFensterTest::fallenNeuesFutter_data()
{
    QTest::addColumn<bool>("ja");
    QTest::newRow("Ja") << true;
    QTest::newRow("Nein") << false;
}

void RationFensterTest::fallenNeuesFutter()
{
    QFETCH(bool, ja);
    QVERIFY(u->Oeffnen());
    // A drop without a dragged feed asks nothing.
    programm().ZiehFutterID = 0;
    u->Knopf("DropEreignisAufrufen")->click();
    QVERIFY(u->ui.meldungen.isEmpty());

    u->ui.Antworten(ja ? Antwort::Ja : Antwort::Nein);
    Fallen(u->fenster, Getreide);
    QCOMPARE(u->ui.Texte(),
             QStringList{"Soll das Futtermittel Nr. 9102 (Testgerste) der Ration hinzugefügt werden?"});
    QCOMPARE(u->ui.meldungen[0].standard, Antwort::Ja);
    QCOMPARE(u->EditorOffen(), ja);
    const QList<RationZeile> zeilen = Zeilen();
    QCOMPARE(zeilen.size(), ja ? 1 : 0);
    if (ja) {
        QCOMPARE(zeilen[0].futterID, Getreide);
        QCOMPARE(zeilen[0].frischMenge, 0.0);
        QCOMPARE(zeilen[0].fixeMenge, 1);
        QCOMPARE(u->Feld("txtFrischmasse")->text(), QStringLiteral("0,00"));
    }
}

void RationFensterTest::ausListeOeffnenUndEsc()
{
    ZeileAnlegen(Silage, 3, 0, 1);
    ZeileAnlegen(Getreide, 2, 0, 1);
    QVERIFY(u->Oeffnen());
    QTreeWidget* liste = u->Liste();
    // A summary line has no row, and two marked lines are no choice: Enter does nothing.
    liste->topLevelItem(3)->setSelected(true);
    QTest::keyClick(liste, Qt::Key_Return);
    QVERIFY(!u->EditorOffen());
    liste->topLevelItem(0)->setSelected(true);
    QTest::keyClick(liste, Qt::Key_Return);
    QVERIFY(!u->EditorOffen());

    liste->clearSelection();
    liste->topLevelItem(1)->setSelected(true);
    QTest::keyClick(liste, Qt::Key_Return);
    QVERIFY(u->EditorOffen());
    QCOMPARE(u->Label("lblFutterIDAnzeige")->text(), QString::number(Getreide));
    QCOMPARE(u->Feld("txtFrischmasse")->text(), QStringLiteral("2,00"));

    QTest::keyClick(u->Feld("txtFrischmasse"), Qt::Key_Escape);
    QVERIFY(!u->EditorOffen());
    QVERIFY(u->Feld("txtFrischmasse")->text().isEmpty());
    QVERIFY(u->Label("lblFutterIDAnzeige")->text().isEmpty());
    QVERIFY(liste->isEnabled());
    QCOMPARE(ZeileZu(Getreide).frischMenge, 2.0);
}

void RationFensterTest::tiereingabenUndSchliessen()
{
    INISpeichern("RationTierErstellenFenster", "Gewicht", "650");
    INISpeichern("RationTierErstellenFenster", "Milch", "28,5");
    QVERIFY(u->Oeffnen());
    auto* gewicht = u->fenster->findChild<QComboBox*>("Gewicht");
    QCOMPARE(gewicht->currentText(), QStringLiteral("600-650"));
    QCOMPARE(u->Feld("txtMilch")->text(), QStringLiteral("28,5"));
    QCOMPARE(u->Feld("txtFett")->text(), QStringLiteral("4,00"));

    gewicht->setCurrentIndex(6);
    u->Feld("txtFett")->setText(QStringLiteral("3,80"));
    QVERIFY(u->fenster->parentWidget()->close());
    QCOMPARE(INILesen("RationTierErstellenFenster", "Gewicht"), QStringLiteral("800"));
    QCOMPARE(INILesen("RationTierErstellenFenster", "Fett"), QStringLiteral("3,80"));
    QCOMPARE(INILesen("RationTierErstellenFenster", "Milch"), QStringLiteral("28,5"));
    QCOMPARE(INILesen("OffeneFenster", "RationTierErstellenFenster"), QStringLiteral("0"));
}

KELVORA_TEST(RationFensterTest)
#include "tst_RationFenster.moc"
