#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/FensterPosition.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/ui/FensterPositionQt.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRectF>
#include <QTest>

using namespace kelvora;

namespace {

// One window load: what is stored and what the surroundings are. The
// defaults describe a sizeable window in a large, not maximised main window.
struct Fall {
    QString gespeichert;  // lines of the window's section, separated by "|"
    double minBreite = 3000;
    double maxBreite = 9000;
    double minHoehe = 2000;
    double maxHoehe = 6000;
    int anzahl = 1;
    double innenBreite = 20000;
    double innenHoehe = 15000;
    bool maximiert = false;
    bool zentrieren = false;
};

FensterLadeDaten Daten(const Fall& f)
{
    return {.name = QStringLiteral("Testfenster"),
            .minBreite = f.minBreite,
            .maxBreite = f.maxBreite,
            .minHoehe = f.minHoehe,
            .maxHoehe = f.maxHoehe,
            .zentrieren = f.zentrieren,
            .gleichnamigeFenster = f.anzahl,
            .innenBreite = f.innenBreite,
            .innenHoehe = f.innenHoehe,
            .hauptfensterMaximiert = f.maximiert};
}

QRectF AlsRechteck(const FensterRechteck& r)
{
    return {r.links, r.oben, r.breite, r.hoehe};
}

} // namespace

Q_DECLARE_METATYPE(Fall)

class FensterPositionTest : public QObject {
    Q_OBJECT
private slots:
    void platzierung_data();
    void platzierung();
    void aufrufZaehler_data();
    void aufrufZaehler();
    void speichernUndWiederLaden();
    void zahlText_data();
    void zahlText();
    void unterfensterImHauptfenster();
};

void FensterPositionTest::platzierung_data()
{
    QTest::addColumn<Fall>("fall");
    QTest::addColumn<QRectF>("erwartet");  // left, top, width, height in twips

    QTest::newRow("nichts gespeichert: Mindestgroesse") << Fall{} << QRectF(0, 0, 3000, 2000);
    QTest::newRow("gespeichert") << Fall{.gespeichert = "Breit=4500|Hoch=3000|Links=1500|Oben=750"}
                                 << QRectF(1500, 750, 4500, 3000);
    QTest::newRow("unter Minimum angehoben, ueber Maximum gesenkt")
        << Fall{.gespeichert = "Breit=1000|Hoch=9000|Links=200|Oben=300"} << QRectF(200, 300, 3000, 6000);
    QTest::newRow("Maximum unter Minimum zaehlt als Minimum")
        << Fall{.gespeichert = "Breit=8000|Hoch=8000", .minBreite = 5000, .maxBreite = 1000}
        << QRectF(0, 0, 5000, 6000);
    QTest::newRow("feste Groesse") << Fall{.gespeichert = "Breit=8000|Hoch=1000|Links=10",
                                           .minBreite = 4000, .maxBreite = 4000, .minHoehe = 3000, .maxHoehe = 3000}
                                   << QRectF(10, 0, 4000, 3000);

    QTest::newRow("zweites Fenster kaskadiert") << Fall{.gespeichert = "Links=500|Oben=400", .anzahl = 2}
                                                << QRectF(1500, 1400, 3000, 2000);
    QTest::newRow("elftes Fenster wie das erste") << Fall{.gespeichert = "Links=500|Oben=400", .anzahl = 11}
                                                  << QRectF(500, 400, 3000, 2000);

    QTest::newRow("links hinter der Innenbreite")
        << Fall{.gespeichert = "Breit=4000|Links=12000|Oben=100", .innenBreite = 10000}
        << QRectF(5900, 100, 4000, 2000);
    QTest::newRow("negativ wird 0") << Fall{.gespeichert = "Breit=4000|Links=5000|Oben=-700", .innenBreite = 3000}
                                    << QRectF(0, 0, 4000, 2000);

    // A window without a stored size opens for the first time: fully inside.
    QTest::newRow("zum ersten Mal: hineingeschoben")
        << Fall{.gespeichert = "Links=7000|Oben=5000", .innenBreite = 10000, .innenHoehe = 8000}
        << QRectF(6940, 5000, 3000, 2000);
    QTest::newRow("maximiert: zurueckgeschoben")
        << Fall{.gespeichert = "Breit=4000|Hoch=3000|Links=7000|Oben=5000", .innenBreite = 10000,
                .innenHoehe = 8000, .maximiert = true}
        << QRectF(5940, 4940, 4000, 3000);
    QTest::newRow("maximiert: verkleinert")
        << Fall{.gespeichert = "Breit=6000|Hoch=5000|Links=1000|Oben=1000", .innenBreite = 5000,
                .innenHoehe = 4000, .maximiert = true}
        << QRectF(0, 0, 4940, 3940);

    QTest::newRow("unbrauchbare Werte: Vorgaben")
        << Fall{.gespeichert = "Breit=99999999|Hoch=-7000000|Links=123456789|Oben=-2000000"}
        << QRectF(0, 0, 3000, 2000);
    QTest::newRow("zentriert ohne Kaskade")
        << Fall{.gespeichert = "Breit=4000|Hoch=3000|Links=50|Oben=60", .anzahl = 4, .zentrieren = true}
        << QRectF(8000, 6000, 4000, 3000);
}

