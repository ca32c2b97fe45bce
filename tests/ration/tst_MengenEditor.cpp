#include "RationFensterHilfe.h"
#include "TestRegister.h"
#include "frame/FunktionenFuerINI.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

// The amount editor of the ration window: its keys, boxes and take-over. The
// steps, checks and offers themselves are tested on the logic.
class MengenEditorTest : public RationFensterBasis {
    Q_OBJECT
private slots:
    void umrechnungUndSchritte();
    void anteilSchritt();
    void fixOderFreiDurchTasten_data();
    void fixOderFreiDurchTasten();
    void hundertProzentAngeboten();
    void eingabenVerweigert_data();
    void eingabenVerweigert();
};

void MengenEditorTest::umrechnungUndSchritte()
{
    QVERIFY(u->EditorMit(Silage, 0));
    QCOMPARE(u->Label("lblFuttermittelAnzeige")->text(), QStringLiteral("GRASSILAGE - Testsilage"));
    QLineEdit* frisch = u->Feld("txtFrischmasse");
    QLineEdit* trocken = u->Feld("txtTrockenmasse");
    Tippen(frisch, QStringLiteral("10"));
    QCOMPARE(trocken->text(), QStringLiteral("3,50"));
    Tippen(trocken, QStringLiteral("3,5"));
    QCOMPARE(frisch->text(), QStringLiteral("10,00"));
    // Typing in kilograms marks a fixed amount and empties the share.
    QVERIFY(u->fenster->findChild<QCheckBox*>("FixeMenge")->isChecked());
    QVERIFY(u->Feld("txtProzentAnteil")->text().isEmpty());

    // An arrow key steps the box it goes down in, which then converts.
    trocken->setText(QStringLiteral("3,50"));
    QTest::keyPress(trocken, Qt::Key_Up);
    QCOMPARE(trocken->text(), QStringLiteral("3,60"));
    QCOMPARE(frisch->text(), QStringLiteral("10,29"));
    QTest::keyRelease(trocken, Qt::Key_Up);
    frisch->setText(QStringLiteral("9,90"));
    QTest::keyClick(frisch, Qt::Key_Shift);
    QTest::keyPress(frisch, Qt::Key_Up);
    QCOMPARE(frisch->text(), QStringLiteral("10,40"));
    QCOMPARE(trocken->text(), QStringLiteral("3,64"));
    QCOMPARE(u->fenster->AktuellesMengenfeld, QStringLiteral("Frischmasse"));
    QTest::keyRelease(frisch, Qt::Key_Up);
}

void MengenEditorTest::anteilSchritt()
{
    QVERIFY(u->EditorMit(Silage, 12));
    QLineEdit* anteil = u->Feld("txtProzentAnteil");
    anteil->setText(QStringLiteral("95,00"));
    // Keys in the share box act when released.
    QTest::keyPress(anteil, Qt::Key_Up);
    QCOMPARE(anteil->text(), QStringLiteral("95,00"));
    QTest::keyRelease(anteil, Qt::Key_Up);
    QCOMPARE(anteil->text(), QStringLiteral("100,00"));
    QVERIFY(u->Feld("txtFrischmasse")->text().isEmpty());
    QVERIFY(u->Feld("txtTrockenmasse")->text().isEmpty());
    QVERIFY(!u->fenster->findChild<QCheckBox*>("FixeMenge")->isChecked());
}

void MengenEditorTest::fixOderFreiDurchTasten_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<double>("frisch");
    QTest::addColumn<double>("anteil");
    QTest::addColumn<int>("fix");
    QTest::newRow("Frischmasse") << "txtFrischmasse" << "8,5" << 8.5 << 0.0 << 1;
    QTest::newRow("Trockenmasse") << "txtTrockenmasse" << "7" << 20.0 << 0.0 << 1;
    QTest::newRow("Anteil") << "txtProzentAnteil" << "100" << 0.0 << 100.0 << 0;
}

