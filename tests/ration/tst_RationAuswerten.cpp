#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "grundlagen/DatenTypen.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "ration/Bedarf.h"
#include "ration/Futterkosten.h"
#include "ration/RationAuswerten.h"

#include <QMap>
#include <QTest>
#include <optional>

using namespace kelvora;

namespace {

// A feed as the evaluation sees it through its value codes.
struct F {
    long id = 0;
    int art = 11;  // 1 to 5 forage, everything else concentrate
    double tm = 1000;
    double xp = 0, udp = 0, nfc = 0, adf = 0, ndf = 0, nel = 0, ca = 0, p = 0;
    QString typ = QStringLiteral("Milchleistungsfutter");
    QString name = QStringLiteral("Testfutter");
};

using Futterliste = QList<F>;
using Zeilen = QList<RationZeile>;

FutterWertFunktion Werte(const Futterliste& futter)
{
    static const QMap<int, double F::*> zahlen{
        {FutterCode::TM_g, &F::tm},       {FutterCode::XP_gTM, &F::xp},   {FutterCode::UDP_gTM, &F::udp},
        {FutterCode::NFC_gTM, &F::nfc},   {FutterCode::ADF_gTM, &F::adf}, {FutterCode::NDF_gTM, &F::ndf},
        {FutterCode::NEL_MJTM, &F::nel},  {FutterCode::Ca_gTM, &F::ca},   {FutterCode::P_gTM, &F::p}};
    return [futter](long id, int code) -> QVariant {
        const auto f = std::find_if(futter.cbegin(), futter.cend(), [id](const F& x) { return x.id == id; });
        if (f == futter.cend())
            return {};
        if (code == FutterCode::ArtName)
            return f->typ;
        if (code == FutterCode::Bezeichnung)
            return f->name;
        if (code == FutterCode::FutterArt)
            return QVariant::fromValue<qint32>(f->art);
        return zahlen.contains(code) ? QVariant((*f).*zahlen[code]) : QVariant();
    };
}

const TierEingaben Kuh{
    .gewicht = 600, .milch = 25, .fett = 4.0, .monat = 12, .milchpreis = {}, .letzterAusgleich = {}};

RationZeile Fix(long futterID, double kg, long id = 1)
{
    return {id, futterID, kg, 0, 1};
}

RationZeile Frei(long futterID, double anteil, double kg = 0, long id = 1)
{
    return {id, futterID, kg, anteil, 0};
}

Auswertung Auswerten(const Futterliste& futter, const Zeilen& zeilen, const TierEingaben& tier = Kuh)
{
    return RationBerechnen(tier, zeilen, Werte(futter));
}

const F Silage{.id = 9001, .art = 2, .tm = 350, .xp = 160, .udp = 40, .nfc = 250, .adf = 280, .ndf = 450,
               .nel = 6.4, .ca = 6, .p = 3.8, .typ = QStringLiteral("Grassilage"),
               .name = QStringLiteral("Grassilage 1. Schnitt")};

// "Soll" of the result window for the standard cow.
const ErgebnisSpalte Soll{"120 MJ", "2660 g", "35-38% vom RP", "35-43%", "min. 28%", "75% der NDF", "min. 18%",
                          "104 g", "67 g"};

// Feed 1 costs 25 €/dt, feed 2 30 €/dt, feed 3 has no price (Preis 0),
// feed 4 is not in the feed table at all.
QVariant Preise(long id, int code)
{
    if (code == FutterCode::Bezeichnung)
        return id == 4 ? QVariant() : QVariant(QStringLiteral("Futter %1").arg(id));
    if (code == FutterCode::PreisJeKgFM)
        return id == 1 ? 0.25 : id == 2 ? 0.30 : id == 3 ? 0.0 : QVariant();
    return {};
}

using Milchpreis = std::optional<double>;

} // namespace

Q_DECLARE_METATYPE(Futterliste)
Q_DECLARE_METATYPE(Zeilen)
Q_DECLARE_METATYPE(Milchpreis)
Q_DECLARE_METATYPE(kelvora::RationZeile)

