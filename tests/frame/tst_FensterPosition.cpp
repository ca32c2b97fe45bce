#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/FensterPosition.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/ui/FensterPositionQt.h"

#include <QFile>
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
    FensterLadeDaten d;
    d.name = QStringLiteral("Testfenster");
    d.minBreite = f.minBreite;
    d.maxBreite = f.maxBreite;
    d.minHoehe = f.minHoehe;
    d.maxHoehe = f.maxHoehe;
    d.gleichnamigeFenster = f.anzahl;
    d.innenBreite = f.innenBreite;
    d.innenHoehe = f.innenHoehe;
    d.hauptfensterMaximiert = f.maximiert;
    d.zentrieren = f.zentrieren;
    return d;
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
    void aufrufZaehler();
    void aufrufZaehlerUnbrauchbar_data();
    void aufrufZaehlerUnbrauchbar();
    void speichernUndWiederLaden();
    void zahlText_data();
    void zahlText();
    void unterfensterImHauptfenster();
    void hauptfensterSelbst();
};

void FensterPositionTest::platzierung_data()
{
    QTest::addColumn<Fall>("fall");
    QTest::addColumn<QRectF>("erwartet");  // left, top, width, height in twips

    QTest::newRow("nichts gespeichert: Mindestgroesse") << Fall{} << QRectF(0, 0, 3000, 2000);
    QTest::newRow("gespeichert") << Fall{.gespeichert = "Breit=4500|Hoch=3000|Links=1500|Oben=750"}
                                 << QRectF(1500, 750, 4500, 3000);
    QTest::newRow("unter Minimum angehoben") << Fall{.gespeichert = "Breit=1000|Hoch=0|Links=200|Oben=300"}
                                             << QRectF(200, 300, 3000, 2000);
    QTest::newRow("ueber Maximum gesenkt") << Fall{.gespeichert = "Breit=20000|Hoch=9000"} << QRectF(0, 0, 9000, 6000);
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
    QTest::newRow("links hinter der Innenbreite, kaskadiert")
        << Fall{.gespeichert = "Breit=4000|Links=12000", .anzahl = 3, .innenBreite = 10000}
        << QRectF(7900, 2000, 4000, 2000);
    QTest::newRow("negativ wird 0") << Fall{.gespeichert = "Breit=4000|Links=5000|Oben=-700", .innenBreite = 3000}
                                    << QRectF(0, 0, 4000, 2000);

    const QString weitRechts = "Breit=4000|Hoch=3000|Links=7000|Oben=5000";
    QTest::newRow("nicht maximiert: ragt hinaus")
        << Fall{.gespeichert = weitRechts, .innenBreite = 10000, .innenHoehe = 8000}
        << QRectF(7000, 5000, 4000, 3000);
    // A window without a stored size opens for the first time: fully inside.
    QTest::newRow("zum ersten Mal: hineingeschoben")
        << Fall{.gespeichert = "Links=7000|Oben=5000", .innenBreite = 10000, .innenHoehe = 8000}
        << QRectF(6940, 5000, 3000, 2000);
    QTest::newRow("maximiert: zurueckgeschoben")
        << Fall{.gespeichert = weitRechts, .innenBreite = 10000, .innenHoehe = 8000, .maximiert = true}
        << QRectF(5940, 4940, 4000, 3000);
    QTest::newRow("maximiert: verkleinert")
        << Fall{.gespeichert = "Breit=6000|Hoch=5000|Links=1000|Oben=1000", .innenBreite = 5000,
                .innenHoehe = 4000, .maximiert = true}
        << QRectF(0, 0, 4940, 3940);
    QTest::newRow("maximiert: nicht unter das Minimum")
        << Fall{.gespeichert = "Breit=6000|Hoch=5000|Links=1000|Oben=1000", .innenBreite = 2000,
                .innenHoehe = 1500, .maximiert = true}
        << QRectF(0, 0, 3000, 2000);

    QTest::newRow("unbrauchbare Werte: Vorgaben")
        << Fall{.gespeichert = "Breit=99999999|Hoch=-7000000|Links=123456789|Oben=-2000000"}
        << QRectF(0, 0, 3000, 2000);
    QTest::newRow("zentriert") << Fall{.gespeichert = "Breit=4000|Hoch=3000|Links=50|Oben=60", .zentrieren = true}
                               << QRectF(8000, 6000, 4000, 3000);
    QTest::newRow("zentriert ohne Kaskade")
        << Fall{.gespeichert = "Breit=4000|Hoch=3000", .anzahl = 4, .zentrieren = true}
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

void FensterPositionTest::aufrufZaehler()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    Fall f;
    FensterLadeDaten d = Daten(f);
    // Loading without counting leaves the counter alone.
    QCOMPARE(FensterPositionLaden(d).aufrufZaehler, 0L);
    QVERIFY(INILesen("Testfenster", "AufrufZähler").isEmpty());
    d.aufrufZaehlen = true;

    QCOMPARE(FensterPositionLaden(d).aufrufZaehler, 1L);
    QCOMPARE(INILesen("Testfenster", "AufrufZähler"), QStringLiteral("1"));
    QCOMPARE(INILesen("Testfenster", "AufrufZählerStart"), QStringLiteral("04.12.2026 10:00"));
    QCOMPARE(INILesen("Testfenster", "LetzterAufruf"), QStringLiteral("04.12.2026 10:00:00"));

    ui.uhr = QDateTime(QDate(2027, 1, 2), QTime(8, 5, 9));
    QCOMPARE(FensterPositionLaden(d).aufrufZaehler, 2L);
    QCOMPARE(INILesen("Testfenster", "AufrufZähler"), QStringLiteral("2"));
    QCOMPARE(INILesen("Testfenster", "AufrufZählerStart"), QStringLiteral("04.12.2026 10:00"));
    QCOMPARE(INILesen("Testfenster", "LetzterAufruf"), QStringLiteral("02.01.2027 08:05:09"));

    // A counter carried over from elsewhere keeps its start time.
    INISpeichern("Testfenster", "AufrufZähler", "20", true);
    INISpeichern("Testfenster", "AufrufZählerStart", "01.01.2020 00:00", true);
    QCOMPARE(AufrufZaehlen("Testfenster"), 21L);
    QCOMPARE(INILesen("Testfenster", "AufrufZählerStart"), QStringLiteral("01.01.2020 00:00"));

    // Counting leaves no trace in the daily logs.
    QVERIFY(!QFile::exists(ordner.Pfad("26_12_04.txt")));
    QVERIFY(!QFile::exists(ordner.Pfad("27_01_02.txt")));
    QVERIFY(ordner.Roh("KELVORA.INI").contains("AufrufZ\xe4hler=21\r\n"));
}

