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

namespace {

// Forage with much NDF, two concentrates with little, straw with very much,
// and a feed without dry matter.
const QList<TestFutter> Futter{{9001, 350, 450}, {9002, 880, 200}, {9003, 890, 300}, {9004, 900, 800}, {9005, 0, 0}};
const QList<TestRationsZeile> FixUndZweiFreie{{9001, 20, 0, 1}, {9002, 0, 60, 0}, {9003, 0, 40, 0}};

const QString KeinFreies = QStringLiteral(
    "Ausgleich ist nicht möglich, da alle Futtermittel der Ration eine feste Menge in kg haben, die beim Ausgleich "
    "nicht verändert wird. Sie müssen ein Futtermittel für den Ausgleich freigeben: Geben Sie bei ihm statt der "
    "Menge einen Anteil in % des frei aufnehmbaren Futters ein, oder markieren Sie es in der Liste und wählen Sie "
    "mit der rechten Maustaste \"in variable Mengen umwandeln\"!");

// Marks the list lines of the given feeds (lines follow FutterID).
void Markieren(QTreeWidget* liste, const QList<int>& zeilen)
{
    liste->clearSelection();
    for (int z : zeilen)
        liste->topLevelItem(z)->setSelected(true);
}

double Menge(long futterID)
{
    return ZeileZu(futterID).frischMenge;
}

void MengenGleich(const QList<GespeicherteZeile>& a, const QList<GespeicherteZeile>& b)
{
    QCOMPARE(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i)
        QCOMPARE(a[i].frischMenge, b[i].frischMenge);
}

} // namespace

Q_DECLARE_METATYPE(QList<TestRationsZeile>)

// The ration window's balancing and whole-ration commands, pressed as a user
// would, and the command line balancing against the window's button.
class AusgleichFensterTest : public RationFensterBasis {
    Q_OBJECT
private slots:
    void beideAusgleiche();
    void ausgleichVerweigert_data();
    void ausgleichVerweigert();
    void umwandeln_data();
    void umwandeln();
    void entfernen_data();
    void entfernen();
    void leeren_data();
    void leeren();
    void gesperrtImMengenEditor();
    void befehlszeileWieFenster_data();
    void befehlszeileWieFenster();
    void befehlszeileMeldungen_data();
    void befehlszeileMeldungen();

private:
    // A line no evaluation writes: an evaluation refills the list.
    void Vormerken() const { u->Liste()->addTopLevelItem(new QTreeWidgetItem(QStringList{"vorgemerkt"})); }
    bool Ausgewertet() const
    {
        return u->Liste()->findItems(QStringLiteral("vorgemerkt"), Qt::MatchExactly, 0).isEmpty();
    }
};

