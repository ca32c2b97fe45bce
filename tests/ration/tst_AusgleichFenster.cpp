#include "RationFensterHilfe.h"
#include "RationsTestdaten.h"
#include "TestRegister.h"
#include "app/Befehlszeile.h"
#include "app/ui/HauptFenster.h"
#include "grundlagen/DatenTypen.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace kelvora;
using namespace kelvora::test;

using Ration = QList<TestRationsZeile>;
Q_DECLARE_METATYPE(QList<kelvora::test::TestRationsZeile>)

namespace {

// Forage with much NDF and two concentrates with little.
const QList<TestFutter> Futter{{9001, 350, 450}, {9002, 880, 200}, {9003, 890, 300}};
const Ration FixUndZweiFreie{{9001, 20, 0, 1}, {9002, 0, 60, 0}, {9003, 0, 40, 0}};
const Ration ZweiFixe{{9001, 20, 0, 1}, {9002, 3, 0, 1}};

int Kelvora(const QStringList& angaben, QString& ausgabe, QString& fehler)
{
    QTextStream aus(&ausgabe), fehlerStrom(&fehler);
    return BefehlszeileAusfuehren(QStringList{"kelvora"} + angaben, aus, fehlerStrom);
}

} // namespace

// The ration window's balancing and whole-ration commands, pressed as a user
// would (their rules are tested on table Ration), and the command line
// balancing against the window's button.
class AusgleichFensterTest : public RationFensterBasis {
    Q_OBJECT
private slots:
    void beideAusgleiche();
    void befehle_data();
    void befehle();
    void gesperrtImMengenEditor();
    void befehlszeileWieFenster_data();
    void befehlszeileWieFenster();
};

void AusgleichFensterTest::beideAusgleiche()
{
    QVERIFY(RationAnlegen(Futter, FixUndZweiFreie));
    QVERIFY(u->Oeffnen());
    // Every evaluation leaves the result window minimised and out of reach.
    QWidget* ergebnis = u->haupt->OffenesFenster("ErgebnisFenster");
    QVERIFY(ergebnis && ergebnis->parentWidget()->isMinimized());
    QVERIFY(u->Knopf("cmdZumErgebnis")->isHidden());
    QVERIFY(!ErgebnisTasteSichtbar(u->haupt));

    // The button balances to the maximum the window shows.
    const double tmMax = TextInDouble(u->Label("lblTMKiloMaxAnzeige2")->text());
    u->Knopf("cmdTMAusgleichen")->click();
    QCOMPARE(ZeileZu(9002).frischMenge * 0.88, 0.6 * (tmMax - 20 * 0.35));
    QVERIFY(qAbs(TextInDouble(u->Label("lblTMKiloAnzeige")->text()) - tmMax) < 0.01);
    QVERIFY(u->fenster->TMAusgeglichen && !u->fenster->NDFAusgeglichen);
    QCOMPARE(u->fenster->LetzterAusgleich, QStringLiteral("TM"));
    QVERIFY(u->Knopf("cmdZumErgebnis")->isHidden());

    const double ndfMax = TextInDouble(u->Label("lblNDFGrammMaxAnzeige")->text());
    u->Knopf("cmdNDFAusgleichen")->click();
    QVERIFY(u->ui.meldungen.isEmpty());
    QVERIFY(qAbs(TextInDouble(u->Label("lblNDFGrammAnzeige")->text()) - ndfMax) <= 2);
    QVERIFY(u->fenster->TMAusgeglichen && u->fenster->NDFAusgeglichen);
    QCOMPARE(u->fenster->LetzterAusgleich, QStringLiteral("NDF"));

    // Both balancings since the last take-over: the result is reachable and holds both columns.
    QVERIFY(u->haupt->Aktion("DErgebnisA")->isVisible());
    QVERIFY(ErgebnisTasteSichtbar(u->haupt));
    u->Knopf("cmdZumErgebnis")->click();
    QVERIFY(!ergebnis->parentWidget()->isMinimized());
    const QString ndfSpalte = ergebnis->findChild<QLabel*>("lblIstNDFNDF")->text();
    const QString tmSpalte = ergebnis->findChild<QLabel*>("lblIstTMANDF")->text();
    QVERIFY(ndfSpalte != QStringLiteral("-") && tmSpalte != QStringLiteral("-") && ndfSpalte != tmSpalte);

    // A take-over clears both balancings again.
    QVERIFY(u->Bearbeiten(9001));
    u->Knopf("cmdUebernehmen")->click();
    QVERIFY(!u->fenster->TMAusgeglichen && !u->fenster->NDFAusgeglichen);
    QVERIFY(!ErgebnisTasteSichtbar(u->haupt));
    QVERIFY(ergebnis->parentWidget()->isMinimized());
}