// The evaluation of a ration and the figures it is built from: requirement,
// intake, costs.
class RationAuswertenTest : public QObject {
    Q_OBJECT
private slots:
    void futterZeilen_data();
    void futterZeilen();
    void grenzfarben_data();
    void grenzfarben();
    void ergebnisFenster();
    void abweichungen_data();
    void abweichungen();
    void abgebrochen_data();
    void abgebrochen();
    void aufnahmeOhneTabellenwert();
    void bedarf_data();
    void bedarf();
    void aufnahmeTabelle_data();
    void aufnahmeTabelle();
    void schaetzung_data();
    void schaetzung();
    void rasse_data();
    void rasse();
    void kosten_data();
    void kosten();
};

// The empty ration, the list lines of fixed and free feeds and every figure
// of three rations are compared as a whole with the output of "kelvora
// auswerten" (tests/data/auswerten); here the rules at their edges.

void RationAuswertenTest::futterZeilen_data()
{
    QTest::addColumn<Futterliste>("futter");
    QTest::addColumn<RationZeile>("zeile");
    QTest::addColumn<int>("spalte");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("summe");  // the same column of the sum line

    // R(150.5) = 150, then 2.5 × 150 = 375 (unrounded it would be 376).
    QTest::newRow("XP Tabellenwert gerade") << Futterliste{{.id = 1, .xp = 150.5}} << Fix(1, 2.5) << 4 << "375" << "375";
    // 2.5 × 101 = 252.5 -> 252, 3.5 × 101 = 353.5 -> 354.
    QTest::newRow("XP Produkt gerade") << Futterliste{{.id = 1, .xp = 101}} << Fix(1, 2.5) << 4 << "252" << "252";
    QTest::newRow("XP Produkt ungerade") << Futterliste{{.id = 1, .xp = 101}} << Fix(1, 3.5) << 4 << "354" << "354";
    // UDP, NFC, ADF and NDF are rounded the same way; their figures and the
    // thousands separator are in the golden outputs.
    // Fixed amounts and free ones with and without an amount are in the golden outputs.
    QTest::newRow("frei, Anteil gerundet") << Futterliste{Silage} << Frei(9001, 33.5) << 2 << "34 % " << "0,0";
    QTest::newRow("fehlendes Futter zählt mit") << Futterliste{} << Fix(4711, 5) << 2 << "5,00" << "5,0";
}

void RationAuswertenTest::futterZeilen()
{
    QFETCH(Futterliste, futter);
    QFETCH(RationZeile, zeile);
    QFETCH(int, spalte);
    const Auswertung a = Auswerten(futter, {zeile});
    QTEST(a.zeilen[0].texte[spalte], "text");
    QCOMPARE(a.zeilen[2].texte[1], QStringLiteral("SUMMEN"));
    QTEST(a.zeilen[2].texte[spalte], "summe");
}