void FensterPositionTest::aufrufZaehlerUnbrauchbar_data()
{
    QTest::addColumn<QByteArray>("gespeichert");
    QTest::newRow("negativ") << QByteArray("-5");
    QTest::newRow("kein Zahlentext") << QByteArray("abc");
    QTest::newRow("true") << QByteArray("true");
    QTest::newRow("Bruch") << QByteArray("2,5");
    QTest::newRow("riesig") << QByteArray("99999999999999999999");
}

// A damaged counter starts again at 1 instead of being counted on and
// written back as garbage; the start time is that of the new count.
void FensterPositionTest::aufrufZaehlerUnbrauchbar()
{
    QFETCH(QByteArray, gespeichert);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    ordner.Schreiben("KELVORA.INI",
                     "[Testfenster]\r\nAufrufZ\xe4hler=" + gespeichert + "\r\nAufrufZ\xe4hlerStart=01.01.2020 00:00\r\n");
    QCOMPARE(AufrufZaehlen("Testfenster"), 1L);
    QCOMPARE(INILesen("Testfenster", "AufrufZähler"), QStringLiteral("1"));
    QCOMPARE(INILesen("Testfenster", "AufrufZählerStart"), QStringLiteral("04.12.2026 10:00"));
    QCOMPARE(ordner.Zeilen("26_12_04.txt"),
             QStringList{"E 10:00:00  Testfenster: AufrufZähler = " + QString::fromLatin1(gespeichert)
                         + " ist keine Anzahl; die Zählung beginnt neu."});
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
    QTest::newRow("ganz") << 12000.0 << "12000";
    QTest::newRow("null") << 0.0 << "0";
    QTest::newRow("negativ") << -1500.0 << "-1500";
    QTest::newRow("halb") << 1234.5 << "1234,5";
    QTest::newRow("sieben Stellen") << 1.0 / 3.0 << "0,3333333";
    QTest::newRow("klein") << 0.001234567 << "0,001234567";
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
    QVERIFY(ui.ereignisseVerarbeitet > 0);

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

    // Centred in the viewport of the MDI area.
    const QSize innen = bereich->viewport()->size();
    auto* mitte = new QWidget;
    mitte->setObjectName(QStringLiteral("ErgebnisFenster"));
    FensterPositionLaden(mitte, bereich, 3000, 3000, 1500, 1500, true, false);
    QCOMPARE(UnterfensterVon(mitte)->geometry(),
             QRect(qRound(innen.width() / 2.0 - 100), qRound(innen.height() / 2.0 - 50), 200, 100));

    sub->setGeometry(20, 30, 400, 250);
    FensterPositionSpeichern(liste);
    QCOMPARE(INILesen("wdwFuttermittel", "Links"), QStringLiteral("300"));
    QCOMPARE(INILesen("wdwFuttermittel", "Oben"), QStringLiteral("450"));
    QCOMPARE(INILesen("wdwFuttermittel", "Breit"), QStringLiteral("6000"));
    QCOMPARE(INILesen("wdwFuttermittel", "Hoch"), QStringLiteral("3750"));
    QCOMPARE(ordner.Zeilen("26_12_04.txt"),
             QStringList{"E 10:00:00  wdwFuttermittel wurde geschlossen und die Position gespeichert."});
}

void FensterPositionTest::hauptfensterSelbst()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    ordner.Schreiben("KELVORA.INI", "[HauptFenster]\r\nBreit=99999\r\nHoch=6000\r\nLinks=30\r\nOben=45\r\n");
    QMainWindow haupt;
    haupt.setObjectName(QStringLiteral("HauptFenster"));
    const QSizeF bildschirm = BildschirmInTwips(&haupt);
    QVERIFY(bildschirm.width() > 0);

    QCOMPARE(FensterPositionLaden(&haupt, nullptr, 3000, bildschirm.width(), 3000, bildschirm.height(), false, true),
             1L);
    QVERIFY(haupt.isVisible());
    QCOMPARE(haupt.size(), QSize(qRound(bildschirm.width() / 15), 400));
    QCOMPARE(haupt.pos(), QPoint(2, 3));

    FensterPositionSpeichern(&haupt);
    QCOMPARE(INILesenZahl("HauptFenster", "Breit"), bildschirm.width());
    QCOMPARE(INILesen("HauptFenster", "AufrufZähler"), QStringLiteral("1"));
}

KELVORA_TEST(FensterPositionTest)
#include "tst_FensterPosition.moc"
