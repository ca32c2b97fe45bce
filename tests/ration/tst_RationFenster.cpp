#include "RationFensterHilfe.h"
#include "TestRegister.h"
#include "database/DatenTypen.h"
#include "database/Formate.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Programm.h"
#include "frame/ui/HauptFenster.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// The ration window: its list, drops, the list keys, the animal inputs and its life cycle.
class RationFensterTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        u = new RationFensterUmgebung;
        QVERIFY(u->bereit);
    }
    void cleanup()
    {
        delete u;
        u = nullptr;
        QCOMPARE(programm().ZiehFutterID, 0L);
    }
    void spaltenUndZeilen();
    void fallenVorhandenesFutter();
    void fallenNeuesFutter_data();
    void fallenNeuesFutter();
    void ausListeOeffnenUndEsc();
    void milchSchritte_data();
    void milchSchritte();
    void tiereingabenUndSchliessen();
    void ergebnisBefehleNachBeidenAusgleichen();

private:
    RationFensterUmgebung* u = nullptr;
};

void RationFensterTest::spaltenUndZeilen()
{
    const long id = ZeileAnlegen(Silage, 10, 0, 1);
    QVERIFY(u->Oeffnen());
    QCOMPARE(u->fenster->windowTitle(), QStringLiteral("Ration zusammenstellen und prüfen"));
    auto* liste = u->fenster->findChild<QTreeWidget*>("lvwListe");
    QCOMPARE(liste->columnCount(), 14);
    const QStringList koepfe{"",      "Futterart", "Bezeichnung", "Frisch kg", "TM kg", "Rohprot.kg", "UDP g",
                             "NEL MJ", "NFC g",    "ADF g",       "NDF g",     "Ca g",  "P g",        ""};
    for (int i = 0; i < 14; ++i)
        QCOMPARE(liste->headerItem()->text(i), koepfe[i]);
    QCOMPARE(liste->headerItem()->data(4, Qt::UserRole).toString(), QStringLiteral("TM "));
    QVERIFY(liste->isColumnHidden(0));
    QVERIFY(liste->isColumnHidden(13));
    QVERIFY(!liste->isColumnHidden(12));
    // Widths are shares: the name column is 0.38 / 0.05 as wide as a figure column.
    QVERIFY(qAbs(liste->columnWidth(2) - liste->columnWidth(5) * 38 / 5) <= 8);

    // The feed line first, carrying its row ID; the summary lines carry 0.
    QTreeWidgetItem* futter = liste->topLevelItem(0);
    QCOMPARE(futter->text(13), QString::number(id));
    QCOMPARE(futter->text(3), QStringLiteral("10,00"));
    QCOMPARE(futter->textAlignment(3) & Qt::AlignRight, int(Qt::AlignRight));
    QCOMPARE(futter->data(0, Qt::UserRole).toString(), QStringLiteral("Msg_1"));
    QCOMPARE(liste->topLevelItem(1)->data(0, Qt::UserRole).toString(), QStringLiteral("Msg_2"));
    QCOMPARE(liste->topLevelItem(2)->text(2), QStringLiteral("SUMMEN"));
    QCOMPARE(liste->topLevelItem(2)->text(13), QStringLiteral("0"));
    QVERIFY(liste->selectedItems().isEmpty());
}


