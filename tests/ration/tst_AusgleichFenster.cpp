#include "RationFensterHilfe.h"
#include "TestRegister.h"
#include "app/Befehlszeile.h"
#include "frame/Oberflaeche.h"
#include "frame/ui/Farbwert.h"
#include "frame/FunktionenFuerINI.h"
#include "grundlagen/DatenTypen.h"
#include "ration/ui/ErgebnisFenster.h"
#include "ration/ui/VersorgungsDiagramm.h"

#include <QAction>
#include <QMdiSubWindow>

using namespace kelvora;
using namespace kelvora::test;

using Ration = QList<TestRationsZeile>;
Q_DECLARE_METATYPE(QList<kelvora::test::TestRationsZeile>)

namespace {

// Forage with much NDF and two concentrates with little.
const QList<TestFutter> Futter{{9001, 350, 450}, {9002, 880, 200}, {9003, 890, 300}};
const Ration FixUndZweiFreie{{9001, 20, 0, 1}, {9002, 0, 60, 0}, {9003, 0, 40, 0}};
const Ration ZweiFixe{{9001, 20, 0, 1}, {9002, 3, 0, 1}};

} // namespace

// The ration window's balancing and whole-ration commands, pressed as a user
// would (their rules are tested on table Ration), what the window and the
// result window then show, and the command line balancing against the
// window's button.
class AusgleichFensterTest : public RationFensterBasis {
    Q_OBJECT
private slots:
    void beideAusgleiche();
    void befehle_data();
    void befehle();
    void befehlszeileWieFenster_data();
    void befehlszeileWieFenster();
    void ergebnisOhneTrockenmasse();
    void ergebnisSchliessen_data();
    void ergebnisSchliessen();

private:
    void ZeigtAuswertung(QWidget* ergebnis, const QString& letzterAusgleich);
};

// The window and the result window's column of the balancing show, text for
// text, what the evaluation computes for the stored ration.
void AusgleichFensterTest::ZeigtAuswertung(QWidget* ergebnis, const QString& letzterAusgleich)
{
    // The window's inputs as they stand when nothing is stored.
    const TierEingaben tier{.gewicht = 650, .milch = 40, .fett = 4, .monat = ui().Jetzt().date().month(),
                            .milchpreis = 0.45, .letzterAusgleich = letzterAusgleich, .tmAusgeglichen = true,
                            .ndfAusgeglichen = letzterAusgleich == QLatin1String("NDF")};
    const Auswertung a = RationAuswerten(tier);

    QTreeWidget* liste = u->Liste();
    QCOMPARE(liste->topLevelItemCount(), a.zeilen.size());
    for (int i = 0; i < a.zeilen.size(); ++i)
        for (int s = 0; s < ListenSpalten; ++s)
            QCOMPARE(liste->topLevelItem(i)->text(s + 1), a.zeilen[i].texte.value(s));
    for (const Anzeige& z : a.anzeigen) {
        const QLabel* label = u->Label(qPrintable(z.name));
        QCOMPARE(label->text(), z.text);
        QCOMPARE(label->isHidden(), !z.sichtbar);
        if (z.hintergrund != 0)
            QCOMPARE(label->palette().color(QPalette::Window), FarbeAusWert(z.hintergrund, label->palette()));
    }
    // The page "Versorgung" draws the supply bars of the same evaluation.
    const QList<DiagrammBalken> balken = DiagrammBalkenAus({{QString(), VersorgungsbalkenAus(a)}});
    const QList<DiagrammBalken>& gezeigt = u->fenster->findChild<VersorgungsDiagramm*>()->Balken();
    QCOMPARE(gezeigt.size(), balken.size());
    for (int i = 0; i < balken.size(); ++i)
        QCOMPARE(std::tuple(gezeigt[i].beschriftung, gezeigt[i].prozent, gezeigt[i].farbe),
                 std::tuple(balken[i].beschriftung, balken[i].prozent, balken[i].farbe));

    // The result window: targets, the column of this balancing and its deviations.
    const QString spalte = letzterAusgleich == QLatin1String("NDF") ? QStringLiteral("NDF") : QStringLiteral("TMA");
    const ErgebnisAbweichungen abweichungen = AbweichungenBerechnen(a.ergebnis.ist, a.ergebnis.soll);
    const char* const zeilen[] = {"NEL", "Rohprotein", "UDP", "NFC", "NDF", "GrundfutterNDF", "ADF", "Calzium",
                                  "Phosphor"};
    for (int i = 0; i < ErgZeilen; ++i) {
        const auto zelle = [&](const QString& art) { return ergebnis->findChild<QLabel*>("lbl" + art + zeilen[i]); };
        QCOMPARE(zelle("Soll")->text(), a.ergebnis.soll[i]);
        QCOMPARE(zelle("Ist" + spalte)->text(), a.ergebnis.ist[i]);
        QCOMPARE(zelle("Abweichung" + spalte)->text(), abweichungen[i].text);
        QCOMPARE(zelle("Abweichung" + spalte)->isHidden(), !abweichungen[i].sichtbar);
    }
}

