// The printed ration report: figures with their traffic-light state, and the
// ration window's print, which shows the list as it is on screen.

#include "../app/BefehlsLauf.h"
#include "PdfLesen.h"
#include "RationFensterHilfe.h"
#include "TestRegister.h"
#include "frame/Oberflaeche.h"
#include "printing/DruckListe.h"
#include "printing/ui/DruckVorschau.h"
#include "ration/RationBericht.h"

#include <QComboBox>
#include <QProcess>
#include <QRegularExpression>

using namespace kelvora;
using namespace kelvora::test;

namespace {

// A figure label as a run hands it over.
Anzeige Label(const char* name, const char* text, qint64 hintergrund, bool gesetzt = true, bool sichtbar = true)
{
    Anzeige a;
    a.name = QString::fromLatin1(name);
    a.text = QString::fromUtf8(text);
    a.hintergrund = hintergrund;
    a.gesetzt = gesetzt;
    a.sichtbar = sichtbar;
    return a;
}

// The list on the first page of pdf, read back cell by cell (a word belongs
// to the column whose printed span holds its middle), is the list view:
// every visible header and every line with text. breiten are the widths the
// print distributed (0: not printed).
void WieDieListe(const QString& pdf, const QTreeWidget* liste, const QList<double>& breiten)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), { "-bbox", "-f", "1", "-l", "1", pdf, "-" });
    QVERIFY(p.waitForFinished(30000) && p.exitCode() == 0);
    const Seitengeometrie g = SeitengeometrieA4(true);
    QList<DruckSpalte> spalten;
    for (double b : breiten)
        spalten.append({ QString(), DruckAusrichtung::Links, b });
    const QList<SpaltenLage> lagen = SpaltenVerteilen(spalten, g.links, g.rechts);
    static const QRegularExpression wort(R"re(<word xMin="(\S+)" yMin="(\S+)" xMax="(\S+)" yMax="\S+">([^<]*)<)re");
    QList<std::tuple<double, double, QString>> woerter; // top and middle in mm, text
    for (const QRegularExpressionMatch& m : wort.globalMatch(QString::fromUtf8(p.readAllStandardOutput())))
        woerter.append({ m.captured(2).toDouble() * 25.4 / 72,
            (m.captured(1).toDouble() + m.captured(3).toDouble()) / 2 * 25.4 / 72, m.captured(4) });
    std::sort(woerter.begin(), woerter.end());
    QList<QStringList> gedruckt; // the printed lines below the headings
    double oben = -1;
    for (const auto& [y, mitte, text] : woerter) {
        if (y < g.oben || y > g.unten)
            continue;
        if (y - oben > 0.7)
            gedruckt.append(QStringList(breiten.size()));
        oben = y;
        const auto lage = std::find_if(lagen.cbegin(), lagen.cend(),
            [m = mitte](const SpaltenLage& l) { return l.breite > 0 && m >= l.x && m <= l.x + l.breite; });
        QVERIFY2(lage != lagen.cend(), qPrintable(text));
        gedruckt.last()[lage - lagen.cbegin()] += text + QLatin1Char(' ');
    }

    QList<QStringList> erwartet { {} }; // the header, then every line with text
    for (int i = 0; i < breiten.size(); ++i)
        erwartet[0] << (breiten[i] > 0 ? liste->headerItem()->text(i) : QString());
    for (int z = 0; z < liste->topLevelItemCount(); ++z) {
        QStringList texte;
        for (int i = 0; i < breiten.size(); ++i)
            texte << (breiten[i] > 0 ? liste->topLevelItem(z)->text(i).simplified() : QString());
        if (!texte.join(QString()).isEmpty())
            erwartet << texte;
    }
    // A header wraps over several printed lines.
    const qsizetype kopfzeilen = gedruckt.size() - erwartet.size() + 1;
    QVERIFY2(kopfzeilen >= 1, qPrintable(QString::number(gedruckt.size())));
    for (qsizetype k = 1; k < kopfzeilen; ++k)
        for (int i = 0; i < breiten.size(); ++i)
            gedruckt[0][i] += gedruckt[k][i];
    gedruckt.remove(1, kopfzeilen - 1);
    for (qsizetype z = 0; z < erwartet.size(); ++z)
        for (int i = 0; i < breiten.size(); ++i) {
            QString ist = gedruckt[z][i].simplified(), soll = erwartet[z][i];
            if (z == 0)
                ist.remove(QLatin1Char(' ')), soll.remove(QLatin1Char(' '));
            QVERIFY2(ist == soll,
                qPrintable(QStringLiteral("Zeile %1, Spalte %2: „%3“ statt „%4“").arg(z).arg(i).arg(ist, soll)));
        }
}

} // namespace