void RationAuswertenTest::grenzfarben_data()
{
    QTest::addColumn<Futterliste>("futter");
    QTest::addColumn<Zeilen>("zeilen");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("farbe");

    const qint64 gruen = Farbe::Gruen;
    const qint64 rot = Farbe::Hellrot;
    const auto einKilo = [](F f) { return Futterliste{f}; };
    const Zeilen eins{Fix(1, 1)};
    const auto udp = [&](double g) { return einKilo({.id = 1, .xp = 10000, .udp = g}); };
    QTest::newRow("UDP 38,00") << udp(3800) << eins << "lblUDPKonzAnzeige" << "38,00" << gruen;
    QTest::newRow("UDP 34,99") << udp(3499) << eins << "lblUDPKonzAnzeige" << "34,99" << rot;
    QTest::newRow("UDP 38,01") << udp(3801) << eins << "lblUDPKonzAnzeige" << "38,01" << rot;
    QTest::newRow("UDP ohne Rohprotein") << einKilo({.id = 1}) << eins << "lblUDPKonzAnzeige" << "" << rot;
    const auto nfc = [&](double g) { return einKilo({.id = 1, .nfc = g}); };
    QTest::newRow("NFC 43,00") << nfc(430) << eins << "lblNFCKonzAnzeige" << "43,00" << gruen;
    QTest::newRow("NFC 43,10") << nfc(431) << eins << "lblNFCKonzAnzeige" << "43,10" << rot;
    const auto ndf = [&](double g) { return einKilo({.id = 1, .ndf = g}); };
    QTest::newRow("NDF 28,00") << ndf(280) << eins << "lblNDFKonzAnzeige" << "28,00" << gruen;
    QTest::newRow("NDF 27,90") << ndf(279) << eins << "lblNDFKonzAnzeige" << "27,90" << rot;
    // 600 kg: at most 7500 g NDF, tolerated up to 10 g more.
    QTest::newRow("NDF-Maximum plus 10") << ndf(7510) << eins << "lblNDFGrammAnzeige" << "7510" << gruen;
    QTest::newRow("NDF-Maximum plus 11") << ndf(7511) << eins << "lblNDFGrammAnzeige" << "7511" << rot;
    const auto adf = [&](double g) { return einKilo({.id = 1, .adf = g}); };
    QTest::newRow("ADF 18,00") << adf(180) << eins << "lblADFKonzAnzeige" << "18,00" << gruen;
    QTest::newRow("ADF 17,90") << adf(179) << eins << "lblADFKonzAnzeige" << "17,90" << rot;

    const Zeilen zwei{Fix(1, 1, 1), Fix(2, 1, 2)};
    const auto gf = [](double grund, double kraft) {
        return Futterliste{{.id = 1, .art = 2, .ndf = grund}, {.id = 2, .art = 11, .ndf = kraft}};
    };
    QTest::newRow("Grundfutter-NDF 75,00") << gf(750, 250) << zwei << "lblNDFGFKonzAnzeige" << "75,00" << gruen;
    QTest::newRow("Grundfutter-NDF 74,90") << gf(749, 251) << zwei << "lblNDFGFKonzAnzeige" << "74,90" << rot;
    QTest::newRow("Kraftfutter 50,00") << gf(0, 0) << zwei << "lblKraftfutterProzentAnzeige" << "50,00" << gruen;
    const Futterliste mehrKraft { { .id = 1, .art = 5, .tm = 999 }, { .id = 2, .art = 12 } };
    QTest::newRow("Kraftfutter 50,03") << mehrKraft << zwei << "lblKraftfutterProzentAnzeige"
                                       << "50,03" << rot;
    QTest::newRow("Futterart 6 ist Kraftfutter")
        << Futterliste { { .id = 1, .art = 5 }, { .id = 2, .art = 6 } } << zwei << "lblKraftfutterKiloAnzeige"
        << "1,00" << qint64(0);

    // 600 kg, 25 kg FCM: 19,20 kg DM at most; the check compares shown texts.
    const Futterliste tm{{.id = 1}};
    QTest::newRow("TM 19,20") << tm << Zeilen{Fix(1, 19.2)} << "lblTMKiloAnzeige" << "19,20" << gruen;
    QTest::newRow("TM 19,21") << tm << Zeilen{Fix(1, 19.21)} << "lblTMKiloAnzeige" << "19,21" << rot;

    // Requirement of the standard cow: 2660 g crude protein, 120.25 MJ NEL.
    // Tolerated above it: 450 g and 5 × (0.37 × 4 + 0.21 × 3.3 + 0.95) = 15.615 MJ.
    const qint64 magenta = Farbe::Magenta;
    const auto xp = [&](double g) { return einKilo({.id = 1, .xp = g, .nel = 125}); };
    const QString rp = QStringLiteral("lblUnterversorgungRohprotein");
    QTest::newRow("Rohprotein 450 g darüber") << xp(3110) << eins << rp << "" << qint64(0);
    QTest::newRow("Rohprotein 451 g darüber") << xp(3111) << eins << rp << "Überversorgung bei Rohprotein" << magenta;
    QTest::newRow("Rohprotein knapp darunter") << xp(2659) << eins << rp << "Unterversorgung bei Rohprotein" << rot;
    const auto nel = [&](double mj) { return einKilo({.id = 1, .xp = 2700, .nel = mj}); };
    const QString ne = QStringLiteral("lblUnterversorgungNEL");
    QTest::newRow("NEL Differenz 0") << nel(120.25) << eins << ne << "" << qint64(0);
    QTest::newRow("NEL 15,65 MJ darüber") << nel(135.9) << eins << ne << "Überversorgung bei NEL" << magenta;
    QTest::newRow("NEL knapp darunter") << nel(120.2) << eins << ne << "Unterversorgung bei NEL" << rot;
}