void AusgleichFensterTest::befehle_data()
{
    QTest::addColumn<QString>("weg");  // button, menu item or list key
    QTest::addColumn<Ration>("ration");
    QTest::addColumn<QList<int>>("markiert");
    QTest::addColumn<bool>("ja");
    QTest::addColumn<int>("zeilen");        // rows stored afterwards
    QTest::addColumn<bool>("ausgewertet");  // the list was filled anew
    QTest::addColumn<QString>("menge");     // then column 3 of its first line

    QTest::newRow("TM-Knopf") << "cmdTMAusgleichen" << FixUndZweiFreie << QList<int>{} << true << 3 << true
                              << "20,00";
    QTest::newRow("TM-Knopf verweigert") << "cmdTMAusgleichen" << ZweiFixe << QList<int>{} << true << 2 << false << "";
    // 7 kg silage and 2,64 kg barley dry matter: 73 % for the silage.
    QTest::newRow("Umwandeln-Knopf") << "cmdInVariableUmwandeln" << ZweiFixe << QList<int>{0, 1} << true << 2 << true
                                     << "73 % ";
    QTest::newRow("Menüpunkt") << "KopInVariableMengenUmrechnen" << ZweiFixe << QList<int>{0, 1} << true << 2 << true
                               << "73 % ";
    QTest::newRow("Entf") << "Entf" << ZweiFixe << QList<int>{1} << true << 1 << true << "20,00";
    QTest::newRow("F9") << "F9" << ZweiFixe << QList<int>{0} << true << 1 << true << "3,00";
    QTest::newRow("Entf, nein") << "Entf" << ZweiFixe << QList<int>{1} << false << 2 << false << "";
    QTest::newRow("Relais, nein") << "LöschEreignisAufrufen" << ZweiFixe << QList<int>{0} << false << 2 << true
                                  << "20,00";
    QTest::newRow("Ration löschen") << "cmdRationLoeschen" << ZweiFixe << QList<int>{} << true << 0 << true << " ";
}

void AusgleichFensterTest::befehle()
{
    QFETCH(QString, weg);
    QFETCH(Ration, ration);
    QFETCH(QList<int>, markiert);
    QFETCH(bool, ja);
    QFETCH(QString, menge);
    QVERIFY(RationAnlegen(Futter, ration));
    QVERIFY(u->Oeffnen());
    QTreeWidget* liste = u->Liste();
    liste->clearSelection();
    for (int z : markiert)
        liste->topLevelItem(z)->setSelected(true);
    // A line no evaluation writes: an evaluation refills the list.
    liste->addTopLevelItem(new QTreeWidgetItem(QStringList{"vorgemerkt"}));
    u->ui.Antworten(ja ? Antwort::Ja : Antwort::Nein);

    if (weg == QLatin1String("Entf") || weg == QLatin1String("F9"))
        QTest::keyRelease(liste, weg == QLatin1String("F9") ? Qt::Key_F9 : Qt::Key_Delete);
    else if (QPushButton* knopf = u->Knopf(qPrintable(weg)))
        knopf->click();
    else
        u->haupt->Aktion(weg)->trigger();

    QTEST(int(RationLesen().size()), "zeilen");
    QTEST(liste->findItems(QStringLiteral("vorgemerkt"), Qt::MatchExactly, 0).isEmpty(), "ausgewertet");
    if (!menge.isEmpty())
        QCOMPARE(liste->topLevelItem(0)->text(3), menge);
}

