#include "RationFensterHilfe.h"
#include "TestRegister.h"
#include "app/ui/HauptFenster.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Programm.h"
#include "ration/RationErgebnisPosition.h"
#include "ration/ui/ErgebnisFenster.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

namespace {

// Soll as the evaluation writes it for 600 kg and 25 kg milk with 4 % fat.
const ErgebnisSpalte Soll{"120 MJ", "2660 g", "35-38% vom RP", "35-43%", "min. 28%", "75% der NDF", "min. 18%",
                          "104 g", "67 g"};
// A ration that meets every target.
const ErgebnisSpalte IstImRahmen{"125 MJ", "2700 g", "36 %", "40 %", "30 %", "80 %", "20 %", "110 g", "70 g"};

} // namespace

class ErgebnisFensterTest : public RationFensterBasis {
    Q_OBJECT
private slots:
    void init()
    {
        RationFensterBasis::init();
        fenster = qobject_cast<ErgebnisFenster*>(u->haupt->FensterOeffnen(QStringLiteral("ErgebnisFenster")));
        QVERIFY(fenster);
    }
    void abweichungenInBeidenSpalten();
    void anteileNurMitTrockenmasse();
    void position_data();
    void position();
    void schliessenSpeichertNurNormal_data();
    void schliessenSpeichertNurNormal();

private:
    QLabel* Zelle(const QString& name) const { return fenster->findChild<QLabel*>(name); }
    void Schreiben(const ErgebnisSpalte& ist, const QStringList& spalten)
    {
        fenster->SollSchreiben(Soll);
        for (const QString& spalte : spalten)
            fenster->IstSchreiben(spalte, ist, true);
        fenster->AbweichungenNeuBerechnen();
    }

    ErgebnisFenster* fenster = nullptr;
};

void ErgebnisFensterTest::abweichungenInBeidenSpalten()
{
    // The deviations themselves are computed by the logic; here what the cells show.
    ErgebnisSpalte werte = IstImRahmen;
    werte[ErgUDP] = QStringLiteral("38,5 %");
    Schreiben(werte, {"NDF"});
    QCOMPARE(Zelle("lblIstNDFUDP")->text(), QStringLiteral("38,5 %"));
    QCOMPARE(Zelle("lblAbweichungNDFUDP")->text(), QStringLiteral("0,50"));
    QVERIFY(Zelle("lblAbweichungNDFUDP")->isVisible());
    QVERIFY(!Zelle("lblAbweichungNDFNEL")->isVisible());
    // The TMA column was never written: its placeholders read as 0.
    QCOMPARE(Zelle("lblAbweichungTMANEL")->text(), QStringLiteral("-120 MJ"));
    QVERIFY(Zelle("lblAbweichungTMANEL")->isVisible());
    QCOMPARE(Zelle("lblAbweichungTMAUDP")->text(), QStringLiteral("-35,00"));
    QCOMPARE(Zelle("lblSollUDP")->text(), QStringLiteral("35-38% vom RP"));
    QCOMPARE(Zelle("lblSollNEL")->text(), QStringLiteral("120 MJ"));
}

void ErgebnisFensterTest::anteileNurMitTrockenmasse()
{
    fenster->IstSchreiben("TM", IstImRahmen, true);
    ErgebnisSpalte neu = IstImRahmen;
    neu[ErgNEL] = "0 MJ";
    neu[ErgUDP] = "0 %";
    // A run without dry matter writes the amounts only; the shares stay.
    fenster->IstSchreiben("TM", neu, false);
    QCOMPARE(Zelle("lblIstTMANEL")->text(), QStringLiteral("0 MJ"));
    QCOMPARE(Zelle("lblIstTMAUDP")->text(), QStringLiteral("36 %"));
    QCOMPARE(Zelle("lblIstNDFNEL")->text(), QStringLiteral("-"));
    // No balancing named: nothing is written.
    fenster->IstSchreiben("", neu, true);
    QCOMPARE(Zelle("lblIstNDFUDP")->text(), QStringLiteral("-"));
}

void ErgebnisFensterTest::position_data()
{
    QTest::addColumn<QString>("links");
    QTest::addColumn<QString>("oben");
    QTest::addColumn<QString>("breit");
    QTest::addColumn<double>("hauptBreite");
    QTest::addColumn<double>("erwartetLinks");
    QTest::addColumn<double>("erwartetOben");
    QTest::newRow("Vorgaben") << "" << "" << "" << 12000.0 << 0.0 << 0.0;
    QTest::newRow("rechts außerhalb") << "20000" << "0" << "" << 12000.0 << 6650.0 << 0.0;
    QTest::newRow("schmal gespeichert") << "20000" << "0" << "1000" << 12000.0 << 8400.0 << 0.0;
    QTest::newRow("kleines Hauptfenster") << "4000" << "0" << "9000" << 3000.0 << 0.0 << 0.0;
    QTest::newRow("negativ") << "-300" << "-15" << "" << 12000.0 << 0.0 << 0.0;
}

void ErgebnisFensterTest::position()
{
    QFETCH(QString, links);
    QFETCH(QString, oben);
    QFETCH(QString, breit);
    QFETCH(double, hauptBreite);
    const QList<std::pair<const char*, QString>> werte{{"Links", links}, {"Oben", oben}, {"Breit", breit}};
    for (const auto& [schluessel, wert] : werte)
        if (!wert.isEmpty())
            INISpeichern("ErgebnisFenster", schluessel, wert);
    const FensterRechteck r = ErgebnisFensterPosition(hauptBreite);
    QTEST(r.links, "erwartetLinks");
    QTEST(r.oben, "erwartetOben");
    QCOMPARE(r.breite, 8235.0);
    QCOMPARE(r.hoehe, 5220.0);
}

void ErgebnisFensterTest::schliessenSpeichertNurNormal_data()
{
    QTest::addColumn<bool>("minimiert");
    QTest::addColumn<bool>("programmEndet");
    QTest::newRow("normal, vom Benutzer") << false << false;
    QTest::newRow("minimiert") << true << false;
    QTest::newRow("normal, Programmende") << false << true;
}

void ErgebnisFensterTest::schliessenSpeichertNurNormal()
{
    QFETCH(bool, minimiert);
    QFETCH(bool, programmEndet);
    auto* rahmen = qobject_cast<QMdiSubWindow*>(fenster->parentWidget());
    QVERIFY(rahmen);
    rahmen->move(90, 60);
    if (minimiert)
        QVERIFY(ErgebnisFensterMinimiert(u->haupt) == fenster);
    programm().programmEndet = programmEndet;
    rahmen->close();
    programm().programmEndet = false;
    QCOMPARE(INILesen("OffeneFenster", "ErgebnisFenster"), QString(programmEndet ? "1" : "0"));
    QCOMPARE(INILesen("ErgebnisFenster", "Links"), QString(minimiert ? "" : "1350"));
    QCOMPARE(INILesen("ErgebnisFenster", "Oben"), QString(minimiert ? "" : "900"));
    QCOMPARE(INILesen("ErgebnisFenster", "Breit"), QString(minimiert ? "" : "8235"));
}

KELVORA_TEST(ErgebnisFensterTest)
#include "tst_ErgebnisFenster.moc"