void AusgleichFensterTest::beideAusgleiche()
{
    QVERIFY(RationAnlegen(Futter, FixUndZweiFreie));
    QVERIFY(u->Oeffnen());
    // Every evaluation leaves the result window minimised and out of reach.
    QWidget* ergebnis = u->haupt->OffenesFenster("ErgebnisFenster");
    QVERIFY(ergebnis && ergebnis->parentWidget()->isMinimized());
    QVERIFY(u->Knopf("cmdZumErgebnis")->isHidden());
    QVERIFY(!u->haupt->Aktion("DErgebnisA")->isVisible());
    QVERIFY(!ErgebnisTasteSichtbar(u->haupt));
    const double tmMax = TextInDouble(u->Label("lblTMKiloMaxAnzeige2")->text());
    QVERIFY(tmMax > 7);

    u->Knopf("cmdTMAusgleichen")->click();
    QVERIFY(u->ui.meldungen.isEmpty());
    // The free feeds take the rest of the dry matter by their shares.
    const double rest = tmMax - 20 * 0.35;
    QCOMPARE(Menge(9002) * 0.88, 0.6 * rest);
    QCOMPARE(Menge(9003) * 0.89, 0.4 * rest);
    QCOMPARE(Menge(9001), 20.0);
    QVERIFY(qAbs(TextInDouble(u->Label("lblTMKiloAnzeige")->text()) - tmMax) < 0.01);
    QVERIFY(u->fenster->TMAusgeglichen && !u->fenster->NDFAusgeglichen);
    QCOMPARE(u->fenster->LetzterAusgleich, QStringLiteral("TM"));
    QVERIFY(u->Knopf("cmdZumErgebnis")->isHidden());

    const double ndfMax = TextInDouble(u->Label("lblNDFGrammMaxAnzeige")->text());
    const double vorherGerste = Menge(9002);
    u->Knopf("cmdNDFAusgleichen")->click();
    QVERIFY(u->ui.meldungen.isEmpty());
    QVERIFY(Menge(9002) != vorherGerste);
    // Both free feeds move by the same factor; the fixed one stays.
    QVERIFY(qAbs(Menge(9002) / vorherGerste - Menge(9003) / (0.4 * rest / 0.89)) < 1e-9);
    QCOMPARE(Menge(9001), 20.0);
    QVERIFY(qAbs(TextInDouble(u->Label("lblNDFGrammAnzeige")->text()) - ndfMax) <= 2);
    QVERIFY(u->fenster->TMAusgeglichen && u->fenster->NDFAusgeglichen);
    QCOMPARE(u->fenster->LetzterAusgleich, QStringLiteral("NDF"));

    // Both balancings since the last take-over: the result is reachable and holds both columns.
    QVERIFY(!u->Knopf("cmdZumErgebnis")->isHidden());
    QVERIFY(u->haupt->Aktion("DErgebnisA")->isVisible());
    QVERIFY(ErgebnisTasteSichtbar(u->haupt));
    u->Knopf("cmdZumErgebnis")->click();
    QVERIFY(!ergebnis->parentWidget()->isMinimized());
    for (const char* spalte : {"NDF", "TMA"}) {
        const QString name = QString::fromLatin1(spalte);
        for (const char* zeile : {"NEL", "Rohprotein", "NDF", "Calzium"})
            QVERIFY2(ergebnis->findChild<QLabel*>("lblIst" + name + zeile)->text() != QStringLiteral("-"),
                     qPrintable(name + zeile));
        // The ration has no crude protein at all: the shortfall shows.
        QLabel* rp = ergebnis->findChild<QLabel*>("lblAbweichung" + name + "Rohprotein");
        QVERIFY(!rp->isHidden());
        QVERIFY(TextInDouble(rp->text()) < 0);
    }
    // The two balancings give different rations, so different NDF shares.
    QVERIFY(ergebnis->findChild<QLabel*>("lblIstNDFNDF")->text()
            != ergebnis->findChild<QLabel*>("lblIstTMANDF")->text());

    // A take-over clears both balancings again.
    QVERIFY(u->Bearbeiten(9001));
    u->Knopf("cmdUebernehmen")->click();
    QVERIFY(!u->fenster->TMAusgeglichen && !u->fenster->NDFAusgeglichen);
    QVERIFY(u->Knopf("cmdZumErgebnis")->isHidden());
    QVERIFY(!ErgebnisTasteSichtbar(u->haupt));
    QVERIFY(ergebnis->parentWidget()->isMinimized());
}

void AusgleichFensterTest::ausgleichVerweigert_data()
{
    QTest::addColumn<QList<TestRationsZeile>>("ration");
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<QString>("meldung");

    QTest::newRow("alle fix, TM") << QList<TestRationsZeile>{{9001, 20, 0, 1}, {9002, 5, 0, 1}}
                                  << "cmdTMAusgleichen" << KeinFreies;
    // 10,8 kg of straw dry matter fit under the intake but bring 8 640 g NDF.
    QTest::newRow("fixes NDF über dem Maximum")
        << QList<TestRationsZeile>{{9004, 12, 0, 1}, {9002, 0, 100, 0}} << "cmdNDFAusgleichen"
        << "Ausgleich nach NDF ist nicht möglich, da die fixierten Futtermittel allein schon mehr NDF liefern, "
           "als das NDF-Maximum zulässt! Bitte verringern Sie die Mengen der fixierten Futtermittel oder geben "
           "Sie sie für den Ausgleich frei.";
}

