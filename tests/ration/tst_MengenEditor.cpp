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

// The amount editor of the ration window: steps, conversion, fixed or free, take-over.
class MengenEditorTest : public RationFensterBasis {
    Q_OBJECT
private slots:
    void pfeilSchritte_data();
    void pfeilSchritte();
    void umrechnungTrockenInFrisch();
    void anteilSchritte_data();
    void anteilSchritte();
    void fixOderFreiDurchTasten_data();
    void fixOderFreiDurchTasten();
    void hundertProzent_data();
    void hundertProzent();
    void eingabenVerweigert_data();
    void eingabenVerweigert();
};

void MengenEditorTest::pfeilSchritte_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("vorher");
    QTest::addColumn<int>("taste");
    QTest::addColumn<QString>("nachher");
    QTest::addColumn<QString>("anderesFeld");
    // The band edges themselves are covered on MengenSchritt; here the editor's wiring.
    QTest::newRow("9,90 hoch") << "txtFrischmasse" << "9,90" << int(Qt::Key_Up) << "10,40" << "3,64";
    QTest::newRow("0,09 runter bleibt") << "txtFrischmasse" << "0,09" << int(Qt::Key_Down) << "0,09" << "0,03";
    QTest::newRow("Trockenmasse 3,50 hoch") << "txtTrockenmasse" << "3,50" << int(Qt::Key_Up) << "3,60" << "10,29";
}

void MengenEditorTest::pfeilSchritte()
{
    QFETCH(QString, feld);
    QFETCH(QString, vorher);
    QFETCH(int, taste);
    QFETCH(QString, nachher);
    QFETCH(QString, anderesFeld);
    QVERIFY(u->EditorMit(Silage, 0));
    QLineEdit* box = u->Feld(qPrintable(feld));
    QLineEdit* andere = u->Feld(feld == "txtFrischmasse" ? "txtTrockenmasse" : "txtFrischmasse");
    // A key in the box makes it the one that converts.
    QTest::keyClick(box, Qt::Key_Shift);
    box->setText(vorher);
    // The step acts when the key goes down.
    QTest::keyPress(box, static_cast<Qt::Key>(taste));
    QCOMPARE(box->text(), nachher);
    QCOMPARE(andere->text(), anderesFeld);
    QCOMPARE(u->fenster->AktuellesMengenfeld, feld.mid(3));
    QTest::keyRelease(box, static_cast<Qt::Key>(taste));
}

void MengenEditorTest::umrechnungTrockenInFrisch()
{
    QVERIFY(u->EditorMit(Silage, 0));
    QCOMPARE(u->Label("lblFuttermittelAnzeige")->text(), QStringLiteral("GRASSILAGE - Testsilage"));
    Tippen(u->Feld("txtFrischmasse"), QStringLiteral("10"));
    QCOMPARE(u->Feld("txtTrockenmasse")->text(), QStringLiteral("3,50"));
    Tippen(u->Feld("txtTrockenmasse"), QStringLiteral("3,5"));
    QCOMPARE(u->Feld("txtFrischmasse")->text(), QStringLiteral("10,00"));
    // Typing in kilograms marks a fixed amount and empties the share.
    QVERIFY(u->fenster->findChild<QCheckBox*>("FixeMenge")->isChecked());
    QVERIFY(u->Feld("txtProzentAnteil")->text().isEmpty());
}

void MengenEditorTest::anteilSchritte_data()
{
    QTest::addColumn<QString>("vorher");
    QTest::addColumn<int>("taste");
    QTest::addColumn<QString>("nachher");
    QTest::newRow("95,00 hoch") << "95,00" << int(Qt::Key_Up) << "100,00";
    QTest::newRow("95,01 hoch bleibt") << "95,01" << int(Qt::Key_Up) << "95,01";
    QTest::newRow("4,99 runter bleibt") << "4,99" << int(Qt::Key_Down) << "4,99";
    QTest::newRow("5,00 runter") << "5,00" << int(Qt::Key_Down) << "0,00";
}

