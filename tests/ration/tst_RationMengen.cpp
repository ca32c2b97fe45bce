#include "RationsTestdaten.h"
#include "TestRegister.h"
#include "ration/RationAnteile.h"
#include "ration/RationMengen.h"
#include "ration/RationUebernahme.h"

#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

Q_DECLARE_METATYPE(kelvora::MengenFehler)

namespace {

RationZeile Frei(long id, double anteil)
{
    return {id, id + 100, 0, anteil, 0};
}

RationZeile Fix(long id, double frisch)
{
    return {id, id + 100, frisch, 0, 1};
}

} // namespace

// Steps, conversions and the checks and offers of the amount editor.
class RationMengenTest : public QObject {
    Q_OBJECT
private slots:
    void schritt_data();
    void schritt();
    void umrechnungOhneTrockenmasse();
    void anteile_data();
    void anteile();
    void eingabePruefen_data();
    void eingabePruefen();
    void wieAngezeigt_data();
    void wieAngezeigt();
    void hundertProzent_data();
    void hundertProzent();
};

void RationMengenTest::schritt_data()
{
    QTest::addColumn<bool>("anteil");  // the share box, else an amount box
    QTest::addColumn<double>("wert");
    QTest::addColumn<bool>("hoch");
    QTest::addColumn<double>("ergebnis");  // -1: unchanged
    // The band edges of the step table, both directions.
    QTest::newRow("10 runter") << false << 10.0 << false << 9.0;
    QTest::newRow("9,99 hoch") << false << 9.99 << true << 10.49;
    QTest::newRow("5 runter") << false << 5.0 << false << 4.5;
    QTest::newRow("4,99 runter") << false << 4.99 << false << 4.89;
    QTest::newRow("1 hoch") << false << 1.0 << true << 1.1;
    QTest::newRow("0,99 hoch") << false << 0.99 << true << 1.04;
    QTest::newRow("0,5 hoch") << false << 0.5 << true << 0.55;
    QTest::newRow("0,49 runter") << false << 0.49 << false << 0.48;
    QTest::newRow("0,1 runter") << false << 0.1 << false << 0.09;
    QTest::newRow("0,09 hoch") << false << 0.09 << true << 0.1;
    QTest::newRow("0,09 runter") << false << 0.09 << false << -1.0;
    QTest::newRow("negativ hoch") << false << -3.0 << true << -2.99;
    // Shares move by 5 and never leave 0 to 100.
    QTest::newRow("Anteil 95 hoch") << true << 95.0 << true << 100.0;
    QTest::newRow("Anteil 4,99 runter") << true << 4.99 << false << -1.0;
}

void RationMengenTest::schritt()
{
    QFETCH(bool, anteil);
    QFETCH(double, wert);
    QFETCH(bool, hoch);
    QFETCH(double, ergebnis);
    const auto neu = anteil ? AnteilSchritt(wert, hoch) : MengenSchritt(wert, hoch);
    QCOMPARE(bool(neu), ergebnis != -1.0);
    // Exact: the step leaves no binary remainder behind.
    if (neu)
        QCOMPARE(*neu, ergebnis);
}

void RationMengenTest::umrechnungOhneTrockenmasse()
{
    QCOMPARE(*FrischInTrocken(10, 350), 3.5);
    QCOMPARE(*TrockenInFrisch(3.5, 350), 10.0);
    QVERIFY(!FrischInTrocken(10, 0));
    QVERIFY(!TrockenInFrisch(2, 0));
    QVERIFY(!FrischInTrocken(0, 350));
    QVERIFY(!TrockenInFrisch(-1, 350));
}

void RationMengenTest::anteile_data()
{
    QTest::addColumn<QList<RationZeile>>("zeilen");
    QTest::addColumn<double>("vorschlag");  // for the feed of row 1: what the others leave
    QTest::addColumn<bool>("vollstaendig");
    QTest::newRow("allein") << QList<RationZeile>{Frei(1, 0), Fix(2, 10)} << 100.0 << false;
    QTest::newRow("andere 30 und 25") << QList<RationZeile>{Frei(1, 0), Frei(2, 30), Frei(3, 25)} << 45.0 << false;
    QTest::newRow("andere über 100") << QList<RationZeile>{Frei(1, 0), Frei(2, 70), Frei(3, 50)} << 0.0 << false;
    QTest::newRow("keine freien") << QList<RationZeile>{Fix(1, 5)} << 100.0 << true;
    QTest::newRow("100") << QList<RationZeile>{Frei(1, 60), Frei(2, 40)} << 60.0 << true;
    // Shares scaled before add up to 100 only up to the last binary digit.
    QTest::newRow("geteilt durch 1,2") << QList<RationZeile>{Frei(1, 50 / 1.2), Frei(2, 30 / 1.2), Frei(3, 40 / 1.2)}
                                       << 50 / 1.2 << true;
    QTest::newRow("99,99") << QList<RationZeile>{Frei(1, 59.99), Frei(2, 40)} << 60.0 << false;
    // 100 to the two decimals a share is shown with.
    QTest::newRow("99,997") << QList<RationZeile>{Frei(1, 43.6), Frei(2, 56.397)} << 43.603 << true;
}