void RationAuswertenTest::grenzfarben()
{
    QFETCH(Futterliste, futter);
    QFETCH(Zeilen, zeilen);
    QFETCH(QString, label);
    QFETCH(qint64, farbe);
    const Auswertung a = Auswerten(futter, zeilen);
    const Anzeige* anzeige = a.AnzeigeNach(label);
    QVERIFY(anzeige);
    QVERIFY(anzeige->gesetzt);
    QTEST(anzeige->text, "text");
    QCOMPARE(anzeige->hintergrund, farbe);
    QCOMPARE(anzeige->textfarbe, farbe == 0 || farbe == Farbe::Magenta ? qint64(0) : FarbeFenstertext);
    // The supply labels show only when they have something to say.
    if (label.startsWith(QLatin1String("lblUnterversorgung")))
        QCOMPARE(anzeige->sichtbar, !anzeige->text.isEmpty());
}

void RationAuswertenTest::ergebnisFenster()
{
    TierEingaben tier = Kuh;
    const Auswertung ohne = Auswerten({Silage}, {Fix(9001, 10)}, tier);
    QVERIFY(ohne.ergebnis.spalte.isEmpty() && !ohne.ergebnisZeigen);
    QCOMPARE(ohne.ergebnis.soll, Soll);

    tier.letzterAusgleich = QStringLiteral("TM");
    tier.tmAusgeglichen = true;
    tier.ndfAusgeglichen = true;
    const Auswertung tm = Auswerten({Silage}, {Fix(9001, 10)}, tier);
    QVERIFY(tm.ergebnisZeigen && tm.ergebnis.anteileGesetzt);
    QCOMPARE(tm.ergebnis.spalte, QStringLiteral("TM"));
    const ErgebnisSpalte ist{"22 MJ", "560 g", "25 %", "25 %", "45 %", "100 %", "28 %", "21 g", "13 g"};
    QCOMPARE(tm.ergebnis.ist, ist);

    // Without dry matter only the sums reach the result window.
    const Auswertung leer = Auswerten({}, {}, tier);
    QCOMPARE(leer.ergebnis.ist[ErgNEL], QStringLiteral("0 MJ"));
    QVERIFY(!leer.ergebnis.anteileGesetzt && leer.ergebnis.ist[ErgUDP].isEmpty());
}

void RationAuswertenTest::abweichungen_data()
{
    QTest::addColumn<int>("zeile");
    QTest::addColumn<QString>("ist");
    QTest::addColumn<QString>("abweichung");
    QTest::addColumn<bool>("sichtbar");
    QTest::newRow("UDP über 38") << int(ErgUDP) << "38,5 %" << "0,50" << true;
    QTest::newRow("UDP unter 35") << int(ErgUDP) << "34 %" << "-1,00" << true;
    QTest::newRow("UDP im Rahmen") << int(ErgUDP) << "36 %" << "" << false;
    QTest::newRow("NFC 44") << int(ErgNFC) << "44 %" << "1,00" << true;
    QTest::newRow("NDF 27,5") << int(ErgNDF) << "27,5 %" << "-0,50" << true;
    QTest::newRow("Grundfutter-NDF 70") << int(ErgGrundfutterNDF) << "70 %" << "-5,00" << true;
    QTest::newRow("ADF 17") << int(ErgADF) << "17 %" << "-1,00" << true;
    QTest::newRow("NEL 110 gegen 120") << int(ErgNEL) << "110 MJ" << "-10 MJ" << true;
    QTest::newRow("NEL 125 gegen 120") << int(ErgNEL) << "125 MJ" << "5 MJ" << false;
    QTest::newRow("Rohprotein knapp") << int(ErgRohprotein) << "2650 g" << "-10 g" << true;
    QTest::newRow("Phosphor gleich") << int(ErgPhosphor) << "67 g" << "0 g" << false;
    // A column without a ration shows no deviations.
    QTest::newRow("NEL leer") << int(ErgNEL) << "" << "" << false;
    QTest::newRow("UDP leer") << int(ErgUDP) << "" << "" << false;
}