void AusgleichFensterTest::ausgleichVerweigert()
{
    QFETCH(QList<TestRationsZeile>, ration);
    QFETCH(QString, knopf);
    QFETCH(QString, meldung);
    QVERIFY(RationAnlegen(Futter, ration));
    QVERIFY(u->Oeffnen());
    const QList<GespeicherteZeile> vorher = RationLesen();
    Vormerken();

    u->Knopf(qPrintable(knopf))->click();
    QCOMPARE(u->ui.Texte(), QStringList{meldung});
    MengenGleich(RationLesen(), vorher);
    QVERIFY(!u->fenster->TMAusgeglichen && !u->fenster->NDFAusgeglichen);
    QVERIFY(u->fenster->LetzterAusgleich.isEmpty());
    QVERIFY(!Ausgewertet());
}

void AusgleichFensterTest::umwandeln_data()
{
    QTest::addColumn<QList<TestRationsZeile>>("ration");
    QTest::addColumn<QList<int>>("markiert");
    QTest::addColumn<bool>("perMenue");
    QTest::addColumn<QString>("meldung");        // empty: converted
    QTest::addColumn<QList<double>>("anteile");  // expected shares after it, by row

    // 3,5 kg and 4,5 kg dry matter: 43,75 % and 56,25 %.
    const QList<TestRationsZeile> zweiFixe{{9001, 10, 0, 1}, {9002, 5, 0, 1}};
    QTest::newRow("Knopf") << zweiFixe << QList<int>{0, 1} << false << QString() << QList<double>{43.75, 56.25};
    QTest::newRow("Menüpunkt") << zweiFixe << QList<int>{0, 1} << true << QString()
                               << QList<double>{43.75, 56.25};
    QTest::newRow("nichts markiert") << zweiFixe << QList<int>{} << false << QString() << QList<double>{0, 0};
    QTest::newRow("markiertes ohne Menge")
        << QList<TestRationsZeile>{{9001, 10, 0, 1}, {9002, 0, 0, 1}} << QList<int>{0, 1} << false
        << "Eines der markierten Futtermittel hat keine Menge in der Ration. Die Funktion kann daher nicht "
           "ausgeführt werden!"
        << QList<double>{0, 0};
    QTest::newRow("unmarkiertes freies")
        << QList<TestRationsZeile>{{9001, 10, 0, 1}, {9002, 0, 100, 0}} << QList<int>{0} << false
        << "Eines der nicht markierten Futtermittel ist bereits als vaiabel markiert. Diese Funktion kann nur "
           "ausgeführt werden, wenn alle Futtermittel, die in variable Werte umgerechnet werden sollen, markiert "
           "sind und eine FutterFrischMenge haben!"
        << QList<double>{0, 100};
    QTest::newRow("markierte ohne Trockenmasse")
        << QList<TestRationsZeile>{{9005, 10, 0, 1}} << QList<int>{0} << false
        << "Die markierten Futtermittel enthalten keine Trockenmasse. Anteile an der Trockenmasse können daher "
           "nicht berechnet werden. Bitte tragen Sie zuerst die Trockenmasse der Futtermittel ein!"
        << QList<double>{0};
}