void RationMengenTest::anteile()
{
    QFETCH(QList<RationZeile>, zeilen);
    QTEST(AnteilVorschlag(zeilen, 1), "vorschlag");
    QTEST(AnteileVollstaendig(FreieAnteileZaehlen(zeilen)), "vollstaendig");
}

void RationMengenTest::eingabePruefen_data()
{
    QTest::addColumn<QStringList>("texte");  // fresh, dry, share; empty share: box hidden
    QTest::addColumn<bool>("fix");
    QTest::addColumn<MengenFehler>("fehler");
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<double>("frisch");
    QTest::addColumn<double>("anteil");

    const QString prozent = QStringLiteral("Geben Sie eine Prozentzahl von maximal 100 ein!");
    const auto keineZahl = [](const char* feld, const char* text) {
        return QStringLiteral("Bitte geben Sie bei %1 eine Zahl ein (zum Beispiel 12,5). \"%2\" ist keine Zahl.")
            .arg(QString::fromUtf8(feld), QString::fromUtf8(text));
    };
    const auto ok = MengenFehler::Keiner;
    QTest::newRow("fixe Menge an der Grenze") << QStringList{"500", "2,98", ""} << true << ok << "" << 500.0 << 0.0;
    // Boxes the other kind of amount emptied count as 0.
    QTest::newRow("Anteil") << QStringList{"", "", "100"} << false << ok << "" << 0.0 << 100.0;
    QTest::newRow("Anteil über 100") << QStringList{"", "", "100,5"} << false << MengenFehler::Anteil << prozent
                                     << 0.0 << 0.0;
    QTest::newRow("Anteil Buchstaben") << QStringList{"", "", "zehn"} << false << MengenFehler::Anteil
                                       << keineZahl("Anteil in %", "zehn") << 0.0 << 0.0;
    QTest::newRow("Frischmasse negativ") << QStringList{"-2", "1", "0"} << true << MengenFehler::Frischmasse
                                         << "Geben Sie eine positive Zahl ein!" << 0.0 << 0.0;
    QTest::newRow("Frischmasse absurd") << QStringList{"99999999999", "1", "0"} << true << MengenFehler::Frischmasse
                                        << "Der Wert bei Menge in kg Frischmasse muss zwischen 0 und 500 kg "
                                           "Frischmasse liegen. Bitte korrigieren Sie die Eingabe."
                                        << 0.0 << 0.0;
    QTest::newRow("Trockenmasse Buchstaben") << QStringList{"5", "drei", "0"} << true << MengenFehler::Trockenmasse
                                             << keineZahl("Menge in kg Trockenmasse", "drei") << 5.0 << 0.0;
}

void RationMengenTest::eingabePruefen()
{
    QFETCH(QStringList, texte);
    QFETCH(bool, fix);
    QFETCH(QString, meldung);
    TestOberflaeche ui;
    MengenEingabe e;
    MengenTexte t;
    t.frisch = texte[0];
    t.trocken = texte[1];
    t.anteil = texte[2];
    t.fix = fix;
    QTEST(MengenEingabePruefen(t, e), "fehler");
    QCOMPARE(ui.Texte(), meldung.isEmpty() ? QStringList{} : QStringList{meldung});
    QTEST(e.frischMenge, "frisch");
    QTEST(e.prozentAnteil, "anteil");
    QCOMPARE(e.fix, fix);
}

void RationMengenTest::wieAngezeigt_data()
{
    QTest::addColumn<QStringList>("texte");  // fresh, share as taken over
    QTest::addColumn<double>("frisch");
    QTest::addColumn<double>("anteil");
    // The editor opened with 15,9834 kg and 43,6033 %, shown rounded.
    QTest::newRow("unverändert") << QStringList{"15,98", "43,60"} << 15.9834 << 43.6033;
    QTest::newRow("mit Leerzeichen") << QStringList{" 15,98", "43,60 "} << 15.9834 << 43.6033;
    QTest::newRow("Anteil getippt") << QStringList{"15,98", "43,61"} << 15.9834 << 43.61;
    QTest::newRow("Menge getippt") << QStringList{"15,97", "43,60"} << 15.97 << 43.6033;
}

