#include "RationFensterHilfe.h"
#include "feeds/ui/FutterListe.h"
#include "TestRegister.h"
#include "frame/FunktionenFuerINI.h"
#include "grundlagen/Formate.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>

using namespace kelvora;
using namespace kelvora::test;

// The ration window: drops, opening a row, the amount editor as the keyboard
// meets it, the animal inputs and the least-cost command. The steps, checks
// and offers themselves are tested on the logic; what the window shows after
// a run is compared with the evaluation in tst_AusgleichFenster.
class RationFensterTest : public RationFensterBasis {
    Q_OBJECT
private slots:
    void fallen();
    void zeileOeffnenUndEsc();
    void tastenImMengenEditor();
    void eingabeVerweigert();
    void tiereingaben();
    void optimierenUndKosten();
};

void RationFensterTest::fallen()
{
    QVERIFY(RationAnlegen({}, {{Silage, 7.25, 0, 1}}));
    QVERIFY(u->Oeffnen());
    const QString frage = QStringLiteral("Soll das Futtermittel Nr. 9102 (Testgerste) der Ration hinzugefügt werden?");
    // "No" to a new feed leaves the ration as it was.
    u->ui.Antworten(Antwort::Nein);
    Fallen(u->fenster, Getreide);
    QCOMPARE(u->ui.Texte(), QStringList{frage});
    QCOMPARE(u->ui.meldungen[0].standard, Antwort::Ja);
    QVERIFY(!u->EditorOffen());
    QCOMPARE(RationLesen().size(), 1);

    // "Yes" adds it as a fixed amount of 0 kg and opens the editor, whose box
    // has the focus with its text selected: what is typed replaces it.
    u->ui.Antworten(Antwort::Ja);
    Fallen(u->fenster, Getreide);
    QCOMPARE(u->ui.meldungen.size(), 2);
    QCOMPARE(ZeileZu(Getreide).fixeMenge, 1);
    QLineEdit* frisch = u->Feld("txtFrischmasse");
    QCOMPARE(u->fenster->focusWidget(), frisch);
    QCOMPARE(frisch->selectedText(), QStringLiteral("0,00"));
    QTest::keyClicks(frisch, QStringLiteral("20"));
    QTest::keyClick(frisch, Qt::Key_Return);
    QCOMPARE(ZeileZu(Getreide).frischMenge, 20.0);

    // A feed that is in the ration already opens its row without a question.
    Fallen(u->Liste()->viewport(), Silage);
    QCOMPARE(u->ui.meldungen.size(), 2);
    QCOMPARE(RationLesen().size(), 2);
    QCOMPARE(u->Label("lblFutterIDAnzeige")->text(), QString::number(Silage));
    QCOMPARE(u->Feld("txtTrockenmasse")->text(), QStringLiteral("2,54"));
}

void RationFensterTest::zeileOeffnenUndEsc()
{
    QVERIFY(RationAnlegen({}, {{Silage, 7.25, 0, 1}, {Getreide, 2, 0, 1}}));
    QVERIFY(u->Oeffnen());
    QTreeWidget* liste = u->Liste();
    liste->clearSelection();
    liste->topLevelItem(1)->setSelected(true);
    QTest::keyClick(liste, Qt::Key_Return);
    QVERIFY(u->EditorOffen());
    QCOMPARE(u->Label("lblFutterIDAnzeige")->text(), QString::number(Getreide));
    QCOMPARE(u->Feld("txtFrischmasse")->text(), QStringLiteral("2,00"));
    // While the editor is open nothing else changes the ration, not even the main window's menu.
    QVERIFY(!liste->isEnabled() && !u->Knopf("cmdNeuBerechnen")->isEnabled());
    QVERIFY(!u->Knopf("cmdRationLoeschen")->isEnabled() && !u->Knopf("cmdInVariableUmwandeln")->isEnabled());
    u->haupt->Aktion("KopInVariableMengenUmrechnen")->trigger();
    QVERIFY(u->ui.meldungen.isEmpty());
    QCOMPARE(ZeileZu(Getreide).fixeMenge, 1);

    // Esc closes it without taking anything over.
    Tippen(u->Feld("txtFrischmasse"), QStringLiteral("5"));
    QTest::keyClick(u->Feld("txtFrischmasse"), Qt::Key_Escape);
    QVERIFY(!u->EditorOffen());
    QVERIFY(u->Feld("txtFrischmasse")->text().isEmpty());
    QVERIFY(liste->isEnabled() && u->Knopf("cmdRationLoeschen")->isEnabled());
    QCOMPARE(ZeileZu(Getreide).frischMenge, 2.0);
}