Q_DECLARE_METATYPE(kelvora::Anzeige)
Q_DECLARE_METATYPE(kelvora::Bewertung)

class RationBerichtTest : public QObject {
    Q_OBJECT
private slots:
    void bericht_data();
    void bericht();
    void kosten_data();
    void kosten();
    void spaltenBreiten_data();
    void spaltenBreiten();
};

class RationDruckenTest : public RationFensterBasis {
    Q_OBJECT
private slots:
    void druckenWieAngezeigt();
};

void RationBerichtTest::bericht_data()
{
    QTest::addColumn<Anzeige>("anzeige");
    QTest::addColumn<QString>("wert");
    QTest::addColumn<Bewertung>("bewertung");
    QTest::newRow("im Bereich") << Label("lblUDPKonzAnzeige", "36,00", Farbe::Gruen) << "36,00" << Bewertung::ImBereich;
    QTest::newRow("außerhalb") << Label("lblNDFKonzAnzeige", "25,00", Farbe::Hellrot) << "25,00"
                               << Bewertung::Ausserhalb;
    // A ration without dry matter leaves the checks unrun: no state claimed.
    QTest::newRow("nicht gesetzt") << Label("lblADFKonzAnzeige", "20,00", Farbe::Gruen, false) << ""
                                   << Bewertung::OhnePruefung;
    // The supply labels make the report's supply lines.
    QTest::newRow("Überversorgung") << Label(
        "lblUnterversorgungRohprotein", "Überversorgung bei Rohprotein", Farbe::Magenta)
                                    << "Überversorgung bei Rohprotein" << Bewertung::Ausserhalb;
    QTest::newRow("verborgen") << Label("lblUnterversorgungRohprotein", "", 0, true, false) << "Rohprotein: im Bereich"
                               << Bewertung::ImBereich;
}

void RationBerichtTest::bericht()
{
    QFETCH(Anzeige, anzeige);
    QFETCH(QString, wert);
    QFETCH(Bewertung, bewertung);
    const RationBericht b = RationBerichtErstellen({}, {}, { anzeige }, std::nullopt);
    if (anzeige.name.startsWith(QLatin1String("lblUnterversorgung"))) {
        QCOMPARE(b.versorgung.size(), 1);
        QCOMPARE(b.versorgung[0].text, wert);
        QCOMPARE(b.versorgung[0].bewertung, bewertung);
        return;
    }
    // Every figure of the window stands in the report, in the window's order.
    QCOMPARE(b.kennzahlen.size(), 19);
    QCOMPARE(b.kennzahlen.first().name, QStringLiteral("lblTMKiloAnzeige"));
    const auto k = std::find_if(
        b.kennzahlen.cbegin(), b.kennzahlen.cend(), [&](const BerichtKennzahl& x) { return x.name == anzeige.name; });
    QVERIFY(k != b.kennzahlen.cend());
    QCOMPARE(k->wert, wert);
    QCOMPARE(k->bewertung, bewertung);
    QCOMPARE(k->farbe, bewertung == Bewertung::OhnePruefung ? 0 : anzeige.hintergrund);
}

// The cost figures the evaluation set, under the window's captions, with
// the tool tip that says why one is incomplete or missing.
void RationBerichtTest::kosten_data()
{
    QTest::addColumn<QList<Anzeige>>("anzeigen");
    QTest::addColumn<QStringList>("erwartet");
    QTest::addColumn<QString>("tipp");
    Anzeige einkommen = Label("lblEinkommenAnzeige", "", 0);
    einkommen.tipp = QStringLiteral("Für das Einkommen über Futterkosten fehlt ein gültiger Milchpreis.");
    QTest::newRow("vollständig") << QList<Anzeige>{einkommen, Label("lblFutterkostenAnzeige", "4,46", 0)}
                                 << QStringList{"Futterkosten €/Tag: 4,46", "Einkommen über Futterkosten €/Tag: "}
                                 << einkommen.tipp;
    QTest::newRow("nicht ausgewertet") << QList<Anzeige>{Label("lblFutterkostenMilchAnzeige", "0,14", 0, false)}
                                       << QStringList{} << "";
}

void RationBerichtTest::kosten()
{
    QFETCH(QList<Anzeige>, anzeigen);
    const RationBericht b = RationBerichtErstellen({}, {}, anzeigen, std::nullopt);
    QStringList zeilen;
    for (const BerichtKosten& k : b.kosten)
        zeilen << k.beschriftung + QStringLiteral(": ") + k.wert;
    QTEST(zeilen, "erwartet");
    QTEST(b.kostenTipp, "tipp");
}

