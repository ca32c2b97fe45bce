#include "../app/BefehlsLauf.h"
#include "HerdenTestdaten.h"
#include "PdfLesen.h"
#include "TestRegister.h"
#include "frame/FunktionenFuerINI.h"
#include "grundlagen/DatenTypen.h"
#include "grundlagen/Formate.h"
#include "herde/Ladeliste.h"
#include "ration/Versorgungsbalken.h"
#include "herde/ui/LadelisteFenster.h"
#include "printing/ui/DruckVorschau.h"
#include "ration/ui/VersorgungsDiagramm.h"
#include "ration/RationAuswerten.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

namespace {

// 48 cows with 3 % reserve: 49,44 portions a day. Per day 1236 kg grass
// silage, 889,92 maize silage, 173,04 wheat, 108,768 rapeseed meal and
// 7,416 kg of a mineral at 150 g per cow; 2415,144 kg in all.
bool GruppeAnlegen(const HerdenUmgebung& u)
{
    return u.Speichern(QStringLiteral("Hochleistung"),
               { { 9101, 25, {}, 1 }, { 9102, 18, {}, 1 }, { 9103, 3.5, {}, 1 }, { 9104, 2.2, 100.0, 0 },
                   { 9105, 0.15, {}, 1 } },
               48, 32)
        && SqlInDatei(u.pfad, QStringLiteral("UPDATE Rationen SET Reserve = 3"))
        && u.Speichern(QStringLiteral("Ohne Tiere"), { { 9101, 20, {}, 1 } }, 0, 0);
}

QString Liste(const QStringList& zeilen, int ladungen, const QString& gesamt)
{
    return zeilen.join('\n') + QStringLiteral("\n\nLadungen\t%1\nLadung gesamt\t%2\n").arg(ladungen).arg(gesamt);
}

const QStringList Namen { "Grassilage Test", "Maissilage Test", "Weizen Test", "Rapsschrot Test", "Mineral Test" };

QStringList ListenZeilen(const QStringList& kg, const QStringList& waage)
{
    QStringList z;
    for (qsizetype i = 0; i < kg.size(); ++i)
        z << QStringLiteral("%1\t%2\t%3\t%4").arg(i + 1).arg(Namen[i], kg[i], waage[i]);
    return z;
}

} // namespace

class LadelisteTest : public QObject {
    Q_OBJECT
private slots:
    void befehle_data();
    void befehle();
    void geladen_data();
    void geladen();
    void reihung();
    void versorgung_data();
    void versorgung();
    void fenster();
};