void RationAuswertenTest::abweichungen()
{
    QFETCH(int, zeile);
    QFETCH(QString, ist);
    // Every other row meets its target.
    ErgebnisSpalte werte{"125 MJ", "2700 g", "36 %", "40 %", "30 %", "80 %", "20 %", "110 g", "70 g"};
    werte[zeile] = ist;
    const ErgebnisAbweichungen a = AbweichungenBerechnen(werte, Soll);
    QTEST(a[zeile].text, "abweichung");
    QTEST(a[zeile].sichtbar, "sichtbar");
    for (int i = 0; i < ErgZeilen; ++i)
        QVERIFY2(i == zeile || !a[i].sichtbar, qPrintable(QString::number(i)));
}

void RationAuswertenTest::abgebrochen_data()
{
    QTest::addColumn<Futterliste>("futter");
    QTest::addColumn<double>("menge");  // of the second of three rows
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<QString>("zeile");  // how the second row is listed

    // Unusable stored values stop the run before it starts (tst_Ausgleich).
    QTest::newRow("Überlauf") << Futterliste { { .id = 1 }, { .id = 2, .xp = 3e9 }, { .id = 3 } } << 1.0
                              << "Fehler 6 (Überlauf) in Prozedur RationAuswerten"
                              << "1,00";
}

void RationAuswertenTest::abgebrochen()
{
    QFETCH(Futterliste, futter);
    QFETCH(double, menge);
    QFETCH(QString, meldung);
    test::TestDatenordner ordner;
    test::TestOberflaeche oberflaeche;
    const Auswertung a = Auswerten(futter, {Fix(1, 10, 11), Fix(2, menge, 12), Fix(3, 5, 13)});
    QVERIFY(a.abgebrochen);
    QCOMPARE(oberflaeche.meldungen.size(), 1);
    QVERIFY2(oberflaeche.meldungen[0].text.startsWith(meldung), qPrintable(oberflaeche.meldungen[0].text));
    QCOMPARE(oberflaeche.meldungen[0].symbol, Symbol::Kritisch);
    // Every feed row stays reachable, the failing one marked; no sums, no figures.
    QCOMPARE(a.zeilen.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(a.zeilen[i].art, ZeilenArt::Futter);
        QCOMPARE(a.zeilen[i].id, 11L + i);
        QCOMPARE(a.zeilen[i].fehler, i == 1);
    }
    QVERIFY(a.zeilen[1].texte[1].endsWith(QStringLiteral("nicht berechenbar, Menge prüfen")));
    QTEST(a.zeilen[1].texte[2], "zeile");
    QCOMPARE(a.zeilen[2].texte[2], QStringLiteral("5,00"));
    for (const Anzeige& l : a.anzeigen)
        QVERIFY2(l.gesetzt && l.text.isEmpty() && l.hintergrund == 0, qPrintable(l.name));
    QVERIFY(!a.ergebnis.aktualisieren);
}

void RationAuswertenTest::aufnahmeOhneTabellenwert()
{
    // 600 kg and 60 kg milk at 4 % fat: 60 kg FCM, beyond the intake table.
    TierEingaben tier = Kuh;
    tier.milch = 60;
    const Auswertung a = Auswerten({Silage}, {Fix(9001, 10)}, tier);
    const Anzeige* max = a.AnzeigeNach(QStringLiteral("lblTMKiloMaxAnzeige2"));
    QCOMPARE(max->text, QStringLiteral("FCM zu hoch"));
    QVERIFY(max->tipp.contains(QStringLiteral("60,0 kg FCM")));
    // No limit, no judgement of the dry matter.
    QCOMPARE(a.AnzeigeNach(QStringLiteral("lblTMKiloAnzeige"))->hintergrund, qint64(0));
}

