#include "RationFensterHilfe.h"
#include "TestRegister.h"
#include "app/ui/HauptFenster.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Programm.h"
#include "grundlagen/Formate.h"
#include "ration/RationTiereingaben.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// The ration window: its list, drops, the list keys, the animal inputs, the
// least-cost command and its life cycle.
class RationFensterTest : public RationFensterBasis {
    Q_OBJECT
private slots:
    void fallenNeuesFutter_data();
    void fallenNeuesFutter();
    void zeileOeffnenUndEsc();
    void tiereingabenUndSchliessen();
    void kopierenInAusDerListe_data();
    void kopierenInAusDerListe();
    void ueberlaufLaesstZeileErreichbar();
    void optimierenUndKosten();
    void milchpreis();
};

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
    if (!ja)
        return;
    QCOMPARE(zeilen[0].futterID, Getreide);
    QCOMPARE(zeilen[0].frischMenge, 0.0);
    QCOMPARE(zeilen[0].fixeMenge, 1);
    // The box has the focus with its text selected: what is typed replaces it.
    QLineEdit* frisch = u->Feld("txtFrischmasse");
    QCOMPARE(u->fenster->focusWidget(), frisch);
    QCOMPARE(frisch->selectedText(), QStringLiteral("0,00"));
    QTest::keyClicks(frisch, QStringLiteral("20"));
    QTest::keyClick(frisch, Qt::Key_Return);
    QCOMPARE(ZeileZu(Getreide).frischMenge, 20.0);
}

void RationFensterTest::zeileOeffnenUndEsc()
{
    ZeileAnlegen(Silage, 7.25, 0, 1);
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
    QVERIFY(!liste->isEnabled() && !u->Knopf("cmdNeuBerechnen")->isEnabled());

    QTest::keyClick(u->Feld("txtFrischmasse"), Qt::Key_Escape);
    QVERIFY(!u->EditorOffen());
    QVERIFY(u->Feld("txtFrischmasse")->text().isEmpty());
    QVERIFY(u->Label("lblFutterIDAnzeige")->text().isEmpty());
    QVERIFY(liste->isEnabled());
    QCOMPARE(ZeileZu(Getreide).frischMenge, 2.0);

    // A feed dropped that is in the ration already opens its row without a question.
    Fallen(liste->viewport(), Silage);
    QVERIFY(u->ui.meldungen.isEmpty());
    QCOMPARE(Zeilen().size(), 2);
    QCOMPARE(u->Label("lblFutterIDAnzeige")->text(), QString::number(Silage));
    QCOMPARE(u->Feld("txtFrischmasse")->text(), QStringLiteral("7,25"));
    QCOMPARE(u->Feld("txtTrockenmasse")->text(), QStringLiteral("2,54"));
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
    QCOMPARE(INILesen("OffeneFenster", "RationTierErstellenFenster"), QStringLiteral("0"));
}

void RationFensterTest::kopierenInAusDerListe_data()
{
    QTest::addColumn<QString>("eintrag");
    QTest::newRow("Bearbeiten") << "KopierenInBearbeiten";
    QTest::newRow("Löschen") << "KopierenInLöschen";
}

void RationFensterTest::kopierenInAusDerListe()
{
    QFETCH(QString, eintrag);
    ZeileAnlegen(Silage, 10, 0, 1);
    ZeileAnlegen(Getreide, 2, 0, 1);
    QVERIFY(u->Oeffnen());
    QTreeWidget* liste = u->Liste();
    liste->clearSelection();
    liste->topLevelItem(1)->setSelected(true);
    if (eintrag == QStringLiteral("KopierenInLöschen"))
        u->ui.Antworten(Antwort::Ja);
    // The pop-up runs its own loop; the choice is made from inside it.
    QAction* aktion = u->haupt->Aktion(eintrag);
    QVERIFY(aktion);
    QTimer::singleShot(0, aktion, [aktion] {
        QVERIFY(aktion->isEnabled());
        aktion->trigger();
        if (auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            menue->close();
    });
    QContextMenuEvent klick(QContextMenuEvent::Mouse, liste->visualItemRect(liste->topLevelItem(1)).center(),
                            liste->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(liste, &klick);

    if (eintrag == QStringLiteral("KopierenInBearbeiten")) {
        QWidget* editor = u->haupt->OffenesFenster(QStringLiteral("StammdatenFenster2"));
        QVERIFY(editor);
        QCOMPARE(editor->findChild<QLineEdit*>("txtBezeichnung")->text(), QStringLiteral("Testgerste"));
    } else {
        QCOMPARE(u->ui.meldungen.size(), 1);
        QCOMPARE(Zeilen().size(), 1);
        QCOMPARE(Zeilen()[0].futterID, Silage);
    }
    QCOMPARE(programm().ZiehFutterID, 0L);
}

void RationFensterTest::ueberlaufLaesstZeileErreichbar()
{
    ZeileAnlegen(Silage, 10, 0, 1);
    ZeileAnlegen(Getreide, 99999999999.0, 0, 1);
    ZeileAnlegen(Schrot, 2, 0, 1);
    QVERIFY(u->Oeffnen());
    QCOMPARE(u->ui.meldungen.size(), 1);
    QTreeWidget* liste = u->Liste();
    QCOMPARE(liste->topLevelItemCount(), 3);
    // The failing row is marked and opens for correction.
    liste->clearSelection();
    liste->topLevelItem(1)->setSelected(true);
    QTest::keyClick(liste, Qt::Key_Return);
    QVERIFY(u->EditorOffen());
    QLineEdit* frisch = u->Feld("txtFrischmasse");
    QCOMPARE(u->fenster->focusWidget(), frisch);
    QTest::keyClicks(frisch, QStringLiteral("3"));
    QTest::keyClick(frisch, Qt::Key_Return);
    QCOMPARE(ZeileZu(Getreide).frischMenge, 3.0);
    QCOMPARE(u->ui.meldungen.size(), 1);
    QVERIFY(liste->topLevelItemCount() > 3);
}

void RationFensterTest::optimierenUndKosten()
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

    u->Knopf("cmdOptimieren")->click();
    QVERIFY2(u->ui.meldungen.isEmpty(), qPrintable(u->ui.Texte().join('\n')));
    // The window evaluated the new amounts: the costs show them.
    const double kosten = ZeileZu(Silage).frischMenge * 0.08 + ZeileZu(Getreide).frischMenge * 0.22;
    QVERIFY(kosten > 0);
    QCOMPARE(u->Label("lblFutterkostenAnzeige")->text(), Formatieren(kosten, QStringLiteral("#,##0.00")));
    QCOMPARE(u->Label("lblEinkommenAnzeige")->text(), Formatieren(20 * 0.40 - kosten, QStringLiteral("#,##0.00")));
}

void RationFensterTest::milchpreis()
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

KELVORA_TEST(RationFensterTest)
#include "tst_RationFenster.moc"