void LadelisteTest::befehle_data()
{
    QTest::addColumn<QStringList>("angaben");
    QTest::addColumn<QString>("schritt"); // [Ladeliste] Schritt; empty: none
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("aus");
    QTest::addColumn<QString>("fehler");
    // Checked by hand from the amounts per day above.
    QTest::newRow("Schritt 1, eine Ladung")
        << QStringList { "ladeliste", "hochleistung" } << "" << 0
        << Liste(ListenZeilen({ "1.236", "890", "173", "109", "7" }, { "1.236", "2.126", "2.299", "2.408", "2.415" }), 1,
               "2.415")
        << "";
    QTest::newRow("Schritt 5: Mineral 7,4 kg wird 5")
        << QStringList { "ladeliste", "Hochleistung" } << "5" << 0
        << Liste(ListenZeilen({ "1.235", "890", "175", "110", "5" }, { "1.235", "2.125", "2.300", "2.410", "2.415" }), 1,
               "2.415")
        << "";
    QTest::newRow("drei Ladungen: Mineral 2,472 kg")
        << QStringList { "ladeliste", "Hochleistung", "--ladungen", "3" } << "" << 0
        << Liste(ListenZeilen({ "412", "297", "58", "36", "2" }, { "412", "709", "767", "803", "805" }), 3, "805") << "";
    QTest::newRow("Fassung 4000, Schritt 5: eine Ladung reicht")
        << QStringList { "ladeliste", "Hochleistung", "--fassung", "4.000" } << "5" << 0
        << Liste(ListenZeilen({ "1.235", "890", "175", "110", "5" }, { "1.235", "2.125", "2.300", "2.410", "2.415" }), 1,
               "2.415")
        << "";
    QTest::newRow("Fassung 2000, Schritt 5: zwei Ladungen")
        << QStringList { "ladeliste", "Hochleistung", "--fassung", "2000" } << "5" << 0
        << Liste(ListenZeilen({ "620", "445", "85", "55", "5" }, { "620", "1.065", "1.150", "1.205", "1.210" }), 2, "1.210")
        << "";
    // 805,05 kg fit three times into 810 kg, but rounded to 10 kg a load
    // weighs 820 kg: one load more; the mineral keeps one step.
    QTest::newRow("Fassung 810, Schritt 10: Rundung braucht eine Ladung mehr")
        << QStringList { "ladeliste", "Hochleistung", "--fassung", "810" } << "10" << 0
        << Liste(ListenZeilen({ "310", "220", "40", "30", "10" }, { "310", "530", "570", "600", "610" }), 4, "610") << "";
    QTest::newRow("Schritt 0,5, eigene Tiere und Reserve")
        << QStringList { "ladeliste", "Hochleistung", "--tiere", "10", "--reserve", "0" } << "0,5" << 0
        << Liste(ListenZeilen({ "250,0", "180,0", "35,0", "22,0", "1,5" }, { "250,0", "430,0", "465,0", "487,0", "488,5" }),
               1, "488,5")
        << "";
    QTest::newRow("unbekannte Ration") << QStringList { "ladeliste", "Bullen" } << "" << 3 << ""
                                       << "Eine gespeicherte Ration „Bullen“ gibt es nicht.";
    QTest::newRow("ohne Tiere") << QStringList { "ladeliste", "Ohne Tiere" } << "" << 3 << ""
                                << "hat keine Tiere";
    QTest::newRow("Fassung zu klein") << QStringList { "ladeliste", "Hochleistung", "--fassung", "10" } << "" << 3
                                      << "" << "mehr als 99 Ladungen";
    QTest::newRow("Ladungen und Fassung")
        << QStringList { "ladeliste", "Hochleistung", "--ladungen", "2", "--fassung", "3000" } << "" << 2 << ""
        << "entweder --ladungen oder --fassung";
    QTest::newRow("Ladungen 0") << QStringList { "ladeliste", "Hochleistung", "--ladungen", "0" } << "" << 2 << ""
                                << "Falsche Angabe bei --ladungen: Der Wert bei Ladungen muss zwischen 1 und 99";
    QTest::newRow("Ladungen 2,5") << QStringList { "ladeliste", "Hochleistung", "--ladungen", "2,5" } << "" << 2 << ""
                                  << "Geben Sie eine ganze Zahl an";
    QTest::newRow("Fassung 1e3") << QStringList { "ladeliste", "Hochleistung", "--fassung", "1e3" } << "" << 2 << ""
                                 << "Falsche Angabe bei --fassung: Bitte geben Sie";
    QTest::newRow("Reserve 60") << QStringList { "ladeliste", "Hochleistung", "--reserve", "60" } << "" << 2 << ""
                                << "zwischen 0 und 50";
    QTest::newRow("Schritt 0 in der INI") << QStringList { "ladeliste", "Hochleistung" } << "0" << 2 << ""
                                          << "Abschnitt [Ladeliste], Schlüssel Schritt";
    QTest::newRow("Schritt 0,005 in der INI") << QStringList { "ladeliste", "Hochleistung" } << "0,005" << 2 << ""
                                              << "Abschnitt [Ladeliste], Schlüssel Schritt";
    QTest::newRow("PDF auf die Datenbank")
        << QStringList { "ladeliste", "Hochleistung", "--pdf", "<ordner>/FUTTER.MDB" } << "" << 1 << "" << "Futter";
    QTest::newRow("geladen: fehlende und unbekannte Nummern")
        << QStringList { "geladen", "Hochleistung", "1=1200", "2=890", "9=3" } << "" << 2 << ""
        << "Es fehlt die geladene Menge von Nr. 3, 4, 5. Die Ladeliste hat keine Nr. 9.";
    QTest::newRow("geladen: Nummer doppelt") << QStringList { "geladen", "Hochleistung", "1=1200", "1=3" } << "" << 2
                                             << "" << "Die Nr. 1 ist zweimal angegeben.";
    QTest::newRow("geladen: kein NR=KG") << QStringList { "geladen", "Hochleistung", "1:1200" } << "" << 2 << ""
                                         << "Falsche Angabe \"1:1200\"";
    QTest::newRow("geladen: keine Zahl") << QStringList { "geladen", "Hochleistung", "1=NaN" } << "" << 2 << ""
                                         << "Falsche Angabe bei Nr. 1: Bitte geben Sie";
    QTest::newRow("geladen: ohne Mengen")
        << QStringList { "geladen", "Hochleistung" } << "" << 2 << "" << "NR=KG";
}

