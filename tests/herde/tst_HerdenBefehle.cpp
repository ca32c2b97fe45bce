#include "../app/BefehlsLauf.h"
#include "HerdenTestdaten.h"
#include "TestRegister.h"
#include "PdfLesen.h"
#include "herde/Herde.h"
#include "herde/Vergleichstabelle.h"
#include "herde/ui/HerdeDrucken.h"
#include "printing/ui/DruckVorschau.h"
#include "ration/RationAuswerten.h"

#include <QDir>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

namespace {

// Three groups: high yielders with a free feed not yet balanced, dry cows,
// young stock without head count (and a feed without price).
bool HerdeAnlegen(const HerdenUmgebung& u)
{
    return u.Speichern(QStringLiteral("Trockensteher"), { { 9101, 20, {}, 1 }, { 9105, 0.1, {}, 1 } }, 10, 0, 0.40)
        && u.Speichern(QStringLiteral("Jungvieh"), { { 9102, 10, {}, 1 } }, 0, 0, std::nullopt)
        && u.Speichern(
            QStringLiteral("Hochleistung"), { { 9101, 30, {}, 1 }, { 9103, 4, {}, 1 }, { 9104, 0, 100.0, 0 } }, 40, 40);
}

} // namespace

class HerdenBefehleTest : public QObject {
    Q_OBJECT
private slots:
    void befehle_data();
    void befehle();
    void herde_data();
    void herde();
    void vergleichen();
};

void HerdenBefehleTest::befehle_data()
{
    QTest::addColumn<QStringList>("angaben");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("aus");
    QTest::addColumn<QString>("fehler");
    QTest::newRow("rationen") << QStringList { "rationen" } << 0
                              << "Hochleistung\t40\t650\t40,0\t4,00\t3,51\n"
                                 "Jungvieh\t0\t650\t0,0\t4,00\tunvollständig\n"
                                 "Trockensteher\t10\t650\t0,0\t4,00\t1,80\n"
                              << "";
    QTest::newRow("speichern: Name vergeben") << QStringList { "ration", "speichern", "trockensteher" } << 3 << ""
                                              << "Es gibt schon eine Ration „Trockensteher“.";
    QTest::newRow("speichern ersetzt") << QStringList { "ration", "speichern", "trockensteher", "--ersetzen" } << 0
                                       << "Ration „Trockensteher“ gespeichert\n"
                                       << "";
    QTest::newRow("Tiere zu viele") << QStringList { "ration", "speichern", "X", "--tiere", "10000" } << 2 << ""
                                    << "Falsche Angabe bei --tiere: Der Wert bei Tiere muss zwischen 0 und 9999";
    QTest::newRow("Tiere mit Komma")
        << QStringList { "ration", "speichern", "X", "--tiere=12,5" } << 2 << ""
        << "Falsche Angabe bei --tiere: Geben Sie die Zahl der Tiere als ganze Zahl von 0 bis 9999 an, nicht \"12,5\".";
    QTest::newRow("Milchpreis keine Zahl")
        << QStringList { "ration", "speichern", "X", "--milchpreis", "1e1" } << 2 << ""
        << "Falsche Angabe bei --milchpreis: Bitte geben Sie";
    QTest::newRow("laden unbekannt") << QStringList { "ration", "laden", "Bullen" } << 3 << ""
                                     << "Eine gespeicherte Ration „Bullen“ gibt es nicht.";
    QTest::newRow("loeschen unbekannt") << QStringList { "ration", "loeschen", "Bullen" } << 3 << ""
                                        << "Eine gespeicherte Ration „Bullen“ gibt es nicht.";
    QTest::newRow("laden mit --tiere") << QStringList { "ration", "laden", "Jungvieh", "--tiere", "3" } << 2 << ""
                                       << "--tiere gilt nur für ration speichern.";
    QTest::newRow("laden") << QStringList { "ration", "laden", "HOCHLEISTUNG" } << 0
                           << "Ration „Hochleistung“ geladen\n"
                           << "";
    QTest::newRow("ohne Aktion") << QStringList { "ration" } << 2 << ""
                                 << "Geben Sie an, was mit der Ration geschehen soll";
    QTest::newRow("Name mit Steuerzeichen") << QStringList { "ration", "loeschen", "A\x1b[2J" } << 2 << ""
                                            << "darf keine Steuerzeichen";
    QTest::newRow("auswerten --ration mit Tierangabe")
        << QStringList { "auswerten", "--ration", "Jungvieh", "--milch", "20" } << 2 << ""
        << "--milch gilt nicht mit --ration";
    QTest::newRow("bericht --ration unbekannt")
        << QStringList { "bericht", "--ration", "Bullen", "--pdf", QDir::tempPath() + "/herde_bericht.pdf" } << 3 << ""
        << "Eine gespeicherte Ration „Bullen“ gibt es nicht.";
    QTest::newRow("vergleichen: eine") << QStringList { "vergleichen", "Jungvieh" } << 2 << ""
                                       << "Verglichen werden 2 bis 6 Rationen, nicht 1.";
    QTest::newRow("vergleichen: doppelt") << QStringList { "vergleichen", "Jungvieh", "JUNGVIEH" } << 2 << ""
                                          << "Die Ration „JUNGVIEH“ ist zweimal genannt.";
    QTest::newRow("vergleichen: sieben") << QStringList { "vergleichen", "A", "B", "C", "D", "E", "F", "G" } << 2 << ""
                                         << "Unerwartete Angabe für vergleichen: G";
    QTest::newRow("vergleichen: unbekannt") << QStringList { "vergleichen", "Jungvieh", "Bullen" } << 3 << ""
                                            << "Eine gespeicherte Ration „Bullen“ gibt es nicht.";
}