void RationFensterTest::tastenImMengenEditor()
{
    QVERIFY(u->EditorMit(Silage, 0));
    QCOMPARE(u->Label("lblFuttermittelAnzeige")->text(), QStringLiteral("GRASSILAGE - Testsilage"));
    QLineEdit* frisch = u->Feld("txtFrischmasse");
    QLineEdit* trocken = u->Feld("txtTrockenmasse");
    QLineEdit* anteil = u->Feld("txtProzentAnteil");
    Tippen(trocken, QStringLiteral("3,5"));
    QCOMPARE(frisch->text(), QStringLiteral("10,00"));
    // Typing in kilograms marks a fixed amount and empties the share.
    QVERIFY(u->fenster->findChild<QCheckBox*>("FixeMenge")->isChecked());
    QVERIFY(anteil->text().isEmpty());

    // An arrow key steps the box it goes down in, which then converts.
    QTest::keyPress(trocken, Qt::Key_Up);
    QCOMPARE(trocken->text(), QStringLiteral("3,60"));
    QCOMPARE(frisch->text(), QStringLiteral("10,29"));
    QTest::keyRelease(trocken, Qt::Key_Up);

    // In the share box the key acts when released, and a share frees the feed.
    anteil->setText(QStringLiteral("95,00"));
    QTest::keyPress(anteil, Qt::Key_Up);
    QCOMPARE(anteil->text(), QStringLiteral("95,00"));
    QTest::keyRelease(anteil, Qt::Key_Up);
    QCOMPARE(anteil->text(), QStringLiteral("100,00"));
    QVERIFY(frisch->text().isEmpty() && trocken->text().isEmpty());
    QVERIFY(!u->fenster->findChild<QCheckBox*>("FixeMenge")->isChecked());

    // Enter takes the amount over and closes the editor.
    QTest::keyClick(anteil, Qt::Key_Return);
    QVERIFY(!u->EditorOffen() && u->Liste()->isEnabled());
    QCOMPARE(ZeileZu(Silage).prozentAnteil, 100.0);
    QCOMPARE(ZeileZu(Silage).frischMenge, 0.0);
    QCOMPARE(ZeileZu(Silage).fixeMenge, 0);
}