void LadelisteTest::befehle()
{
    QFETCH(QStringList, angaben);
    QFETCH(QString, schritt);
    QFETCH(int, code);
    QFETCH(QString, aus);
    QFETCH(QString, fehler);
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(GruppeAnlegen(u));
    if (!schritt.isEmpty())
        QVERIFY(INISpeichern(LadelisteAbschnitt(), SchrittSchluessel(), schritt));
    angaben.replaceInStrings("<ordner>", u.ordner.Pfad());
    u.BefehlPruefen(angaben, code, aus, fehler);
}

void LadelisteTest::geladen_data()
{
    QTest::addColumn<QStringList>("geladen"); // kg per load, in loading order
    QTest::addColumn<QStringList>("prozent");
    QTest::addColumn<QList<bool>>("auffaellig");
    QTest::newRow("wie geplant") << QStringList { "1236", "890", "173", "109", "7" }
                                 << QStringList { "0,0", "0,0", "0,0", "0,0", "0,0" }
                                 << QList<bool> { false, false, false, false, false };
    // 8 % less of both silages; the wheat 5 % over stays unmarked.
    QTest::newRow("Silage 8 % weniger") << QStringList { "1137,12", "818,8", "181,65", "109", "7" }
                                        << QStringList { "-8,0", "-8,0", "5,0", "0,0", "0,0" }
                                        << QList<bool> { true, true, false, false, false };
    QTest::newRow("Mineral vergessen") << QStringList { "1236", "890", "173", "109", "0" }
                                       << QStringList { "0,0", "0,0", "0,0", "0,0", "-100,0" }
                                       << QList<bool> { false, false, false, false, true };
}

// What the cows really got is evaluated exactly as the same amounts per cow
// typed into the ration; the stored ration stays as it was.
void LadelisteTest::geladen()
{
    QFETCH(QStringList, geladen);
    QFETCH(QStringList, prozent);
    QFETCH(QList<bool>, auffaellig);
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(GruppeAnlegen(u));
    const QStringList vorher = u.Tabelle("SELECT * FROM RationenInhalt ORDER BY ID");
    QMap<int, double> kg;
    for (qsizetype i = 0; i < geladen.size(); ++i)
        kg.insert(int(i + 1), TextInDouble(geladen[i]));
    LadelisteErgebnis e;
    QVERIFY(LadelisteLesen(u.pfad, { "Hochleistung", {}, &kg }, e));
    const GeladenBewertung& b = e.bewertung;
    QCOMPARE(b.zeilen.size(), prozent.size());
    for (qsizetype i = 0; i < b.zeilen.size(); ++i) {
        QCOMPARE(Formatieren(*b.zeilen[i].abweichungProzent, "#,##0.0"), prozent[i]);
        QCOMPARE(b.zeilen[i].auffaellig, auffaellig[i]);
    }

    // The same per-cow amounts typed into table Ration, all fixed.
    test::Zeilen getippteZeilen;
    for (const RationZeile& z : GeladeneZeilen(e.liste, kg))
        getippteZeilen.append({ z.futterID, z.frischMenge, {}, 1 });
    QVERIFY(u.Aktuell(getippteZeilen));
    const Auswertung getippt = RationAuswerten(TierAusRation(b.plan.ration, ui().Jetzt().date().month()), u.pfad);
    QCOMPARE(b.geladen.zeilen.size(), getippt.zeilen.size());
    for (qsizetype i = 0; i < getippt.zeilen.size(); ++i)
        QCOMPARE(b.geladen.zeilen[i].texte, getippt.zeilen[i].texte);
    for (qsizetype i = 0; i < getippt.anzeigen.size(); ++i) {
        QCOMPARE(b.geladen.anzeigen[i].text, getippt.anzeigen[i].text);
        QCOMPARE(b.geladen.anzeigen[i].hintergrund, getippt.anzeigen[i].hintergrund);
    }
    // A light is named as changed exactly where the colours differ.
    qsizetype anders = 0;
    for (qsizetype i = 0; i < getippt.anzeigen.size(); ++i)
        anders += b.plan.auswertung.anzeigen[i].hintergrund != getippt.anzeigen[i].hintergrund;
    QCOMPARE(b.wechsel.size(), anders);
    QCOMPARE(u.Tabelle("SELECT * FROM RationenInhalt ORDER BY ID"), vorher);
}