void RationAuswertenTest::bedarf_data()
{
    QTest::addColumn<long>("gewicht");
    QTest::addColumn<double>("milch");
    QTest::addColumn<double>("fett");
    QTest::addColumn<double>("fcm");
    QTest::addColumn<double>("nel");
    QTest::addColumn<double>("rohprotein");
    QTest::addColumn<double>("ca");
    QTest::addColumn<double>("p");

    // The standard cow (600 kg, 25 kg at 4 %) is in the golden outputs of "kelvora auswerten".
    QTest::newRow("400 kg ohne Milch") << 400L << 0.0 << 4.0 << 0.0 << 30.0 << 320.0 << 16.0 << 11.0;
    // 0.4 * 30 + 15 * 1.2 = 30
    QTest::newRow("800 kg, 30 kg, 4 %") << 800L << 30.0 << 4.0 << 30.0 << 51 + 95.1 << 490 + 2700.0 << 32 + 96.3
                                        << 23 + 59.4;
    // 0.4 * 40 + 15 * 1.4 = 37
    QTest::newRow("keine Gewichtsklasse") << 625L << 40.0 << 3.5 << 37.0 << 3.17 * 37 << 90 * 37.0 << 3.21 * 37
                                          << 1.98 * 37;
}

void RationAuswertenTest::bedarf()
{
    QFETCH(long, gewicht);
    QFETCH(double, milch);
    QFETCH(double, fett);
    QFETCH(double, fcm);
    QCOMPARE(FCMBerechnen(milch, fett), fcm);
    const Bedarf b = BedarfBerechnen(gewicht, fcm);
    QTEST(b.nel, "nel");
    QTEST(b.rohprotein, "rohprotein");
    QTEST(b.ca, "ca");
    QTEST(b.p, "p");
}

void RationAuswertenTest::aufnahmeTabelle_data()
{
    QTest::addColumn<long>("gewicht");
    QTest::addColumn<double>("fcm");
    QTest::addColumn<double>("kg");

    QTest::newRow("600 genau 10") << 600L << 10.0 << 13.2;
    QTest::newRow("600 knapp über 10") << 600L << 10.001 << 15.6;
    QTest::newRow("600 genau 50") << 600L << 50.0 << 28.2;
    QTest::newRow("600 über 50") << 600L << 50.01 << 0.0;
    QTest::newRow("negative FCM") << 800L << -5.0 << 15.2;
    QTest::newRow("400 genau 40") << 400L << 40.0 << 22.0;
    QTest::newRow("500 über 40") << 500L << 42.0 << 25.0;
    QTest::newRow("750 bei 33") << 750L << 33.0 << 24.375;
    QTest::newRow("keine Klasse") << 625L << 25.0 << 0.0;
}

void RationAuswertenTest::aufnahmeTabelle()
{
    QFETCH(long, gewicht);
    QFETCH(double, fcm);
    QTEST(TMAufnahmeTabelle(gewicht, fcm), "kg");
}

void RationAuswertenTest::schaetzung_data()
{
    QTest::addColumn<QString>("rasse");
    // month, lactation, weight, concentrate kg, NEL, day, milk, fat, protein
    QTest::addColumn<QList<double>>("w");
    QTest::addColumn<double>("kg");

    // Every centred term is 0 except days and month (4 % fat and 3,4 %
    // protein make the energy-corrected milk equal to the milk).
    QTest::newRow("Mittelwerte") << "" << QList<double>{6, 0, 603, 2.88, 5.41, 112, 20, 4, 3.4} << 15.527956431018998;
    QTest::newRow("Fleckvieh, erste Laktation") << "Fleckvieh" << QList<double>{1, 1, 700, 5, 6.5, 30, 35, 4.2, 3.5}
                                                << 19.763793762809833;
    QTest::newRow("Holstein") << "Deutsche Holstein" << QList<double>{7, 3, 650, 3, 6.8, 120, 40, 4, 3.3}
                              << 21.93376810705099;
    QTest::newRow("kein Laktationstag") << "Fleckvieh" << QList<double>{5, 2, 650, 3, 6.8, 0, 40, 4, 3.3} << 0.0;
}