void AusgleichFensterTest::umwandeln()
{
    QFETCH(QList<TestRationsZeile>, ration);
    QFETCH(QList<int>, markiert);
    QFETCH(bool, perMenue);
    QFETCH(QString, meldung);
    QFETCH(QList<double>, anteile);
    QVERIFY(RationAnlegen({{9001, 350, 450}, {9002, 900, 200}, {9005, 0, 0}}, ration));
    QVERIFY(u->Oeffnen());
    Markieren(u->Liste(), markiert);

    if (perMenue)
        u->haupt->Aktion("KopInVariableMengenUmrechnen")->trigger();
    else
        u->Knopf("cmdInVariableUmwandeln")->click();

    QCOMPARE(u->ui.Texte(), meldung.isEmpty() ? QStringList{} : QStringList{meldung});
    if (!meldung.isEmpty())
        QCOMPARE(u->ui.meldungen[0].symbol, Symbol::Kritisch);
    const QList<GespeicherteZeile> zeilen = RationLesen();
    QCOMPARE(zeilen.size(), ration.size());
    for (qsizetype i = 0; i < zeilen.size(); ++i) {
        QCOMPARE(zeilen[i].anteil, anteile[i]);
        const bool umgewandelt = meldung.isEmpty() && markiert.contains(int(i));
        QCOMPARE(zeilen[i].frischMenge, umgewandelt ? 0.0 : ration[i].frischMenge);
        QCOMPARE(zeilen[i].fixeMenge, umgewandelt ? 0 : ration[i].fixeMenge);
    }
    // A finished conversion is shown at once: the list shows shares, not amounts.
    if (meldung.isEmpty() && !markiert.isEmpty())
        QCOMPARE(u->Liste()->topLevelItem(0)->text(3), QStringLiteral("44 % "));
}

void AusgleichFensterTest::entfernen_data()
{
    QTest::addColumn<QString>("weg");  // "Entf", "F9" or the relay
    QTest::addColumn<QList<int>>("markiert");
    QTest::addColumn<bool>("ja");
    QTest::addColumn<bool>("frage");
    QTest::addColumn<int>("geloescht");  // list line of the removed row, -1: none

    QTest::newRow("Entf, ja") << "Entf" << QList<int>{1} << true << true << 1;
    QTest::newRow("F9, ja") << "F9" << QList<int>{0} << true << true << 0;
    QTest::newRow("Entf, nein") << "Entf" << QList<int>{1} << false << true << -1;
    QTest::newRow("Entf, zwei markiert") << "Entf" << QList<int>{0, 1} << true << false << -1;
    QTest::newRow("Entf auf Summenzeile") << "Entf" << QList<int>{3} << true << false << -1;
    QTest::newRow("Relais, ja") << "Relais" << QList<int>{0} << true << true << 0;
    QTest::newRow("Relais, nein") << "Relais" << QList<int>{0} << false << true << -1;
    QTest::newRow("Relais, zwei markiert") << "Relais" << QList<int>{0, 1} << true << false << -1;
}

void AusgleichFensterTest::entfernen()
{
    QFETCH(QString, weg);
    QFETCH(QList<int>, markiert);
    QFETCH(bool, ja);
    QFETCH(bool, frage);
    QFETCH(int, geloescht);
    const bool relais = weg == QLatin1String("Relais");
    QVERIFY(RationAnlegen(Futter, {{9001, 20, 0, 1}, {9002, 3, 0, 1}}));
    QVERIFY(u->Oeffnen());
    Markieren(u->Liste(), markiert);
    const QString idWeg = geloescht >= 0 ? u->Liste()->topLevelItem(geloescht)->text(13) : QString();
    Vormerken();
    if (frage)
        u->ui.Antworten(ja ? Antwort::Ja : Antwort::Nein);

    if (relais)
        u->Knopf("LöschEreignisAufrufen")->click();
    else
        QTest::keyRelease(u->Liste(), weg == QLatin1String("F9") ? Qt::Key_F9 : Qt::Key_Delete);

    QCOMPARE(u->ui.meldungen.size(), frage ? 1 : 0);
    if (frage) {
        const GezeigteMeldung& m = u->ui.meldungen[0];
        QCOMPARE(m.titel, relais ? QStringLiteral("Futter aus Ration löschen") : QStringLiteral("Futtermittel entfernen"));
        QCOMPARE(m.text, relais ? QStringLiteral("Soll das markierte Futtermittel wirklich aus der Ration gelöscht werden?")
                                : QStringLiteral("Soll das markierte Futtermittel wirklich aus dieser Ration gelöscht "
                                                 "werden?"));
        QCOMPARE(m.standard, Antwort::Nein);
        QCOMPARE(m.symbol, Symbol::Frage);
    }
    const QList<GespeicherteZeile> zeilen = RationLesen();
    QCOMPARE(zeilen.size(), geloescht >= 0 ? 1 : 2);
    for (const GespeicherteZeile& z : zeilen)
        QVERIFY(QString::number(z.id) != idWeg);
    // The list keys evaluate only after a removal; the relay also after No.
    QCOMPARE(Ausgewertet(), geloescht >= 0 || (relais && frage));
}