void LadelisteTest::reihung()
{
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(GruppeAnlegen(u));
    LadelisteErgebnis e;
    QVERIFY(LadelisteLesen(u.pfad, { "Hochleistung", {}, nullptr }, e));
    QList<long> ids;
    for (const LadeZeile& z : e.liste.zeilen)
        ids.prepend(z.inhaltID);
    // A list that misses a row is refused, nothing written.
    const QByteArray vorher = u.Bytes(u.pfad);
    bool abgelehnt = false;
    u.ui.Antworten(Antwort::OK);
    QVERIFY(!ReihungSpeichern(u.pfad, "Hochleistung", ids.mid(1), &abgelehnt));
    QVERIFY(abgelehnt);
    QCOMPARE(u.Bytes(u.pfad), vorher);

    QVERIFY(ReihungSpeichern(u.pfad, "hochleistung", ids, &abgelehnt));
    const Lauf l = Kelvora({ "ladeliste", "Hochleistung", "--datenordner", u.ordner.Pfad() });
    QCOMPARE(l.code, 0);
    QCOMPARE(l.aus.section('\n', 0, 4),
        "1\tMineral Test\t7\t7\n2\tRapsschrot Test\t109\t116\n3\tWeizen Test\t173\t289\n"
        "4\tMaissilage Test\t890\t1.179\n5\tGrassilage Test\t1.236\t2.415");
    // Storing the ration again keeps its loading order.
    QVERIFY(u.Speichern("Hochleistung2", { { 9101, 1, {}, 1 } }, 1, 0));
    QVERIFY(RationLaden(u.pfad, "Hochleistung"));
    QVERIFY(RationSpeichern(u.pfad, { "Hochleistung", std::nullopt, true, 650, 32, 4.0, 0.45, 3.4 }));
    QCOMPARE(Kelvora({ "ladeliste", "Hochleistung", "--datenordner", u.ordner.Pfad() }).aus, l.aus);
}

void LadelisteTest::versorgung_data()
{
    QTest::addColumn<double>("milch");
    QTest::addColumn<QList<qint64>>("farben"); // NEL, Rohprotein, Ca, P, TM, NDF
    const qint64 g = Farbe::Gruen, r = Farbe::Hellrot, m = Farbe::Magenta;
    // 136,1 MJ NEL, 3054 g XP, 112,2 g Ca, 90,3 g P, 19,87 kg TM, 7192 g NDF
    // against 43 MJ, 430 g, 26 g, 19 g for maintenance plus 3,17 MJ, 90 g,
    // 3,21 g, 1,98 g per kg FCM (= kg milk at 4 % fat); g NDF max. 8125.
    QTest::newRow("28 kg Milch: Ca knapp") << 28.0 << QList<qint64> { g, g, r, g, g, g };
    QTest::newRow("45 kg Milch: zu wenig") << 45.0 << QList<qint64> { r, r, r, r, g, g };
    QTest::newRow("trocken: zu viel") << 0.0 << QList<qint64> { m, m, g, g, r, g };
}