void RationFensterTest::fallenVorhandenesFutter()
{
    ZeileAnlegen(Silage, 7.25, 0, 1);
    QVERIFY(u->Oeffnen());
    Fallen(u->fenster->findChild<QTreeWidget*>("lvwListe")->viewport(), Silage);
    // No question: the row that is there opens, nothing is added.
    QVERIFY(u->ui.meldungen.isEmpty());
    QCOMPARE(Zeilen().size(), 1);
    QVERIFY(u->fenster->findChild<QGroupBox*>("frmDetails")->isVisible());
    QCOMPARE(u->fenster->findChild<QLabel*>("lblFutterIDAnzeige")->text(), QString::number(Silage));
    QCOMPARE(u->Feld("txtFrischmasse")->text(), QStringLiteral("7,25"));
    QCOMPARE(u->Feld("txtTrockenmasse")->text(), QStringLiteral("2,54"));
    QVERIFY(!u->fenster->findChild<QTreeWidget*>("lvwListe")->isEnabled());
    QVERIFY(!u->fenster->findChild<QPushButton*>("cmdNeuBerechnen")->isEnabled());
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
    u->fenster->findChild<QPushButton*>("DropEreignisAufrufen")->click();
    QVERIFY(u->ui.meldungen.isEmpty());

    u->ui.Antworten(ja ? Antwort::Ja : Antwort::Nein);
    Fallen(u->fenster, Getreide);
    QCOMPARE(u->ui.Texte(),
             QStringList{"Soll das Futtermittel Nr. 9102 (Testgerste) der Ration hinzugefügt werden?"});
    QCOMPARE(u->ui.meldungen[0].titel, QStringLiteral("Futtermittel zur Ration hinzufügen"));
    QCOMPARE(u->ui.meldungen[0].standard, Antwort::Ja);
    QCOMPARE(u->fenster->findChild<QGroupBox*>("frmDetails")->isVisible(), ja);
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
    auto* liste = u->fenster->findChild<QTreeWidget*>("lvwListe");
    // A summary line has no row: Enter does nothing.
    liste->topLevelItem(3)->setSelected(true);
    QTest::keyClick(liste, Qt::Key_Return);
    QVERIFY(!u->fenster->findChild<QGroupBox*>("frmDetails")->isVisible());
    // Two marked lines: nothing either.
    liste->topLevelItem(0)->setSelected(true);
    QTest::keyClick(liste, Qt::Key_Return);
    QVERIFY(!u->fenster->findChild<QGroupBox*>("frmDetails")->isVisible());

    liste->clearSelection();
    liste->topLevelItem(1)->setSelected(true);
    QTest::keyClick(liste, Qt::Key_Return);
    QVERIFY(u->fenster->findChild<QGroupBox*>("frmDetails")->isVisible());
    QCOMPARE(u->fenster->findChild<QLabel*>("lblFutterIDAnzeige")->text(), QString::number(Getreide));
    QCOMPARE(u->Feld("txtFrischmasse")->text(), QStringLiteral("2,00"));

    QTest::keyClick(u->Feld("txtFrischmasse"), Qt::Key_Escape);
    QVERIFY(!u->fenster->findChild<QGroupBox*>("frmDetails")->isVisible());
    QVERIFY(u->Feld("txtFrischmasse")->text().isEmpty());
    QVERIFY(u->fenster->findChild<QLabel*>("lblFutterIDAnzeige")->text().isEmpty());
    QVERIFY(liste->isEnabled());
    QCOMPARE(ZeileZu(Getreide).frischMenge, 2.0);
}


void RationFensterTest::milchSchritte_data()
{
    QTest::addColumn<QString>("vorher");
    QTest::addColumn<int>("taste");
    QTest::addColumn<QString>("nachher");
    QTest::newRow("98,0 hoch") << "98,0" << int(Qt::Key_Up) << "99,0";
    QTest::newRow("99,0 hoch bleibt") << "99,0" << int(Qt::Key_Up) << "99,0";
    QTest::newRow("1,0 runter bleibt") << "1,0" << int(Qt::Key_Down) << "1,0";
    QTest::newRow("25 runter") << "25" << int(Qt::Key_Down) << "24,0";
}


void RationFensterTest::milchSchritte()
{
    QFETCH(QString, vorher);
    QFETCH(int, taste);
    QFETCH(QString, nachher);
    QVERIFY(u->Oeffnen());
    QLineEdit* milch = u->Feld("txtMilch");
    milch->setText(vorher);
    u->fenster->findChild<QPushButton*>("cmdNeuBerechnen")->click();
    QTest::keyClick(milch, static_cast<Qt::Key>(taste));
    QCOMPARE(milch->text(), nachher);
    // The new yield is evaluated at once: the requirement line follows it.
    auto* liste = u->fenster->findChild<QTreeWidget*>("lvwListe");
    QTreeWidgetItem* bedarf = nullptr;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        if (liste->topLevelItem(i)->text(2) == QLatin1String("Erhaltungs- und Leistungsbedarf"))
            bedarf = liste->topLevelItem(i);
    QVERIFY(bedarf);
    // 650 kg, 4 % fat: FCM = milk; NEL = 43 + 3.17 * FCM.
    const double m = TextInDouble(nachher);
    QCOMPARE(bedarf->text(7), Formatieren(43 + 3.17 * m, QStringLiteral("#,##0.0")));
}