void RationMengenTest::wieAngezeigt()
{
    QFETCH(QStringList, texte);
    TestOberflaeche ui;
    MengenTexte t;
    t.frisch = texte[0];
    t.trocken = QStringLiteral("5,59");
    t.anteil = texte[1];
    t.fix = false;
    t.frischGezeigt = QStringLiteral("15,98");
    t.anteilGezeigt = QStringLiteral("43,60");
    t.frischGespeichert = 15.9834;
    t.anteilGespeichert = 43.6033;
    MengenEingabe e;
    QCOMPARE(MengenEingabePruefen(t, e), MengenFehler::Keiner);
    QTEST(e.frischMenge, "frisch");
    QTEST(e.prozentAnteil, "anteil");
}

void RationMengenTest::hundertProzent_data()
{
    QTest::addColumn<QList<double>>("andere");    // shares of the other free feeds
    QTest::addColumn<double>("anteil");           // share taken over for the first feed
    QTest::addColumn<QList<int>>("antworten");    // 1 Yes, 0 No
    QTest::addColumn<QList<double>>("ergebnis");  // shares afterwards, by row
    QTest::addColumn<QString>("titel");           // of the first question, empty: none

    const QString eins = QStringLiteral("Summe nicht 100%");
    const QString mehrere = QStringLiteral("Summe nicht 100% - dieses freie Futtermittel nicht verändern");
    QTest::newRow("Ja: die anderen") << QList<double>{50, 30} << 40.0 << QList<int>{1}
                                     << QList<double>{40, 37.5, 22.5} << mehrere;
    QTest::newRow("Nein, Ja: alle") << QList<double>{50, 30} << 40.0 << QList<int>{0, 1}
                                    << QList<double>{100.0 / 3, 125.0 / 3, 25} << mehrere;
    QTest::newRow("Nein, Nein") << QList<double>{50, 30} << 40.0 << QList<int>{0, 0} << QList<double>{40, 50, 30}
                                << mehrere;
    QTest::newRow("genau 100") << QList<double>{60} << 40.0 << QList<int>{} << QList<double>{40, 60} << "";
    QTest::newRow("ein freies") << QList<double>{} << 80.0 << QList<int>{1} << QList<double>{100} << eins;
    // The others have no share: nothing to scale, nothing divided by zero.
    QTest::newRow("andere 0") << QList<double>{0, 0} << 40.0 << QList<int>{1} << QList<double>{40, 0, 0} << mehrere;
}

void RationMengenTest::hundertProzent()
{
    QFETCH(QList<double>, andere);
    QFETCH(double, anteil);
    QFETCH(QList<int>, antworten);
    QFETCH(QList<double>, ergebnis);
    QFETCH(QString, titel);
    DatenbankUmgebung u;
    QList<TestRationsZeile> ration{{9001, 10, 0, 1}};
    for (qsizetype i = 0; i < andere.size(); ++i)
        ration.append({9002 + i, 0, andere[i], 0});
    QVERIFY(u.bereit && RationAnlegen({{9001, 350, 0}, {9002, 880, 0}, {9003, 890, 0}}, ration));
    for (int a : antworten)
        u.ui.Antworten(a ? Antwort::Ja : Antwort::Nein);
    MengenEingabe e;
    e.futterID = 9001;
    e.prozentAnteil = anteil;
    e.fix = false;

    QVERIFY(MengeInRationSchreiben(programm().futterDatenbank, e));
    QCOMPARE(u.ui.meldungen.size(), antworten.size());
    if (!titel.isEmpty()) {
        QCOMPARE(u.ui.meldungen[0].titel, titel);
        QCOMPARE(u.ui.meldungen[0].standard, Antwort::Nein);
    }
    const QList<GespeicherteZeile> zeilen = RationLesen();
    QCOMPARE(zeilen.size(), ergebnis.size());
    for (qsizetype i = 0; i < zeilen.size(); ++i) {
        QVERIFY2(qAbs(zeilen[i].anteil - ergebnis[i]) < 1e-9, qPrintable(QString::number(i)));
        QCOMPARE(zeilen[i].fixeMenge, 0);
    }
}

KELVORA_TEST(RationMengenTest)
#include "tst_RationMengen.moc"