// The chart shows the evaluation's own figures: supply against the
// requirement row of the list, dry matter and NDF against their maxima.
void LadelisteTest::versorgung()
{
    QFETCH(double, milch);
    QFETCH(QList<qint64>, farben);
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(GruppeAnlegen(u));
    QVERIFY(SqlInDatei(u.pfad, QStringLiteral("UPDATE Rationen SET Milch = %1").arg(milch)));
    QList<RationsBewertung> b;
    QVERIFY(RationenBewerten(u.pfad, { "Hochleistung" }, b));
    const Auswertung& a = b.first().auswertung;
    const QList<Versorgungsbalken> balken = VersorgungsbalkenAus(a);
    QCOMPARE(balken.size(), 6);
    const ListenZeile* summen = nullptr;
    const ListenZeile* bedarf = nullptr;
    for (const ListenZeile& z : a.zeilen) {
        if (z.art == ZeilenArt::Summen)
            summen = &z;
        if (z.art == ZeilenArt::Bedarf)
            bedarf = &z;
    }
    QVERIFY(summen && bedarf);
    const int spalten[] = { 6, 4, 10, 11 }; // NEL, Rohprotein, Ca, P in the list
    for (int i = 0; i < 4; ++i)
        QVERIFY2(qAbs(*balken[i].prozent - TextInDouble(summen->texte[spalten[i]]) * 100
                     / TextInDouble(bedarf->texte[spalten[i]]))
                < 0.2,
            qPrintable(balken[i].name));
    const auto anzeige = [&a](const char* name) { return TextInDouble(a.AnzeigeNach(name)->text); };
    QVERIFY(qAbs(*balken[4].prozent - anzeige("lblTMKiloAnzeige") * 100 / anzeige("lblTMKiloMaxAnzeige2")) < 0.05);
    QVERIFY(qAbs(*balken[5].prozent - anzeige("lblNDFGrammAnzeige") * 100 / anzeige("lblNDFGrammMaxAnzeige")) < 0.05);
    QList<qint64> gefunden;
    for (const Versorgungsbalken& v : balken)
        gefunden << v.farbe;
    QCOMPARE(gefunden, farben);
}

// What the user typed as loaded stays with its feed when the order changes,
// and the chart draws plan and loaded from the evaluations.
void LadelisteTest::fenster()
{
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(GruppeAnlegen(u));
    LadelisteFenster f;
    f.Laden("Hochleistung");
    auto* tabelle = f.findChild<QTableWidget*>("tblLadeliste");
    QVERIFY(tabelle);
    QCOMPARE(tabelle->rowCount(), 5);
    const QStringList geladen { "1236", "890", "173", "109", "0" };
    for (int i = 0; i < geladen.size(); ++i)
        tabelle->item(i, 5)->setText(geladen[i]);
    QCOMPARE(f.Ergebnis().bewertung.zeilen.size(), 5);
    tabelle->selectRow(4);
    f.Verschieben(-1);
    const QList<GeladenZeile>& z = f.Ergebnis().bewertung.zeilen;
    QCOMPARE(z[3].name, "Mineral Test");
    QCOMPARE(*z[3].abweichungProzent, -100.0);
    QCOMPARE(*z[4].abweichungProzent, 0.0);
    QCOMPARE(tabelle->item(3, 5)->text(), "0");

    const QList<DiagrammBalken>& balken = f.findChild<VersorgungsDiagramm*>()->Balken();
    const QList<Versorgungsbalken> plan = VersorgungsbalkenAus(f.Ergebnis().plan.auswertung);
    const QList<Versorgungsbalken> ist = VersorgungsbalkenAus(f.Ergebnis().bewertung.geladen);
    QCOMPARE(balken.size(), 12);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(balken[2 * i].prozent, *plan[i].prozent);
        QCOMPARE(balken[2 * i + 1].prozent, *ist[i].prozent);
        QCOMPARE(balken[2 * i + 1].farbe, ist[i].farbe);
    }
    QVERIFY(balken[1].beschriftung.startsWith("NEL geladen "));

    // The printed pages say that they show what was loaded, and for which group.
    const QString pdf = u.ordner.Pfad("geladen.pdf");
    DruckvorschauErsetzen([&pdf](const DruckFunktion& malen, bool querformat) {
        QVERIFY(PdfSchreiben(pdf, querformat, malen).geschrieben);
    });
    f.findChild<QPushButton*>("cmdGeladenDrucken")->click();
    DruckvorschauErsetzen({});
    const QStringList seiten = PdfSeiten(pdf);
    QVERIFY(!seiten.isEmpty());
    for (const QString& seite : seiten)
        QVERIFY2(seite.contains("Geladene Ration „Hochleistung“"), qPrintable(seite.left(200)));
}

KELVORA_TEST(LadelisteTest)
#include "tst_Ladeliste.moc"