void MengenEditorTest::anteilSchritte()
{
    QFETCH(QString, vorher);
    QFETCH(int, taste);
    QVERIFY(u->EditorMit(Silage, 12));
    QLineEdit* anteil = u->Feld("txtProzentAnteil");
    anteil->setText(vorher);
    // Keys in the share box act when released.
    QTest::keyPress(anteil, static_cast<Qt::Key>(taste));
    QCOMPARE(anteil->text(), vorher);
    QTest::keyRelease(anteil, static_cast<Qt::Key>(taste));
    QTEST(anteil->text(), "nachher");
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

void MengenEditorTest::hundertProzent_data()
{
    QTest::addColumn<QList<double>>("andere");    // shares of the other free feeds
    QTest::addColumn<QString>("eingabe");         // share typed for the silage
    QTest::addColumn<QList<int>>("antworten");    // 1 Yes, 0 No
    QTest::addColumn<QList<double>>("ergebnis");  // shares afterwards, in FutterID order
    QTest::addColumn<QString>("titel");           // of the first question, empty: none

    const QString eins = QStringLiteral("Summe nicht 100%");
    const QString mehrere = QStringLiteral("Summe nicht 100% - dieses freie Futtermittel nicht verändern");
    // Silage (9101) is the edited feed; 9102 and 9103 are the others.
    QTest::newRow("Ja: die anderen") << QList<double>{50, 30} << "40" << QList<int>{1}
                                     << QList<double>{40, 37.5, 22.5} << mehrere;
    QTest::newRow("Nein, Ja: alle") << QList<double>{50, 30} << "40" << QList<int>{0, 1}
                                    << QList<double>{100.0 / 3, 125.0 / 3, 25} << mehrere;
    QTest::newRow("Nein, Nein") << QList<double>{50, 30} << "40" << QList<int>{0, 0}
                                << QList<double>{40, 50, 30} << mehrere;
    QTest::newRow("genau 100") << QList<double>{60} << "40" << QList<int>{} << QList<double>{40, 60} << "";
    QTest::newRow("ein freies") << QList<double>{} << "80" << QList<int>{1} << QList<double>{100} << eins;
    QTest::newRow("ein freies, Nein") << QList<double>{} << "80" << QList<int>{0} << QList<double>{80} << eins;
    // The others have no share: nothing to scale, nothing divided by zero.
    QTest::newRow("andere 0") << QList<double>{0, 0} << "40" << QList<int>{1} << QList<double>{40, 0, 0}
                              << mehrere;
}

void MengenEditorTest::hundertProzent()
{
    QFETCH(QList<double>, andere);
    QFETCH(QString, eingabe);
    QFETCH(QList<int>, antworten);
    QFETCH(QList<double>, ergebnis);
    QFETCH(QString, titel);
    ZeileAnlegen(Silage, 10, 0, 1);
    for (int i = 0; i < andere.size(); ++i)
        ZeileAnlegen(i == 0 ? Getreide : Schrot, 0, andere[i], 0);
    QVERIFY(u->Oeffnen() && u->Bearbeiten(Silage));
    for (int a : antworten)
        u->ui.Antworten(a ? Antwort::Ja : Antwort::Nein);
    Tippen(u->Feld("txtProzentAnteil"), eingabe);
    QTest::keyClick(u->Feld("txtProzentAnteil"), Qt::Key_Return);

    QCOMPARE(u->ui.meldungen.size(), antworten.size());
    if (!titel.isEmpty()) {
        QCOMPARE(u->ui.meldungen[0].titel, titel);
        QCOMPARE(u->ui.meldungen[0].standard, Antwort::Nein);
        QCOMPARE(u->ui.meldungen[0].symbol, Symbol::Frage);
    }
    const QList<RationZeile> zeilen = Zeilen();
    QCOMPARE(zeilen.size(), ergebnis.size());
    for (int i = 0; i < zeilen.size(); ++i) {
        QVERIFY2(qAbs(zeilen[i].prozentAnteil - ergebnis[i]) < 1e-9, qPrintable(QString::number(i)));
        QCOMPARE(zeilen[i].fixeMenge, 0);
    }
}

void MengenEditorTest::eingabenVerweigert_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("eingabe");  // pasted: typed letters never arrive
    QTest::addColumn<QString>("meldung");
    const QString prozent = QStringLiteral("Geben Sie eine Prozentzahl von maximal 100 ein!");
    const auto keineZahl = [](const char* feld, const char* text) {
        return QStringLiteral("Bitte geben Sie bei %1 eine Zahl ein (zum Beispiel 12,5). \"%2\" ist keine Zahl.")
            .arg(QString::fromUtf8(feld), QString::fromUtf8(text));
    };
    QTest::newRow("Anteil über 100") << "txtProzentAnteil" << "100,5" << prozent;
    QTest::newRow("Anteil negativ") << "txtProzentAnteil" << "-1" << prozent;
    QTest::newRow("Anteil Buchstaben") << "txtProzentAnteil" << "zehn" << keineZahl("Anteil in %", "zehn");
    QTest::newRow("Frischmasse negativ") << "txtFrischmasse" << "-2" << "Geben Sie eine positive Zahl ein!";
    QTest::newRow("Frischmasse Buchstaben")
        << "txtFrischmasse" << "sechs" << keineZahl("Menge in kg Frischmasse", "sechs");
    QTest::newRow("Frischmasse absurd")
        << "txtFrischmasse" << "99999999999"
        << "Der Wert bei Menge in kg Frischmasse muss zwischen 0 und 500 kg Frischmasse liegen. Bitte korrigieren "
           "Sie die Eingabe.";
    QTest::newRow("Milch Buchstaben") << "txtMilch" << "vier" << keineZahl("Milch kg", "vier");
    QTest::newRow("Milch absurd")
        << "txtMilch" << "150" << "Der Wert bei Milch kg muss zwischen 0 und 100 kg liegen. Bitte korrigieren Sie "
                                  "die Eingabe.";
    QTest::newRow("Fett Buchstaben") << "txtFett" << "vier" << keineZahl("Fett %", "vier");
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
    if (feld == QStringLiteral("txtMilch") || feld == QStringLiteral("txtFett")) {
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
