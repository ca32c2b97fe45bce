// The German block of the evaluation: nXP requirement, Mg/Na/K
// recommendations and the labels of hand-checked rations.

#include "TestRegister.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "ration/GfE.h"

#include <QMap>
#include <QTest>

using namespace kelvora;

namespace {

// A feed with the values the block reads, per kg DM.
struct G {
    QString name;
    double tm = 1000;
    double xp = 0, me = 0, nel = 0;
    std::array<double, GfEGroessen> werte {}; // nXP, RNB, Mg, Na, K, Cu, Zn, Mn
};

// Values near those of the delivered feeds, rounded so that the sums can be
// checked by hand. The grass silage has half its fresh matter as DM.
const QMap<long, G> Futter {
    { 1, { "Grassilage", 500, 160, 10, 6, { 140, 3.2, 2, 1, 30, 8, 40, 60 } } },
    { 2, { "Maissilage", 1000, 80, 11, 6.6, { 130, -8, 1.5, 0.2, 10, 5, 30, 30 } } },
    { 3, { "Sojaschrot", 1000, 500, 13.7, 8.6, { 290, 33.6, 3, 0.2, 22, 17, 55, 38 } } },
    // A mineral has no organic matter: its K of 0 is a true "none".
    { 4, { "Mineral", 1000, 0, 0, 0, { 0, 0, 50, 100, 0, 1000, 6000, 4000 } } },
    // Nothing but the energy and protein was entered.
    { 5, { "Heu ohne Werte", 1000, 120, 9, 5.4, {} } },
    // nXP equal to XP: an RNB of 0 is the feed's real balance.
    { 6, { "Heu ausgeglichen", 1000, 130, 9.4, 5.5, { 130, 0, 2, 0.5, 24, 8, 32, 85 } } },
    // For the edges: one kilogram of DM of exactly chosen values.
    { 7, { "nXP 300", 1000, 400, 12, 7, { 300, 0.4, 3.2, 2.8, 20.3, 10, 49.94, 50 } } },
    { 8, { "RNB -0,5", 1000, 400, 12, 7, { 300, -0.5, 1, 1, 1, 9.96, 50, 50 } } },
    { 9, { "RNB 50,5", 1000, 400, 12, 7, { 300, 50.5, 1, 1, 1, 10, 50, 50 } } },
};

FutterWertFunktion Werte()
{
    return [](long id, int code) -> QVariant {
        if (!Futter.contains(id))
            return {};
        const G& f = Futter[id];
        switch (code) {
        case FutterCode::Bezeichnung:
            return f.name;
        case FutterCode::TM_g:
            return f.tm;
        case FutterCode::XP_gTM:
            return f.xp;
        case FutterCode::ME_MJTM:
            return f.me;
        case FutterCode::NEL_MJTM:
            return f.nel;
        default:
            break;
        }
        for (int g = 0; g < GfEGroessen; ++g) {
            if (GfEFutterCode(GfEGroesse(g)) == code)
                return f.werte[g];
        }
        return {};
    };
}

// (feed, kg fresh matter)
using Mengen = QList<QPair<long, double>>;
using Erwartet = QMap<QString, QString>;

} // namespace

Q_DECLARE_METATYPE(Mengen)
Q_DECLARE_METATYPE(Erwartet)

class GfETest : public QObject {
    Q_OBJECT
private slots:
    void nXPBedarf_data()
    {
        QTest::addColumn<double>("gewicht");
        QTest::addColumn<double>("milch");
        QTest::addColumn<double>("eiweiss");
        QTest::addColumn<double>("bedarf");
        QTest::newRow("650 kg trocken") << 650.0 << 0.0 << 3.4 << 450.0;
        QTest::newRow("600 kg trocken") << 600.0 << 0.0 << 3.4 << 430.0;
        QTest::newRow("800 kg trocken") << 800.0 << 0.0 << 3.4 << 510.0;
        QTest::newRow("500 kg trocken") << 500.0 << 0.0 << 3.4 << 390.0;
        // 85 g per kg milk at 3.40 % protein, 97 g at 4.00 %.
        QTest::newRow("650 kg, 35 kg, 3,40 %") << 650.0 << 35.0 << 3.4 << 3425.0;
        QTest::newRow("600 kg, 25 kg, 4,00 %") << 600.0 << 25.0 << 4.0 << 2855.0;
    }