void AusgleichFensterTest::gesperrtImMengenEditor()
{
    QVERIFY(RationAnlegen(Futter, ZweiFixe));
    QVERIFY(u->Oeffnen());
    QVERIFY(u->Bearbeiten(9001));
    for (const char* name : {"cmdRationLoeschen", "cmdInVariableUmwandeln", "LöschEreignisAufrufen"})
        QVERIFY2(!u->Knopf(name)->isEnabled(), name);
    // The main window's menu item finds the command off and leaves the ration.
    u->Liste()->topLevelItem(0)->setSelected(true);
    u->haupt->Aktion("KopInVariableMengenUmrechnen")->trigger();
    QVERIFY(u->ui.meldungen.isEmpty());
    QCOMPARE(ZeileZu(9001).fixeMenge, 1);

    u->fenster->MengenEditorSchliessen();
    for (const char* name : {"cmdRationLoeschen", "cmdInVariableUmwandeln", "LöschEreignisAufrufen"})
        QVERIFY2(u->Knopf(name)->isEnabled(), name);
}

void AusgleichFensterTest::befehlszeileWieFenster_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<Ration>("ration");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("meldung");  // start of stderr

    QTest::newRow("ndf") << "ndf" << FixUndZweiFreie << 0 << "";
    QTest::newRow("tm") << "tm" << FixUndZweiFreie << 0 << "";
    QTest::newRow("alle fix") << "ndf" << Ration{{9001, 20, 0, 1}} << 3
                              << "Ausgleich ist nicht möglich, da alle Futtermittel der Ration eine feste Menge";
    // Too much fixed dry matter is told, yet the balancing counts as done.
    QTest::newRow("fix über TM-Maximum")
        << "tm" << Ration{{9001, 100, 0, 1}, {9002, 0, 100, 0}} << 0
        << "Ausgleich ist nicht möglich, da mit den fixierten Futtermitteln bereits die maximale TM-Menge";
}

void AusgleichFensterTest::befehlszeileWieFenster()
{
    QFETCH(QString, art);
    QFETCH(Ration, ration);
    QFETCH(QString, meldung);
    QVERIFY(RationAnlegen(Futter, ration));
    const QList<double> vorher = FrischMengen();

    // The command line first, on the stored ration.
    QString ausgabe, fehler;
    QTEST(Kelvora({"ausgleichen", art, "--datenordner", u->ordner.Pfad()}, ausgabe, fehler), "code");
    QVERIFY2(meldung.isEmpty() ? fehler.isEmpty() : fehler.startsWith(meldung), qPrintable(fehler));
    // The command's own seam took the message.
    QVERIFY(u->ui.meldungen.isEmpty());
    if (!meldung.isEmpty()) {
        QCOMPARE(FrischMengen(), vorher);
        return;
    }
    const QList<double> befehl = FrischMengen();

    // Then the window's button on the same ration.
    QVERIFY(Ausfuehren(QStringLiteral("UPDATE Ration SET FutterFrischMenge = 0 WHERE FixeMenge = 0")));
    QVERIFY(u->Oeffnen());
    u->Knopf(art == QLatin1String("ndf") ? "cmdNDFAusgleichen" : "cmdTMAusgleichen")->click();
    QCOMPARE(FrischMengen(), befehl);

    // The list is printed as "auswerten" prints it; after it the result
    // window's column of this balancing.
    const QStringList zeilen = ausgabe.split(QLatin1Char('\n'));
    QWidget* ergebnis = u->haupt->OffenesFenster("ErgebnisFenster");
    const QString spalte = art == QLatin1String("ndf") ? QStringLiteral("NDF") : QStringLiteral("TMA");
    const qsizetype start = zeilen.size() - 11;  // the output ends with a line feed
    QCOMPARE(zeilen[start], "Bewertung nach " + spalte + "\tSoll\tIst\tAbweichung");
    const char* const namen[] = {"NEL", "Rohprotein", "UDP", "NFC", "NDF", "GrundfutterNDF", "ADF", "Calzium",
                                 "Phosphor"};
    for (int i = 0; i < 9; ++i) {
        const QString name = QString::fromLatin1(namen[i]);
        QLabel* abweichung = ergebnis->findChild<QLabel*>("lblAbweichung" + spalte + name);
        const QStringList soll{ergebnis->findChild<QLabel*>("lblSoll" + name)->text(),
                               ergebnis->findChild<QLabel*>("lblIst" + spalte + name)->text(),
                               abweichung->isHidden() ? QString() : abweichung->text()};
        QCOMPARE(zeilen[start + 1 + i].section(QLatin1Char('\t'), 1), soll.join(QLatin1Char('\t')));
    }
    QCOMPARE(zeilen.last(), QString());
}

KELVORA_TEST(AusgleichFensterTest)
#include "tst_AusgleichFenster.moc"
