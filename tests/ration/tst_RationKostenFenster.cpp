#include "RationFensterHilfe.h"
#include "TestRegister.h"
#include "grundlagen/Formate.h"
#include "frame/FunktionenFuerINI.h"
#include "ration/RationTiereingaben.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// The ration window's milk price, cost figures and the least-cost command.
class RationKostenFensterTest : public RationFensterBasis {
    Q_OBJECT
private slots:
    void optimierenUndKosten();
    void milchpreisPruefen();
};

void RationKostenFensterTest::optimierenUndKosten()
{
    // Silage and barley with every value the limits need and a price.
    const QString werte = QStringLiteral("UPDATE Futtermittel SET XP_gTM = ?, NEL_MJTM = ?, Ca_gTM = ?, P_gTM = ?, "
                                         "NDF_gTM = ?, ADF_gTM = ?, NFC_gTM = ?, Preis = ? WHERE ID = ?");
    QVERIFY(Ausfuehren(werte, {160, 6.5, 9, 4, 450, 280, 240, 8, qlonglong(Silage)}));
    QVERIFY(Ausfuehren(werte, {120, 8.5, 1, 4, 200, 60, 600, 22, qlonglong(Getreide)}));
    ZeileAnlegen(Silage, 0, 60, 0);
    ZeileAnlegen(Getreide, 0, 40, 0);
    INISpeichern(RationFensterName(), QStringLiteral("Milch"), QStringLiteral("20,0"));
    INISpeichern(RationFensterName(), QStringLiteral("Milchpreis"), QStringLiteral("0,40"));
    QVERIFY(u->Oeffnen());
    QCOMPARE(u->Label("lblFutterkostenAnzeige")->text(), QStringLiteral("0,00"));

    u->Knopf("cmdOptimieren")->click();
    QVERIFY2(u->ui.meldungen.isEmpty(), qPrintable(u->ui.Texte().join('\n')));
    const RationZeile silage = ZeileZu(Silage);
    const RationZeile gerste = ZeileZu(Getreide);
    QVERIFY(silage.frischMenge > 0 && gerste.frischMenge > 0);
    // The window evaluated the new amounts: list and costs show them.
    const double kosten = silage.frischMenge * 0.08 + gerste.frischMenge * 0.22;
    QCOMPARE(u->Label("lblFutterkostenAnzeige")->text(), Formatieren(kosten, QStringLiteral("#,##0.00")));
    QCOMPARE(u->Label("lblEinkommenAnzeige")->text(), Formatieren(20 * 0.40 - kosten, QStringLiteral("#,##0.00")));
    QVERIFY(u->Label("lblFutterkostenAnzeige")->toolTip().isEmpty());

    // A fixed feed without price makes the costs incomplete and is named.
    ZeileAnlegen(Schrot, 0.5, 0, 1);
    u->Knopf("cmdNeuBerechnen")->click();
    QCOMPARE(u->Label("lblFutterkostenAnzeige")->text(), QStringLiteral("unvollständig"));
    QVERIFY(u->Label("lblFutterkostenAnzeige")->toolTip().contains(QStringLiteral("Testschrot")));
}

void RationKostenFensterTest::milchpreisPruefen()
{
    QVERIFY(u->Oeffnen());
    QLineEdit* preis = u->Feld("txtMilchpreis");
    QCOMPARE(preis->text(), QStringLiteral("0,45"));
    Tippen(preis, QStringLiteral("11"));  // above 10 € per kg
    QTest::keyClick(preis, Qt::Key_Return);
    QCOMPARE(u->ui.meldungen.size(), 1);
    QVERIFY(u->ui.meldungen[0].text.contains(QStringLiteral("Milchpreis €/kg")));

    Tippen(preis, QStringLiteral("0,52"));
    QTest::keyClick(preis, Qt::Key_Return);
    QCOMPARE(u->ui.meldungen.size(), 1);
    // Milk 40 kg (the default) of an empty ration at 0,52 €.
    QCOMPARE(u->Label("lblEinkommenAnzeige")->text(), QStringLiteral("20,80"));
    u->fenster->parentWidget()->close();
    QCOMPARE(INILesen(RationFensterName(), QStringLiteral("Milchpreis"), QString()), QStringLiteral("0,52"));
}

KELVORA_TEST(RationKostenFensterTest)
#include "tst_RationKostenFenster.moc"