void RationAuswertenTest::schaetzung()
{
    QFETCH(QString, rasse);
    QFETCH(QList<double>, w);
    QFETCH(double, kg);
    const double ergebnis =
        TMAufnahmeSchaetzung(rasse, int(w[0]), int(w[1]), w[2], w[3], w[4], long(w[5]), w[6], w[7], w[8]);
    QVERIFY2(qAbs(ergebnis - kg) < 1e-9, qPrintable(QString::number(ergebnis, 'g', 17)));
}

void RationAuswertenTest::rasse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rasse");
    QTest::newRow("Fleck vor Holstein") << "Holstein x Fleckvieh" << "Fleckvieh";
    QTest::newRow("Braunvieh") << "Braunvieh" << "Brown Swiss";
    // Case counts: "brown swiss" and "holstein" are not recognised.
    QTest::newRow("brown klein") << "brown swiss" << "nicht definiert";
    QTest::newRow("Schwarzbunte") << "Schwarzbunte" << "Holstein Friesian";
}

void RationAuswertenTest::rasse()
{
    QFETCH(QString, text);
    QTEST(RasseNormieren(text), "rasse");
}

void RationAuswertenTest::kosten_data()
{
    QTest::addColumn<Zeilen>("zeilen");
    QTest::addColumn<double>("milch");
    QTest::addColumn<Milchpreis>("milchpreis");
    QTest::addColumn<QStringList>("texte");  // per day, per kg milk, income
    QTest::addColumn<QString>("tipp");

    // 10 kg × 0,25 € + 5 kg × 0,30 € = 4,00 €; 20 kg milk: 0,20 €/kg;
    // 20 × 0,45 − 4,00 = 5,00 €.
    QTest::newRow("vollständig") << Zeilen{Fix(1, 10), Fix(2, 5)} << 20.0 << Milchpreis(0.45)
                                 << QStringList{"4,00", "0,20", "5,00"} << "";
    QTest::newRow("Futter ohne Preis, aber ohne Menge zählt nicht")
        << Zeilen{Fix(1, 10), Fix(3, 0)} << 20.0 << Milchpreis(0.45) << QStringList{"2,50", "0,13", "6,50"}
        << "";
    QTest::newRow("Einkommen unter null") << Zeilen{Fix(2, 40)} << 10.0 << Milchpreis(0.3)
                                          << QStringList{"12,00", "1,20", "-9,00"} << "";
    QTest::newRow("ohne Milch, ohne Milchpreis")
        << Zeilen{Fix(1, 4)} << 0.0 << Milchpreis() << QStringList{"1,00", "", ""}
        << "Für das Einkommen über Futterkosten fehlt ein gültiger Milchpreis.";
    QTest::newRow("unvollständig nennt die Futtermittel")
        << Zeilen{Fix(1, 10), Fix(3, 2), Fix(4, 1)} << 20.0 << Milchpreis(0.45)
        << QStringList{"unvollständig", "unvollständig", "unvollständig"}
        << "Ohne Preis: Futter 3, Nr. 4. Tragen Sie den Preis €/dt FM im Futtermittel ein.";
}

void RationAuswertenTest::kosten()
{
    QFETCH(Zeilen, zeilen);
    QFETCH(double, milch);
    QFETCH(Milchpreis, milchpreis);
    QFETCH(QStringList, texte);
    QFETCH(QString, tipp);

    const KostenTexte t = KostenTexteBilden(FutterkostenBerechnen(zeilen, Preise), milch, milchpreis);
    QCOMPARE((QStringList{t.jeTag, t.jeKgMilch, t.einkommen}), texte);
    QCOMPARE(t.tipp, tipp);
}

KELVORA_TEST(RationAuswertenTest)
#include "tst_RationAuswerten.moc"