void AusgleichFensterTest::beideAusgleiche()
{
    QVERIFY(RationAnlegen(Futter, FixUndZweiFreie));
    QVERIFY(u->Oeffnen());
    // Every evaluation leaves the result window minimised and out of reach.
    QWidget* ergebnis = u->haupt->OffenesFenster("ErgebnisFenster");
    QVERIFY(ergebnis && ergebnis->parentWidget()->isMinimized());
    QVERIFY(!u->haupt->Aktion("DErgebnisA")->isVisible());

    // Each button balances to the maximum the window shows.
    const double tmMax = TextInDouble(u->Label("lblTMKiloMaxAnzeige2")->text());
    u->Knopf("cmdTMAusgleichen")->click();
    QVERIFY(qAbs(TextInDouble(u->Label("lblTMKiloAnzeige")->text()) - tmMax) < 0.01);
    ZeigtAuswertung(ergebnis, QStringLiteral("TM"));
    QVERIFY(u->Knopf("cmdZumErgebnis")->isHidden());

    const double ndfMax = TextInDouble(u->Label("lblNDFGrammMaxAnzeige")->text());
    u->Knopf("cmdNDFAusgleichen")->click();
    QVERIFY(u->ui.meldungen.isEmpty());
    QVERIFY(qAbs(TextInDouble(u->Label("lblNDFGrammAnzeige")->text()) - ndfMax) <= 2);
    ZeigtAuswertung(ergebnis, QStringLiteral("NDF"));

    // Both balancings since the last take-over: the result is reachable.
    QVERIFY(u->haupt->Aktion("DErgebnisA")->isVisible());
    u->Knopf("cmdZumErgebnis")->click();
    QVERIFY(!ergebnis->parentWidget()->isMinimized());

    // A take-over clears both balancings again.
    QVERIFY(u->Bearbeiten(9001));
    u->Knopf("cmdUebernehmen")->click();
    QVERIFY(!u->haupt->Aktion("DErgebnisA")->isVisible());
    QVERIFY(ergebnis->parentWidget()->isMinimized());
}

void AusgleichFensterTest::befehle_data()
{
    QTest::addColumn<QString>("weg");  // button, menu item or list key
    QTest::addColumn<QList<int>>("markiert");  // lines of the two fixed feeds
    QTest::addColumn<bool>("ja");
    QTest::addColumn<int>("zeilen");        // rows stored afterwards
    QTest::addColumn<bool>("ausgewertet");  // the list was filled anew
    QTest::addColumn<QString>("menge");     // then column 3 of its first line

    QTest::newRow("TM-Knopf verweigert") << "cmdTMAusgleichen" << QList<int>{} << true << 2 << false << "";
    // 7 kg silage and 2,64 kg barley dry matter: 73 % for the silage.
    QTest::newRow("Umwandeln-Knopf") << "cmdInVariableUmwandeln" << QList<int>{0, 1} << true << 2 << true << "73 % ";
    QTest::newRow("Entf") << "Entf" << QList<int>{1} << true << 1 << true << "20,00";
    QTest::newRow("Entf, nein") << "Entf" << QList<int>{1} << false << 2 << false << "";
    // The relay that the list's pop-up item "Löschen" presses.
    QTest::newRow("Relais") << "LöschEreignisAufrufen" << QList<int>{0} << true << 1 << true << "3,00";
    QTest::newRow("Ration löschen") << "cmdRationLoeschen" << QList<int>{} << true << 0 << true << " ";
}