void AusgleichFensterTest::leeren_data()
{
    QTest::addColumn<QList<TestRationsZeile>>("ration");
    QTest::addColumn<bool>("ja");

    QTest::newRow("ja") << QList<TestRationsZeile>{{9001, 20, 0, 1}, {9002, 0, 100, 0}} << true;
    QTest::newRow("nein") << QList<TestRationsZeile>{{9001, 20, 0, 1}, {9002, 0, 100, 0}} << false;
    QTest::newRow("leere Ration") << QList<TestRationsZeile>{} << true;
}

void AusgleichFensterTest::leeren()
{
    QFETCH(QList<TestRationsZeile>, ration);
    QFETCH(bool, ja);
    QVERIFY(RationAnlegen(Futter, ration));
    QVERIFY(u->Oeffnen());
    u->fenster->TMAusgeglichen = true;
    Vormerken();
    u->ui.Antworten(ja ? Antwort::Ja : Antwort::Nein);

    u->Knopf("cmdRationLoeschen")->click();
    QCOMPARE(u->ui.Texte(), QStringList{"Soll die angezeigte Ration wirklich gelöscht werden?"});
    QCOMPARE(u->ui.meldungen[0].titel, QStringLiteral("Ration löschen"));
    QCOMPARE(RationLesen().size(), ja ? 0 : ration.size());
    QCOMPARE(Ausgewertet(), ja);
    if (ja)
        QCOMPARE(u->Liste()->topLevelItem(0)->text(13), QStringLiteral("0"));
    // After Yes no figure of the old ration stays on screen, and nothing green.
    QLabel* ndf = u->Label("lblNDFKonzAnzeige");
    QCOMPARE(ndf->text().isEmpty(), ja);
    QCOMPARE(ndf->autoFillBackground(), !ja);
    // Clearing leaves the balancing flags alone.
    QVERIFY(u->fenster->TMAusgeglichen);
}

void AusgleichFensterTest::gesperrtImMengenEditor()
{
    QVERIFY(RationAnlegen(Futter, {{9001, 20, 0, 1}, {9002, 3, 0, 1}}));
    QVERIFY(u->Oeffnen());
    QVERIFY(u->Bearbeiten(9001));
    for (const char* name : {"cmdRationLoeschen", "cmdInVariableUmwandeln", "LöschEreignisAufrufen"})
        QVERIFY2(!u->Knopf(name)->isEnabled(), name);
    // The main window's menu item finds the command off and leaves the ration.
    Markieren(u->Liste(), {0, 1});
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
    QTest::newRow("ndf") << "ndf";
    QTest::newRow("tm") << "tm";
}