void MengenEditorTest::fixOderFreiDurchTasten()
{
    QFETCH(QString, feld);
    QFETCH(QString, eingabe);
    QVERIFY(u->EditorMit(Silage, 4));
    QLineEdit* box = u->Feld(qPrintable(feld));
    Tippen(box, eingabe);
    // Enter takes the amount over and closes the editor.
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(!u->EditorOffen());
    const RationZeile z = ZeileZu(Silage);
    QTEST(z.frischMenge, "frisch");
    QTEST(z.prozentAnteil, "anteil");
    QTEST(z.fixeMenge, "fix");
    QVERIFY(u->ui.meldungen.isEmpty());
    QVERIFY(u->Liste()->isEnabled());
    QVERIFY(u->Knopf("cmdNeuBerechnen")->isEnabled());
}

void MengenEditorTest::hundertProzentAngeboten()
{
    ZeileAnlegen(Silage, 10, 0, 1);
    ZeileAnlegen(Getreide, 0, 50, 0);
    ZeileAnlegen(Schrot, 0, 30, 0);
    QVERIFY(u->Oeffnen() && u->Bearbeiten(Silage));
    u->ui.Antworten(Antwort::Ja);
    Tippen(u->Feld("txtProzentAnteil"), QStringLiteral("40"));
    QTest::keyClick(u->Feld("txtProzentAnteil"), Qt::Key_Return);
    // The other free feeds were scaled to make 100 % and the list shows it.
    QCOMPARE(u->ui.meldungen.size(), 1);
    QCOMPARE(ZeileZu(Getreide).prozentAnteil, 37.5);
    QCOMPARE(u->Liste()->topLevelItem(1)->text(3), QStringLiteral("38 % "));
}

void MengenEditorTest::eingabenVerweigert_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("eingabe");  // pasted: typed letters never arrive
    QTest::addColumn<QString>("meldung");
    // The rules are those of the logic; here that the editor shows them and keeps the box.
    QTest::newRow("Anteil über 100") << "txtProzentAnteil" << "100,5"
                                     << "Geben Sie eine Prozentzahl von maximal 100 ein!";
    QTest::newRow("Frischmasse Buchstaben")
        << "txtFrischmasse" << "sechs"
        << "Bitte geben Sie bei Menge in kg Frischmasse eine Zahl ein (zum Beispiel 12,5). \"sechs\" ist keine Zahl.";
    QTest::newRow("Milch absurd")
        << "txtMilch" << "150" << "Der Wert bei Milch kg muss zwischen 0 und 100 kg liegen. Bitte korrigieren Sie "
                                  "die Eingabe.";
}

void MengenEditorTest::eingabenVerweigert()
{
    QFETCH(QString, feld);
    QFETCH(QString, eingabe);
    QFETCH(QString, meldung);
    QVERIFY(u->EditorMit(Silage, 5));
    QLineEdit* box = u->Feld(qPrintable(feld));
    // The key filter lets neither letters nor a minus sign in.
    box->setFocus();
    box->selectAll();
    const QString vorher = box->text();
    QTest::keyClicks(box, QStringLiteral("ab-"));
    QCOMPARE(box->text(), vorher);

    box->setText(eingabe);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(u->ui.Texte(), QStringList{meldung});
    QCOMPARE(u->ui.meldungen[0].knoepfe, Knoepfe::OK);
    QCOMPARE(u->fenster->focusWidget(), box);
    QCOMPARE(ZeileZu(Silage).frischMenge, 5.0);
    if (feld == QStringLiteral("txtMilch")) {
        // The last good value is back and is what the settings keep.
        QCOMPARE(box->text(), vorher);
        QVERIFY(u->fenster->parentWidget()->close());
        QCOMPARE(INILesen("RationTierErstellenFenster", feld.mid(3)), vorher);
    } else {
        QVERIFY(u->EditorOffen());
    }
}

KELVORA_TEST(MengenEditorTest)
#include "tst_MengenEditor.moc"