void HerdenBefehleTest::befehle()
{
    QFETCH(QStringList, angaben);
    QFETCH(int, code);
    QFETCH(QString, aus);
    QFETCH(QString, fehler);
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(HerdeAnlegen(u));
    u.BefehlPruefen(angaben, code, aus, fehler);
}

void HerdenBefehleTest::herde_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("aus");
    // Checked by hand: Grassilage 40 × 30 + 10 × 20 kg at 8,50 €/dt and 350 g
    // TM; Weizen 40 × 4 kg at 24 €/dt; Mineral 10 × 0,1 kg at 95 €/dt;
    // Hochleistung 40 × (40 × 0,45 − 3,51) €, Trockensteher 10 × (0 − 1,795) €.
    QTest::newRow("zwei Gruppen") << ""
                                  << "Grassilage Test\t1.400,00\t490,00\t119,00\n"
                                     "Mineral Test\t1,00\t0,95\t0,95\n"
                                     "Rapsschrot Test\t0,00\t0,00\t0,00\n"
                                     "Weizen Test\t160,00\t140,80\t38,40\n"
                                     "Summe\t1.561,00\t631,75\t158,35\n\n"
                                     "Hochleistung\t40\t1.360,00\t140,40\t579,60\n"
                                     "Trockensteher\t10\t201,00\t17,95\t-17,95\n"
                                     "Herde\t50\t1.561,00\t158,35\t561,65\n";
    QTest::newRow("Futter ohne Preis, ohne Milchpreis")
        << "UPDATE Rationen SET Tiere = 5 WHERE Name = 'Jungvieh'; UPDATE Rationen SET Tiere = 0 WHERE Name <> "
           "'Jungvieh'"
        << "Maissilage Test\t50,00\t16,50\t\n"
           "Summe\t50,00\t16,50\tunvollständig\n\n"
           "Jungvieh\t5\t50,00\tunvollständig\tunvollständig\n"
           "Herde\t5\t50,00\tunvollständig\tunvollständig\n";
}

void HerdenBefehleTest::herde()
{
    QFETCH(QString, sql);
    QFETCH(QString, aus);
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(HerdeAnlegen(u));
    QVERIFY(sql.isEmpty() || SqlInDatei(u.pfad, sql));
    const Lauf l = Kelvora({ "herde", "--datenordner", u.ordner.Pfad() });
    QCOMPARE(l.code, 0);
    QCOMPARE(l.aus.split('\n'), aus.split('\n'));
    // The free feed still at 0 kg is named, once per group that has it.
    QCOMPARE(l.fehler,
        sql.isEmpty() ? "Hinweis: nicht ausgeglichen (0 kg, zählt mit 0 kg): „Rapsschrot Test“ in "
                        "„Hochleistung“.\n"
                      : "");

    // Printed: groups and feeds together on one page, each under its title,
    // every line of the command there too.
    Herde h;
    QVERIFY(HerdeBerechnen(u.pfad, h));
    const QString pdf = u.ordner.Pfad("herde.pdf");
    QVERIFY(PdfSchreiben(pdf, false, [&h](QPagedPaintDevice& g) { return HerdeDrucken(g, h); }).geschrieben);
    const QStringList seiten = PdfSeiten(pdf);
    QCOMPARE(seiten.size(), 1);
    const QString seite = seiten[0].simplified();
    QVERIFY(seite.indexOf("Gruppen") < seite.indexOf("Futtermittel"));
    for (const QString& zeile : aus.split('\n', Qt::SkipEmptyParts))
        QVERIFY2(seite.contains(zeile.section('\t', 0, 1).replace('\t', ' ')), qPrintable(zeile));
}

