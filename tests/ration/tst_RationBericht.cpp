// The printed ration report: figures with their traffic-light state, and the
// ration window's print, which shows the list as it is on screen.

#include "PdfLesen.h"
#include "RationFensterHilfe.h"
#include "TestRegister.h"
#include "frame/Oberflaeche.h"
#include "printing/ui/DruckVorschau.h"
#include "ration/RationBericht.h"

#include <QComboBox>

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

// Columns: hidden counter, Futterart 10 %, Bezeichnung 38 %, Frisch 7 %,
// nine more at 5 %, hidden ID. Every column needs 60 px, the name 200 px.
void RationBerichtTest::spaltenBreiten_data()
{
    QTest::addColumn<double>("innen");
    QTest::addColumn<QList<int>>("erwartet");  // Futterart, Bezeichnung, Frisch, Rohprotein
    QTest::newRow("breit: die Anteile") << 2000.0 << QList<int>{200, 760, 140, 100};
    QTest::newRow("schmal: der Name gibt ab") << 1000.0 << QList<int>{100, 290, 70, 60};
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
    QCOMPARE(seiten.size(), 2);

    // Every line of the list with its visible texts, in the list's order.
    QTreeWidget* liste = u->Liste();
    const QStringList zeilen = seiten[0].split(QLatin1Char('\n'));
    qsizetype ab = 0;
    for (int i = 0; i < liste->topLevelItemCount(); ++i) {
        QStringList texte;
        for (int s = 1; s <= 12; ++s)
            if (!liste->topLevelItem(i)->text(s).trimmed().isEmpty())
                texte << liste->topLevelItem(i)->text(s).trimmed();
        if (texte.isEmpty())
            continue;
        const auto z = std::find_if(zeilen.cbegin() + ab, zeilen.cend(),
            [&](const QString& x) { return x.simplified() == texte.join(QLatin1Char(' ')); });
        QVERIFY2(z != zeilen.cend(), qPrintable(texte.join(QLatin1Char(' '))));
        ab = z - zeilen.cbegin() + 1;
    }
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