void FensterPositionTest::platzierung()
{
    QFETCH(Fall, fall);
    QFETCH(QRectF, erwartet);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    const QString inhalt = "[Testfenster]\r\n" + fall.gespeichert.split('|').join("\r\n") + "\r\n";
    ordner.Schreiben("KELVORA.INI", inhalt.toLatin1());

    const FensterLadeErgebnis e = FensterPositionLaden(Daten(fall));
    QCOMPARE(AlsRechteck(e.rechteck), erwartet);
    QCOMPARE(e.aufrufZaehler, 0L);
    // Loading reads, it writes nothing back.
    QCOMPARE(ordner.Roh("KELVORA.INI"), inhalt.toLatin1());
}

void FensterPositionTest::aufrufZaehler_data()
{
    QTest::addColumn<QByteArray>("gespeichert");  // empty: never counted
    QTest::addColumn<long>("anzahl");
    QTest::addColumn<QString>("start");
    const QString jetzt = QStringLiteral("04.12.2026 10:00");
    QTest::newRow("erster Aufruf") << QByteArray() << 1L << jetzt;
    QTest::newRow("weiter gezaehlt") << QByteArray("20") << 21L << "01.01.2020 00:00";
    // A damaged counter starts again at 1 instead of being counted on and
    // written back as garbage; the start time is that of the new count.
    QTest::newRow("negativ") << QByteArray("-5") << 1L << jetzt;
    QTest::newRow("Bruch") << QByteArray("2,5") << 1L << jetzt;
    QTest::newRow("riesig") << QByteArray("99999999999999999999") << 1L << jetzt;
}

void FensterPositionTest::aufrufZaehler()
{
    QFETCH(QByteArray, gespeichert);
    QFETCH(long, anzahl);
    QFETCH(QString, start);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    if (!gespeichert.isEmpty())
        ordner.Schreiben("KELVORA.INI", "[Testfenster]\r\nAufrufZ\xe4hler=" + gespeichert
                                            + "\r\nAufrufZ\xe4hlerStart=01.01.2020 00:00\r\n");
    FensterLadeDaten d = Daten(Fall{});
    d.aufrufZaehlen = true;
    QCOMPARE(FensterPositionLaden(d).aufrufZaehler, anzahl);
    QCOMPARE(INILesen("Testfenster", "AufrufZähler"), QString::number(anzahl));
    QCOMPARE(INILesen("Testfenster", "AufrufZählerStart"), start);
    QCOMPARE(INILesen("Testfenster", "LetzterAufruf"), QStringLiteral("04.12.2026 10:00:00"));
    // Counting leaves no trace in the daily log, a damaged counter does.
    const bool beschaedigt = !gespeichert.isEmpty() && anzahl == 1;
    QCOMPARE(ordner.Zeilen("26_12_04.txt"),
             beschaedigt ? QStringList{"E 10:00:00  Testfenster: AufrufZähler = " + QString::fromLatin1(gespeichert)
                                       + " ist keine Anzahl; die Zählung beginnt neu."}
                         : QStringList());
}