// Columns: hidden counter, Futterart 10 %, Bezeichnung 36 %, Frisch and
// Rohprotein 7 %, eight more at 5 %, hidden ID. Every column needs 60 px, the name 200 px.
void RationBerichtTest::spaltenBreiten_data()
{
    QTest::addColumn<double>("innen");
    QTest::addColumn<QList<int>>("erwartet");  // Futterart, Bezeichnung, Frisch, Rohprotein
    QTest::newRow("breit: die Anteile") << 2000.0 << QList<int>{200, 720, 140, 140};
    QTest::newRow("schmal: der Name gibt ab") << 1000.0 << QList<int>{100, 280, 70, 70};
    QTest::newRow("zu schmal: der Name behält sein Mindestmaß") << 500.0 << QList<int>{60, 200, 60, 60};
}

void RationBerichtTest::spaltenBreiten()
{
    QFETCH(double, innen);
    QList<int> mindestens(RationListenSpalten().size(), 60);
    mindestens[2] = 200;
    const QList<int> b = RationSpaltenBreiten(innen, mindestens);
    QCOMPARE(b.size(), 14);
    QCOMPARE(b[0] + b[13], 0);
    QTEST((QList<int>{b[1], b[2], b[3], b[5]}), "erwartet");
}

void RationDruckenTest::druckenWieAngezeigt()
{
    programm().E1 = QStringLiteral("Beratung Wiesenau");
    QVERIFY(RationAnlegen({ { 9001, 350, 450 }, { 9002, 880, 200 }, { 9003, 890, 300 } },
                          { { 9001, 20, 0, 1 }, { 9002, 0, 60, 0 }, { 9003, 0, 40, 0 } }));
    QVERIFY(u->Oeffnen());
    // After both balancings the report holds the result window's table too.
    u->Knopf("cmdTMAusgleichen")->click();
    u->Knopf("cmdNDFAusgleichen")->click();
    QVERIFY(u->ui.meldungen.isEmpty());

    const QString pfad = u->ordner.Pfad(QStringLiteral("bericht.pdf"));
    DruckvorschauErsetzen([&](const DruckFunktion& malen, bool querformat) {
        QVERIFY(querformat);
        QVERIFY(PdfSchreiben(pfad, querformat, malen).geschrieben);
    });
    // F3 wherever the focus is presses cmdDrucken.
    QTest::keyClick(u->Feld("txtFett"), Qt::Key_F3);
    DruckvorschauErsetzen({});
    QVERIFY(QFile::exists(pfad));
    const QStringList seiten = PdfSeiten(pfad);
    QCOMPARE(seiten.size(), 3);

    // The printed list is the window's, cell by cell, in the window's column
    // widths; the command line prints the same cells in the columns' shares.
    QTreeWidget* liste = u->Liste();
    QList<double> breiten;
    for (int i = 0; i < liste->columnCount(); ++i)
        breiten << (liste->isColumnHidden(i) ? 0.0 : double(liste->columnWidth(i)));
    WieDieListe(pfad, liste, breiten);
    const QString befehlsPdf = u->ordner.Pfad(QStringLiteral("befehl.pdf"));
    QCOMPARE(Kelvora({ "bericht", "--datenordner", u->ordner.Pfad(), "--gewicht",
                         u->fenster->findChild<QComboBox*>("Gewicht")->currentData().toString(), "--milch",
                         u->Feld("txtMilch")->text(), "--fett", u->Feld("txtFett")->text(), "--pdf", befehlsPdf })
                 .code,
        0);
    breiten.clear();
    for (const RationListenSpalte& s : RationListenSpalten())
        breiten << s.anteil;
    WieDieListe(befehlsPdf, liste, breiten);
    QVERIFY(seiten[0].simplified().contains(QStringLiteral("Beratung Wiesenau")));

    // The overview: inputs, figures and the comparison as the windows show them.
    const QString uebersicht = seiten[1].simplified();
    const QString gewicht = u->fenster->findChild<QComboBox*>("Gewicht")->currentText();
    QVERIFY(uebersicht.contains(QStringLiteral("Gewicht: ") + gewicht));
    QVERIFY(uebersicht.contains(u->Label("lblNDFKonzAnzeige")->text() + QStringLiteral(" % NDF")));
    QVERIFY(uebersicht.contains(QLatin1String("Bewertung nach NDF")));
    const QWidget* ergebnis = u->haupt->OffenesFenster("ErgebnisFenster");
    for (const char* zelle : { "lblSollNEL", "lblIstNDFNEL", "lblIstTMARohprotein" })
        QVERIFY2(uebersicht.contains(ergebnis->findChild<QLabel*>(zelle)->text()), zelle);
}

KELVORA_TEST(RationBerichtTest)
KELVORA_TEST(RationDruckenTest)
#include "tst_RationBericht.moc"