void AusgleichFensterTest::befehlszeileWieFenster()
{
    QFETCH(QString, art);
    QVERIFY(RationAnlegen(Futter, FixUndZweiFreie));

    // The command line first, on the stored ration.
    QString ausgabe, fehler;
    QTextStream aus(&ausgabe), fehlerStrom(&fehler);
    QCOMPARE(BefehlszeileAusfuehren({"kelvora", "ausgleichen", art, "--datenordner", u->ordner.Pfad()}, aus, fehlerStrom), 0);
    QCOMPARE(fehler, QString());
    const QList<GespeicherteZeile> befehl = RationLesen();

    // Then the window's button on the same ration.
    QVERIFY(Ausfuehren(QStringLiteral("UPDATE Ration SET FutterFrischMenge = 0 WHERE FixeMenge = 0")));
    QVERIFY(u->Oeffnen());
    u->Knopf(art == QLatin1String("ndf") ? "cmdNDFAusgleichen" : "cmdTMAusgleichen")->click();
    MengenGleich(RationLesen(), befehl);

    // The printed list is the window's list.
    const QStringList zeilen = ausgabe.split(QLatin1Char('\n'));
    for (int i = 0; i < u->Liste()->topLevelItemCount(); ++i) {
        QStringList texte;
        for (int s = 1; s <= 13; ++s)
            texte << u->Liste()->topLevelItem(i)->text(s);
        QCOMPARE(zeilen.value(i), texte.join(QLatin1Char('\t')));
    }
    // The last ten lines are the result window's column of this balancing.
    QWidget* ergebnis = u->haupt->OffenesFenster("ErgebnisFenster");
    QVERIFY(ergebnis);
    const QString spalte = art == QLatin1String("ndf") ? QStringLiteral("NDF") : QStringLiteral("TMA");
    const qsizetype start = zeilen.size() - 11;  // the output ends with a line feed
    QCOMPARE(zeilen[start], "Bewertung nach " + spalte + "\tSoll\tIst\tAbweichung");
    const char* const namen[] = {"NEL", "Rohprotein", "UDP", "NFC", "NDF", "GrundfutterNDF", "ADF", "Calzium",
                                 "Phosphor"};
    for (int i = 0; i < 9; ++i) {
        const QStringList teile = zeilen[start + 1 + i].split(QLatin1Char('\t'));
        QCOMPARE(teile.size(), 4);
        const QString name = QString::fromLatin1(namen[i]);
        QCOMPARE(teile[1], ergebnis->findChild<QLabel*>("lblSoll" + name)->text());
        QCOMPARE(teile[2], ergebnis->findChild<QLabel*>("lblIst" + spalte + name)->text());
        QLabel* abweichung = ergebnis->findChild<QLabel*>("lblAbweichung" + spalte + name);
        QCOMPARE(teile[3], abweichung->isHidden() ? QString() : abweichung->text());
    }
    QCOMPARE(zeilen.last(), QString());
}

void AusgleichFensterTest::befehlszeileMeldungen_data()
{
    QTest::addColumn<QList<TestRationsZeile>>("ration");
    QTest::addColumn<QString>("art");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<bool>("ausgabe");

    QTest::newRow("alle fix") << QList<TestRationsZeile>{{9001, 20, 0, 1}} << "ndf" << 3 << KeinFreies << false;
    // Too much fixed dry matter is told, yet the balancing counts as done.
    QTest::newRow("fix über TM-Maximum")
        << QList<TestRationsZeile>{{9001, 100, 0, 1}, {9002, 0, 100, 0}} << "tm" << 0
        << "Ausgleich ist nicht möglich, da mit den fixierten Futtermitteln bereits die maximale TM-Menge "
           "überschritten wird!"
        << true;
    QTest::newRow("unbekannte Art") << QList<TestRationsZeile>{{9001, 20, 0, 1}} << "xp" << 2
                                    << "Geben Sie an, wonach ausgeglichen werden soll: tm oder ndf." << false;
}

void AusgleichFensterTest::befehlszeileMeldungen()
{
    QFETCH(QList<TestRationsZeile>, ration);
    QFETCH(QString, art);
    QFETCH(QString, meldung);
    QFETCH(bool, ausgabe);
    QVERIFY(RationAnlegen(Futter, ration));
    const QList<GespeicherteZeile> vorher = RationLesen();

    QString aus, fehler;
    QTextStream ausStrom(&aus), fehlerStrom(&fehler);
    QTEST(BefehlszeileAusfuehren({"kelvora", "ausgleichen", art, "--datenordner", u->ordner.Pfad()}, ausStrom, fehlerStrom), "code");
    QVERIFY2(fehler.startsWith(meldung + QLatin1Char('\n')), qPrintable(fehler));
    QCOMPARE(!aus.isEmpty(), ausgabe);
    if (ausgabe)
        QVERIFY(aus.contains(QStringLiteral("Bewertung nach TMA\tSoll\tIst\tAbweichung\n")));
    // The command's own seam took the message.
    QVERIFY(u->ui.meldungen.isEmpty());
    MengenGleich(RationLesen(), vorher);
}

KELVORA_TEST(AusgleichFensterTest)
#include "tst_AusgleichFenster.moc"