void RationFensterTest::eingabeVerweigert()
{
    QVERIFY(u->EditorMit(Silage, 5));
    QLineEdit* box = u->Feld("txtProzentAnteil");
    // The key filter lets neither letters nor a minus sign in.
    box->setFocus();
    box->selectAll();
    const QString vorher = box->text();
    QTest::keyClicks(box, QStringLiteral("ab-"));
    QCOMPARE(box->text(), vorher);

    // A refused amount is told; the editor stays open on the box and stores nothing.
    box->setText(QStringLiteral("100,5"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(u->ui.Texte(), QStringList{"Geben Sie eine Prozentzahl von maximal 100 ein!"});
    QCOMPARE(u->ui.meldungen[0].knoepfe, Knoepfe::OK);
    QVERIFY(u->EditorOffen());
    QCOMPARE(u->fenster->focusWidget(), box);
    QCOMPARE(ZeileZu(Silage).frischMenge, 5.0);
}

void RationFensterTest::tiereingaben()
{
    INISpeichern(RationFensterName(), QStringLiteral("Gewicht"), QStringLiteral("650"));
    QVERIFY(u->Oeffnen());
    auto* gewicht = u->fenster->findChild<QComboBox*>("Gewicht");
    QCOMPARE(gewicht->currentText(), QStringLiteral("600-650"));

    // A refused milk amount is told and the box gets its last good value back.
    QLineEdit* milch = u->Feld("txtMilch");
    Tippen(milch, QStringLiteral("150"));
    QTest::keyClick(milch, Qt::Key_Return);
    QCOMPARE(u->ui.Texte(), QStringList{"Der Wert bei Milch kg muss zwischen 0 und 100 kg liegen. Bitte korrigieren "
                                        "Sie die Eingabe."});
    QCOMPARE(milch->text(), QStringLiteral("40,0"));
    QCOMPARE(u->fenster->focusWidget(), milch);

    // So is a refused milk price; the Enter that closes the message is let
    // go in the box and must not bring the message back.
    QLineEdit* preis = u->Feld("txtMilchpreis");
    u->ui.meldungen.clear();
    Tippen(preis, QStringLiteral("99"));
    QTest::keyClick(preis, Qt::Key_Return);
    QTest::keyRelease(preis, Qt::Key_Return);
    QCOMPARE(u->ui.meldungen.size(), 1);
    QCOMPARE(preis->text(), QStringLiteral("0,45"));
    QCOMPARE(u->fenster->focusWidget(), preis);

    // Milk 40 kg (the default) of an empty ration at 0,52 €; the price is
    // kept at once, for the commands that read it.
    Tippen(preis, QStringLiteral("0,52"));
    QTest::keyClick(preis, Qt::Key_Return);
    QCOMPARE(u->Label("lblEinkommenAnzeige")->text(), QStringLiteral("20,80"));
    QCOMPARE(INILesen(RationFensterName(), QStringLiteral("Milchpreis")), QStringLiteral("0,52"));
    Tippen(milch, QStringLiteral("35"));
    QTest::keyClick(milch, Qt::Key_Return);
    QCOMPARE(INILesen(RationFensterName(), QStringLiteral("Milch")), QStringLiteral("35"));

    // Closing keeps the good inputs for the next start.
    gewicht->setCurrentIndex(6);
    Tippen(milch, QStringLiteral("150"));
    QVERIFY(u->fenster->parentWidget()->close());
    QCOMPARE(INILesen(RationFensterName(), QStringLiteral("Gewicht")), QStringLiteral("800"));
    QCOMPARE(INILesen(RationFensterName(), QStringLiteral("Milch")), QStringLiteral("35"));
    QCOMPARE(INILesen(RationFensterName(), QStringLiteral("Milchpreis")), QStringLiteral("0,52"));
    QCOMPARE(INILesen(QStringLiteral("OffeneFenster"), RationFensterName()), QStringLiteral("0"));
}

void RationFensterTest::optimierenUndKosten()
{
    // Silage and barley with every value the limits need and a price.
    const QString werte = QStringLiteral("UPDATE Futtermittel SET XP_gTM = ?, NEL_MJTM = ?, Ca_gTM = ?, P_gTM = ?, "
                                         "NDF_gTM = ?, ADF_gTM = ?, NFC_gTM = ?, Preis = ? WHERE ID = ?");
    QVERIFY(Ausfuehren(werte, {160, 6.5, 9, 4, 450, 280, 240, 8, qlonglong(Silage)}));
    QVERIFY(Ausfuehren(werte, {120, 8.5, 1, 4, 200, 60, 600, 22, qlonglong(Getreide)}));
    QVERIFY(RationAnlegen({}, {{Silage, 0, 60, 0}, {Getreide, 0, 40, 0}}));
    INISpeichern(RationFensterName(), QStringLiteral("Milch"), QStringLiteral("20,0"));
    INISpeichern(RationFensterName(), QStringLiteral("Milchpreis"), QStringLiteral("0,40"));
    QVERIFY(u->Oeffnen());

    u->Knopf("cmdOptimieren")->click();
    QVERIFY2(u->ui.meldungen.isEmpty(), qPrintable(u->ui.Texte().join('\n')));
    QVERIFY(!u->Label("lblOptimierungHinweis")->isHidden());
    // The window evaluated the new amounts: the costs show them.
    const double kosten = ZeileZu(Silage).frischMenge * 0.08 + ZeileZu(Getreide).frischMenge * 0.22;
    QVERIFY(kosten > 0);
    QCOMPARE(u->Label("lblFutterkostenAnzeige")->text(), Formatieren(kosten, QStringLiteral("#,##0.00")));
    QCOMPARE(u->Label("lblEinkommenAnzeige")->text(), Formatieren(20 * 0.40 - kosten, QStringLiteral("#,##0.00")));

    // A price changed in the feed editor shows at once.
    QVERIFY(Ausfuehren(QStringLiteral("UPDATE Futtermittel SET Preis = NULL WHERE ID = ?"), {qlonglong(Getreide)}));
    ListeAktualisierenAnstossen();
    QCOMPARE(u->Label("lblFutterkostenAnzeige")->text(), QStringLiteral("unvollständig"));
    QVERIFY(u->Label("lblOptimierungHinweis")->isHidden());
}

KELVORA_TEST(RationFensterTest)
#include "tst_RationFenster.moc"