    void nXPBedarf()
    {
        QFETCH(double, gewicht);
        QFETCH(double, milch);
        QFETCH(double, eiweiss);
        QTEST(kelvora::nXPBedarf(gewicht, milch, eiweiss), "bedarf");
    }

    void empfehlung_data()
    {
        QTest::addColumn<int>("mineral");
        QTest::addColumn<double>("milch");
        QTest::addColumn<double>("gramm");
        QTest::newRow("Mg trocken") << int(GfEMg) << 0.0 << 16.0;
        QTest::newRow("K trocken") << int(GfEK) << 0.0 << 100.0;
        QTest::newRow("Mg 20 kg") << int(GfEMg) << 20.0 << 25.0;
        QTest::newRow("Na 50 kg") << int(GfENa) << 50.0 << 41.0;
        QTest::newRow("Mg 35 kg") << int(GfEMg) << 35.0 << 33.0;
        QTest::newRow("Na 15 kg") << int(GfENa) << 15.0 << 17.5;
        QTest::newRow("K 45 kg") << int(GfEK) << 45.0 << 242.5;
        QTest::newRow("K 2,5 kg") << int(GfEK) << 2.5 << 106.25;
        // Above 50 kg the step from 40 to 50 kg goes on.
        QTest::newRow("Mg 60 kg") << int(GfEMg) << 60.0 << 40.0;
        QTest::newRow("Na 55 kg") << int(GfENa) << 55.0 << 44.0;
        QTest::newRow("K 60 kg") << int(GfEK) << 60.0 << 280.0;
    }

    void empfehlung()
    {
        QFETCH(int, mineral);
        QFETCH(double, milch);
        QFETCH(double, gramm);
        QCOMPARE(MineralEmpfehlung(GfEGroesse(mineral), milch), gramm);
    }