void FensterPositionTest::speichernUndWiederLaden()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    QVERIFY(FensterPositionSpeichern(QStringLiteral("Testfenster"), FensterRechteck{1500, 450, 4500.5, 3000}));
    QCOMPARE(ordner.Roh("KELVORA.INI"), QByteArray("[Testfenster]\r\nBreit=4500,5\r\nHoch=3000\r\nLinks=1500\r\n"
                                                   "Oben=450\r\n"));
    QCOMPARE(ordner.Zeilen("26_12_04.txt"),
             QStringList{"E 10:00:00  Testfenster wurde geschlossen und die Position gespeichert."});
    QCOMPARE(AlsRechteck(FensterPositionLaden(Daten(Fall{})).rechteck), QRectF(1500, 450, 4500.5, 3000));
}

void FensterPositionTest::zahlText_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<QString>("text");
    QTest::newRow("null") << 0.0 << "0";
    QTest::newRow("sieben Stellen") << 1.0 / 3.0 << "0,3333333";
    QTest::newRow("einfache Genauigkeit") << 0.1 << "0,1";
    QTest::newRow("gross ohne Exponent") << 123456789.0 << "123456792";
}

void FensterPositionTest::zahlText()
{
    QFETCH(double, wert);
    QFETCH(QString, text);
    QCOMPARE(EinfacheGenauigkeitText(wert), text);
}

void FensterPositionTest::unterfensterImHauptfenster()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    ordner.Schreiben("KELVORA.INI", "[wdwFuttermittel]\r\nBreit=4500\r\nHoch=3000\r\nLinks=1500\r\nOben=750\r\n");

    QMainWindow haupt;
    auto* bereich = new QMdiArea;
    haupt.setCentralWidget(bereich);
    haupt.resize(800, 600);
    haupt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&haupt));

    auto* liste = new QWidget;
    liste->setObjectName(QStringLiteral("wdwFuttermittel"));
    QCOMPARE(FensterPositionLaden(liste, bereich, 3000, 30000, 1500, 30000, false, true), 1L);
    QMdiSubWindow* sub = UnterfensterVon(liste);
    QVERIFY(sub);
    QCOMPARE(sub->mdiArea(), bereich);
    QCOMPARE(sub->geometry(), QRect(100, 50, 300, 200));
    QVERIFY(sub->isVisible());
    QCOMPARE(bereich->activeSubWindow(), sub);

    // A window of another name does not count, a second one of the same name
    // cascades by 1000 twips (66.7 pixels).
    auto* andere = new QWidget;
    andere->setObjectName(QStringLiteral("StammdatenFenster2"));
    bereich->addSubWindow(andere)->show();
    auto* zweite = new QWidget;
    zweite->setObjectName(QStringLiteral("wdwFuttermittel"));
    QCOMPARE(FensterPositionLaden(zweite, bereich, 3000, 30000, 1500, 30000, false, true, true), 2L);
    QCOMPARE(UnterfensterVon(zweite)->geometry(), QRect(167, 117, 300, 200));
    QVERIFY(!UnterfensterVon(zweite)->isVisible());

    sub->setGeometry(20, 30, 400, 250);
    FensterPositionSpeichern(liste);
    QCOMPARE(INILesen("wdwFuttermittel", "Links"), QStringLiteral("300"));
    QCOMPARE(INILesen("wdwFuttermittel", "Oben"), QStringLiteral("450"));
    QCOMPARE(INILesen("wdwFuttermittel", "Breit"), QStringLiteral("6000"));
    QCOMPARE(INILesen("wdwFuttermittel", "Hoch"), QStringLiteral("3750"));
}

KELVORA_TEST(FensterPositionTest)
#include "tst_FensterPosition.moc"