void RationFensterTest::tiereingabenUndSchliessen()
{
    INISpeichern("RationTierErstellenFenster", "Gewicht", "650");
    INISpeichern("RationTierErstellenFenster", "Milch", "28,5");
    QVERIFY(u->Oeffnen());
    QCOMPARE(u->fenster->findChild<QComboBox*>("Gewicht")->currentText(), QStringLiteral("600-650"));
    QCOMPARE(u->fenster->findChild<QComboBox*>("Gewicht")->count(), 7);
    QCOMPARE(u->Feld("txtMilch")->text(), QStringLiteral("28,5"));
    QCOMPARE(u->Feld("txtFett")->text(), QStringLiteral("4,00"));
    QCOMPARE(u->fenster->findChild<QPushButton*>("cmdDrucken")->toolTip(),
             QStringLiteral("Liste drucken (auch F3-Taste)"));

    u->fenster->findChild<QComboBox*>("Gewicht")->setCurrentIndex(6);
    u->Feld("txtFett")->setText(QStringLiteral("3,80"));
    QVERIFY(u->fenster->parentWidget()->close());
    QCOMPARE(INILesen("RationTierErstellenFenster", "Gewicht"), QStringLiteral("800"));
    QCOMPARE(INILesen("RationTierErstellenFenster", "Fett"), QStringLiteral("3,80"));
    QCOMPARE(INILesen("RationTierErstellenFenster", "Milch"), QStringLiteral("28,5"));
    QCOMPARE(INILesen("OffeneFenster", "RationTierErstellenFenster"), QStringLiteral("0"));
    QVERIFY(!INILesen("RationTierErstellenFenster", "Breit").isEmpty());
}


void RationFensterTest::ergebnisBefehleNachBeidenAusgleichen()
{
    ZeileAnlegen(Silage, 10, 0, 1);
    QVERIFY(u->Oeffnen());
    auto* zumErgebnis = u->fenster->findChild<QPushButton*>("cmdZumErgebnis");
    QVERIFY(zumErgebnis->isHidden());
    QVERIFY(!u->haupt->Aktion("DErgebnisA")->isVisible());
    QVERIFY(!ErgebnisTasteSichtbar(u->haupt));
    // Every evaluation leaves the result window minimised.
    QWidget* ergebnis = u->haupt->OffenesFenster("ErgebnisFenster");
    QVERIFY(ergebnis);
    QVERIFY(ergebnis->parentWidget()->isMinimized());

    u->fenster->TMAusgeglichen = true;
    u->fenster->NDFAusgeglichen = true;
    u->fenster->findChild<QPushButton*>("cmdNeuBerechnen")->click();
    QVERIFY(!zumErgebnis->isHidden());
    QVERIFY(u->haupt->Aktion("DErgebnisA")->isVisible());
    QVERIFY(ErgebnisTasteSichtbar(u->haupt));
    zumErgebnis->click();
    QVERIFY(!ergebnis->parentWidget()->isMinimized());

    // A take-over clears both balancings again.
    QVERIFY(u->Bearbeiten(Silage));
    u->fenster->findChild<QPushButton*>("cmdUebernehmen")->click();
    QVERIFY(!u->fenster->TMAusgeglichen && !u->fenster->NDFAusgeglichen);
    QVERIFY(zumErgebnis->isHidden());
    QVERIFY(!ErgebnisTasteSichtbar(u->haupt));
    QVERIFY(ergebnis->parentWidget()->isMinimized());
}


KELVORA_TEST(RationFensterTest)
#include "tst_RationFenster.moc"