    // The labels of a ration: "text" or "text|grün"/"text|rot" by label name;
    // labels not named are not checked in that row. The cow weighs 650 kg
    // and gives 30 kg milk with 3.40 % protein: nXP 3000 g, Mg 32, Na 28,
    // K 203 g.
    void anzeigen_data()
    {
        QTest::addColumn<Mengen>("mengen");
        QTest::addColumn<Erwartet>("erwartet");
        QTest::addColumn<QString>("tippEnthaelt");

        // 10 kg DM grass and 8 kg maize silage: nXP 1400 + 1040, RNB 32 - 64,
        // Mg 20 + 12, Na 10 + 1.6, K 300 + 80; Cu 120 / 18, Zn 640 / 18,
        // Mn 840 / 18.
        QTest::newRow("Grundfutter allein")
            << Mengen { { 1, 20 }, { 2, 8 } }
            << Erwartet { { "lblnXPAnzeige", "2440|rot" }, { "lblnXPBedarfAnzeige", "3000|" },
                   { "lblRNBAnzeige", "-32|rot" }, { "lblMgAnzeige", "32,0|grün" }, { "lblMgBedarfAnzeige", "32,0|" },
                   { "lblNaAnzeige", "11,6|rot" }, { "lblNaBedarfAnzeige", "28,0|" }, { "lblKAnzeige", "380,0|grün" },
                   { "lblKBedarfAnzeige", "203,0|" }, { "lblCuAnzeige", "6,7|rot" }, { "lblZnAnzeige", "35,6|rot" },
                   { "lblMnAnzeige", "46,7|rot" } }
            << "";
        // Plus 2 kg soybean meal and 0.2 kg mineral (20.2 kg DM): nXP 3020,
        // RNB 35.2, Mg 48, Na 32, K 424 (the mineral's K 0 counts);
        // Cu 354 / 20.2, Zn 1950 / 20.2, Mn 1716 / 20.2.
        QTest::newRow("mit Soja und Mineral")
            << Mengen { { 1, 20 }, { 2, 8 }, { 3, 2 }, { 4, 0.2 } }
            << Erwartet { { "lblnXPAnzeige", "3020|grün" }, { "lblRNBAnzeige", "+35|grün" },
                   { "lblMgAnzeige", "48,0|grün" }, { "lblNaAnzeige", "32,0|grün" }, { "lblKAnzeige", "424,0|grün" },
                   { "lblCuAnzeige", "17,5|grün" }, { "lblZnAnzeige", "96,5|grün" }, { "lblMnAnzeige", "85,0|grün" } }
            << "";
        QTest::newRow("Futter ohne Werte")
            << Mengen { { 1, 20 }, { 5, 2 }, { 4, 0.2 } }
            << Erwartet { { "lblnXPAnzeige", "unvollständig|" }, { "lblnXPBedarfAnzeige", "3000|" },
                   { "lblRNBAnzeige", "unvollständig|" }, { "lblMgAnzeige", "unvollständig|" },
                   { "lblKAnzeige", "unvollständig|" }, { "lblMnAnzeige", "unvollständig|" } }
            << "Ohne nXP-Wert: Heu ohne Werte.";
        // Without a row with dry matter: nothing supplied, no concentration.
        QTest::newRow("leere Ration")
            << Mengen { { 2, 0 } }
            << Erwartet { { "lblnXPAnzeige", "0|rot" }, { "lblRNBAnzeige", "0|grün" }, { "lblCuAnzeige", "|" } } << "";
        QTest::newRow("RNB 0 bei nXP gleich XP")
            << Mengen { { 6, 1 } } << Erwartet { { "lblRNBAnzeige", "0|grün" } } << "";
        // 10 kg of "nXP 300": supply equals the requirement.
        QTest::newRow("nXP gleich Bedarf")
            << Mengen { { 7, 10 } } << Erwartet { { "lblnXPAnzeige", "3000|grün" }, { "lblRNBAnzeige", "+4|grün" } }
            << "";
        QTest::newRow("nXP 1 g unter Bedarf")
            << Mengen { { 7, 9.9966 } } << Erwartet { { "lblnXPAnzeige", "2999|rot" } } << "";
        // One kilogram: the shown value decides, as for the other lights.
        QTest::newRow("Grenzen an 1 kg") << Mengen { { 7, 1 } }
                                         << Erwartet { { "lblRNBAnzeige", "0|grün" }, { "lblCuAnzeige", "10,0|grün" },
                                                { "lblZnAnzeige", "49,9|rot" }, { "lblMnAnzeige", "50,0|grün" } }
                                         << "";
        QTest::newRow("RNB -0,5 und Cu 9,96")
            << Mengen { { 8, 1 } } << Erwartet { { "lblRNBAnzeige", "-1|rot" }, { "lblCuAnzeige", "10,0|grün" } } << "";
        QTest::newRow("RNB 50,5") << Mengen { { 9, 1 } } << Erwartet { { "lblRNBAnzeige", "+51|rot" } } << "";
        QTest::newRow("RNB 50") << Mengen { { 9, 50.0 / 50.5 } } << Erwartet { { "lblRNBAnzeige", "+50|grün" } } << "";
    }

    void anzeigen()
    {
        QFETCH(Mengen, mengen);
        QFETCH(Erwartet, erwartet);
        QFETCH(QString, tippEnthaelt);
        QList<RationZeile> zeilen;
        for (const auto& [id, kg] : mengen)
            zeilen.append({ id, id, kg, 0, 1 });
        const GfEErgebnis e = GfEBerechnen(GfEFutterLesen(zeilen, Werte()), 650, 30, 3.4);
        const QList<Anzeige> anzeigen = GfEAnzeigenBilden(e);

        QStringList namen;
        for (const Anzeige& a : anzeigen)
            namen << a.name;
        QCOMPARE(namen, GfEAnzeigenNamen());
        const QMap<qint64, QString> farben { { 0, "" }, { Farbe::Gruen, "grün" }, { Farbe::Hellrot, "rot" } };
        for (const Anzeige& a : anzeigen) {
            if (erwartet.contains(a.name))
                QCOMPARE(a.text + QLatin1Char('|') + farben.value(a.hintergrund, "?"), erwartet[a.name]);
        }
        if (!tippEnthaelt.isEmpty())
            QVERIFY2(anzeigen[0].tipp.contains(tippEnthaelt), qPrintable(anzeigen[0].tipp));
        // The requirement carries no light and says what it leaves out.
        QCOMPARE(anzeigen[1].hintergrund, 0);
        QVERIFY(anzeigen[1].tipp.contains(QStringLiteral("Trächtigkeit ist nicht enthalten")));
    }
};

KELVORA_TEST(GfETest)
#include "tst_GfE.moc"