void AusgleichFensterTest::befehle()
{
    QFETCH(QString, weg);
    QFETCH(QList<int>, markiert);
    QFETCH(bool, ja);
    QFETCH(QString, menge);
    QVERIFY(RationAnlegen(Futter, ZweiFixe));
    QVERIFY(u->Oeffnen());
    QTreeWidget* liste = u->Liste();
    liste->clearSelection();
    for (int z : markiert)
        liste->topLevelItem(z)->setSelected(true);
    // A line no evaluation writes: an evaluation refills the list.
    liste->addTopLevelItem(new QTreeWidgetItem(QStringList{"vorgemerkt"}));
    u->ui.Antworten(ja ? Antwort::Ja : Antwort::Nein);

    if (weg == QLatin1String("Entf"))
        QTest::keyClick(liste, Qt::Key_Delete);
    else if (QPushButton* knopf = u->Knopf(qPrintable(weg)))
        knopf->click();
    else
        u->haupt->Aktion(weg)->trigger();

    // Enter let go after answering belongs to the question, not to the list.
    QTest::keyRelease(liste, Qt::Key_Return);
    QVERIFY(!u->EditorOffen());
    QTEST(int(RationLesen().size()), "zeilen");
    QTEST(liste->findItems(QStringLiteral("vorgemerkt"), Qt::MatchExactly, 0).isEmpty(), "ausgewertet");
    if (!menge.isEmpty())
        QCOMPARE(liste->topLevelItem(0)->text(3), menge);
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

    // The command line first, on the stored ration; its own seam takes the message.
    QString ausgabe, fehler;
    QTextStream aus(&ausgabe), fehlerStrom(&fehler);
    QTEST(BefehlszeileAusfuehren({"kelvora", "ausgleichen", art, "--datenordner", u->ordner.Pfad()}, aus, fehlerStrom),
          "code");
    QVERIFY2(meldung.isEmpty() ? fehler.isEmpty() : fehler.startsWith(meldung), qPrintable(fehler));
    QVERIFY(u->ui.meldungen.isEmpty());
    if (!meldung.isEmpty()) {
        QCOMPARE(FrischMengen(), vorher);
        return;
    }
    // It prints the list and the result column of its balancing.
    QVERIFY(ausgabe.contains("Bewertung nach " + (art == QLatin1String("ndf") ? QString("NDF") : QString("TMA"))));
    const QList<double> befehl = FrischMengen();

    // Then the window's button on the same ration.
    QVERIFY(Ausfuehren(QStringLiteral("UPDATE Ration SET FutterFrischMenge = 0 WHERE FixeMenge = 0")));
    QVERIFY(u->Oeffnen());
    u->Knopf(art == QLatin1String("ndf") ? "cmdNDFAusgleichen" : "cmdTMAusgleichen")->click();
    QCOMPARE(FrischMengen(), befehl);
}

void AusgleichFensterTest::ergebnisOhneTrockenmasse()
{
    auto* ergebnis = qobject_cast<ErgebnisFenster*>(u->haupt->FensterOeffnen(QStringLiteral("ErgebnisFenster")));
    const ErgebnisSpalte ist{"125 MJ", "2700 g", "36 %", "40 %", "30 %", "80 %", "20 %", "110 g", "70 g"};
    ergebnis->IstSchreiben("TM", ist, true);
    ErgebnisSpalte neu = ist;
    neu[ErgNEL] = "0 MJ";
    neu[ErgUDP] = "0 %";
    // A run without dry matter writes the amounts only; the shares stay.
    ergebnis->IstSchreiben("TM", neu, false);
    QCOMPARE(ergebnis->findChild<QLabel*>("lblIstTMANEL")->text(), QStringLiteral("0 MJ"));
    QCOMPARE(ergebnis->findChild<QLabel*>("lblIstTMAUDP")->text(), QStringLiteral("36 %"));
    QCOMPARE(ergebnis->findChild<QLabel*>("lblIstNDFNEL")->text(), QStringLiteral("-"));
}

void AusgleichFensterTest::ergebnisSchliessen_data()
{
    QTest::addColumn<bool>("minimiert");
    QTest::addColumn<bool>("programmEndet");
    QTest::newRow("normal, vom Benutzer") << false << false;
    QTest::newRow("minimiert, Programmende") << true << true;
}

void AusgleichFensterTest::ergebnisSchliessen()
{
    QFETCH(bool, minimiert);
    QFETCH(bool, programmEndet);
    QWidget* ergebnis = u->haupt->FensterOeffnen(QStringLiteral("ErgebnisFenster"));
    auto* rahmen = qobject_cast<QMdiSubWindow*>(ergebnis->parentWidget());
    rahmen->move(90, 60);
    if (minimiert)
        QVERIFY(ErgebnisFensterMinimiert(u->haupt) == ergebnis);
    programm().programmEndet = programmEndet;
    rahmen->close();
    programm().programmEndet = false;
    // Open at the program's end it opens again at the next start; only a
    // normal window keeps its place.
    QCOMPARE(INILesen("OffeneFenster", "ErgebnisFenster"), QString(programmEndet ? "1" : "0"));
    QCOMPARE(INILesen("ErgebnisFenster", "Links"), QString(minimiert ? "" : "1350"));
}

KELVORA_TEST(AusgleichFensterTest)
#include "tst_AusgleichFenster.moc"