void HerdenBefehleTest::vergleichen()
{
    HerdenUmgebung u;
    QVERIFY(u.bereit);
    QVERIFY(HerdeAnlegen(u));
    const Lauf l = Kelvora({ "vergleichen", "hochleistung", "Trockensteher", "--datenordner", u.ordner.Pfad() });
    QCOMPARE(l.code, 0);
    const QStringList zeilen = l.aus.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(zeilen.size(), 1 + AnzeigenNamen().size());
    QCOMPARE(zeilen[0], "Ration\tHochleistung\t\tTrockensteher\t");
    for (qsizetype i = 1; i < zeilen.size(); ++i) {
        QCOMPARE(zeilen[i].section('\t', 0, 0), AnzeigenNamen()[i - 1]);
        QCOMPARE(zeilen[i].count('\t'), 4);
    }
    // Each with its own inputs: the dry cows have no milk to divide by.
    QVERIFY(zeilen.contains("lblFutterkostenAnzeige\t3,51\t\t1,80\t"));
    QVERIFY(zeilen.contains("lblFutterkostenMilchAnzeige\t0,09\t\t\t"));
    QVERIFY(zeilen.contains("lblEinkommenAnzeige\t14,49\t\t-1,80\t"));

    // The window's and the print's table: the same figures, with the rows
    // the command has no room for (inputs, requirement, income of the group).
    QList<RationsBewertung> b;
    QVERIFY(RationenBewerten(u.pfad, { "Hochleistung", "Trockensteher" }, b));
    const Vergleichstabelle t = VergleichstabelleBilden(b);
    auto zeile = [&t](const QString& beschriftung, int nach = 0) {
        for (const VergleichsTabellenZeile& z : t.zeilen)
            if (z.beschriftung == beschriftung && nach-- == 0)
                return QStringList { z.zellen.value(0).text, z.zellen.value(1).text };
        return QStringList();
    };
    QCOMPARE(zeile("Tiere"), (QStringList { "40", "10" }));
    // By hand: crude protein 2.166 g against 4.030 g, and 1.120 g against 430 g;
    // NEL 97,12 against 169,8 MJ, and 44,8 against 43,0 MJ (the third "NEL MJ"
    // after the figure and the requirement is the difference).
    QCOMPARE(zeile("Rohprotein"), (QStringList { "Unterversorgung", "Überversorgung" }));
    QCOMPARE(zeile("NEL MJ", 2), (QStringList { "-72,7", "1,8" }));
    QCOMPARE(zeile("Einkommen €/Tag der Gruppe"), (QStringList { "579,60", "-17,95" }));
    // The German block too, as the command prints it.
    for (const auto& [name, beschriftung] : { std::pair { "lblnXPAnzeige", "g nXP/Tag" }, { "lblRNBAnzeige", "g RNB/Tag" } }) {
        const auto befehl = std::find_if(zeilen.cbegin(), zeilen.cend(),
            [name](const QString& z) { return z.startsWith(QLatin1String(name) + '\t'); });
        QVERIFY(befehl != zeilen.cend());
        QCOMPARE(zeile(beschriftung), (QStringList { befehl->section('\t', 1, 1), befehl->section('\t', 3, 3) }));
    }

    // Printed, every checked figure has its word beside the box, a signed
    // RNB ("+37") as well.
    const QString pdf = u.ordner.Pfad("vergleich.pdf");
    QVERIFY(PdfSchreiben(pdf, true, [&t](QPagedPaintDevice& g) { return VergleichDrucken(g, t); }).geschrieben);
    for (const QString& zeile : PdfSeiten(pdf).join('\n').split('\n')) {
        if (zeile.contains("g RNB/Tag") || zeile.contains("g nXP/Tag"))
            QCOMPARE(zeile.count("im Bereich") + zeile.count("außerhalb"), 2);
    }
}

KELVORA_TEST(HerdenBefehleTest)
#include "tst_HerdenBefehle.moc"
