#include "ration/ui/RationBerichtDrucken.h"

#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/ui/Farbwert.h"
#include "printing/ui/FunktionenDrucker.h"
#include "ration/ui/VersorgungsDiagramm.h"

#include <algorithm>
#include <numeric>

namespace kelvora {

namespace {

QString Ueberschrift(const RationBericht& b)
{
    return b.ueberschrift.isEmpty() ? QStringLiteral("Übersicht") : b.ueberschrift;
}
constexpr double ListenPunkte = 9;
constexpr double TabellenPunkte = 9;
constexpr double TitelPunkte = 11;
constexpr double Zugabe = 1.2; // a row is this much higher than its text
constexpr double Kaestchen = 3.2;

const QColor KopfGrund(232, 232, 232);
const QColor Trennlinie(190, 190, 190);

struct Spalte {
    double x;
    double breite;
};

double Titel(Drucker& d, double x, double y, double breite, const QString& text)
{
    return d.TextDrucken(x, y, text, DruckAusrichtung::Links, TitelPunkte, true, false, breite) + 1.5;
}

// A coloured box with the state's word beside it.
void BewertungDrucken(Drucker& d, double x, double y, double breite, Bewertung bewertung, qint64 farbe)
{
    if (bewertung == Bewertung::OhnePruefung)
        return;
    const double hoehe = d.Zeilenhoehe(TabellenPunkte);
    d.Flaeche(x, y + (hoehe - Kaestchen) / 2, Kaestchen, Kaestchen, FarbeAusWert(farbe), true);
    d.TextDrucken(x + Kaestchen + 1.5, y, BewertungText(bewertung), DruckAusrichtung::Links, TabellenPunkte, false,
        false, breite - Kaestchen - 1.5);
}

// A header band over the given columns.
double KopfDrucken(Drucker& d, const QList<Spalte>& spalten, const QStringList& koepfe,
    const QList<DruckAusrichtung>& ausrichtung, double y, double punkte = TabellenPunkte)
{
    const double links = spalten.first().x;
    const double rechts = spalten.last().x + spalten.last().breite;
    const double hoehe = d.Zeilenhoehe(punkte, true) + Zugabe;
    d.Flaeche(links, y, rechts - links, hoehe, KopfGrund);
    for (qsizetype i = 0; i < spalten.size(); ++i)
        if (!koepfe.value(i).isEmpty())
            d.TextDrucken(spalten[i].x + 1, y + Zugabe / 2, koepfe[i], ausrichtung.value(i), punkte, true, false,
                spalten[i].breite - 2);
    y += hoehe;
    d.Linie(links, y, rechts, y, 0.3);
    return y;
}

double TierDrucken(Drucker& d, const BerichtTier& tier, double x, double y)
{
    QList<std::pair<QString, QString>> angaben = {
        { QStringLiteral("Gewicht:"), tier.gewicht },
        { QStringLiteral("Milch kg:"), tier.milch },
        { QStringLiteral("Fett %:"), tier.fett },
    };
    if (!tier.milchpreis.isEmpty())
        angaben.append({ QStringLiteral("Milchpreis €/kg:"), tier.milchpreis });
    for (const auto& [beschriftung, wert] : angaben) {
        const double b = d.Textbreite(beschriftung + QLatin1Char(' '), TabellenPunkte + 1);
        d.TextDrucken(x, y, beschriftung, DruckAusrichtung::Links, TabellenPunkte + 1, false, false, b);
        const double w = d.Textbreite(wert, TabellenPunkte + 1, true) + 1;
        d.TextDrucken(x + b, y, wert, DruckAusrichtung::Links, TabellenPunkte + 1, true, false, w);
        x += b + w + 10;
    }
    return y + d.Zeilenhoehe(TabellenPunkte + 1) + 3;
}

// Widest of the texts in millimetres, with the cell's gap.
double Breitest(const Drucker& d, const QStringList& texte, double punkte, bool fett)
{
    double b = 0;
    for (const QString& t : texte)
        b = std::max(b, d.Textbreite(t, punkte, fett));
    return b + 2;
}

// Columns of the figures' table, each as wide as its widest text.
QList<Spalte> KennzahlenSpalten(const Drucker& d, const QList<BerichtKennzahl>& kennzahlen, double links)
{
    QStringList gruppen, werte, einheiten, ziele;
    for (const BerichtKennzahl& k : kennzahlen) {
        gruppen << k.gruppe;
        werte << k.wert;
        einheiten << k.einheit;
        ziele << k.ziel;
    }
    const double breiten[] = {
        Breitest(d, gruppen, TabellenPunkte, true),
        // Figures shown with all their digits give way to the other columns.
        std::min(Breitest(d, werte + QStringList { QStringLiteral("00.000,00") }, TabellenPunkte, true), 22.0),
        Breitest(d, einheiten, TabellenPunkte, false) + 1,
        std::max(Breitest(d, ziele, TabellenPunkte, false),
            Breitest(d, { QStringLiteral("Zielwert") }, TabellenPunkte, true)),
        Kaestchen + 1.5
            + Breitest(d, { BewertungText(Bewertung::ImBereich), BewertungText(Bewertung::Ausserhalb) }, TabellenPunkte,
                false),
    };
    QList<Spalte> s;
    double x = links;
    for (double b : breiten) {
        s.append({ x, b });
        x += b;
    }
    return s;
}

double KennzahlenDrucken(Drucker& d, const QList<BerichtKennzahl>& kennzahlen, const QList<Spalte>& s, double y)
{
    const double links = s.first().x;
    y = KopfDrucken(d, s,
        { QString(), QStringLiteral("Wert"), QString(), QStringLiteral("Zielwert"), QStringLiteral("Bewertung") },
        { DruckAusrichtung::Links, DruckAusrichtung::Rechts, DruckAusrichtung::Links, DruckAusrichtung::Links,
            DruckAusrichtung::Links },
        y);
    const double hoehe = d.Zeilenhoehe(TabellenPunkte) + Zugabe;
    const double rechts = s.last().x + s.last().breite;
    for (const BerichtKennzahl& k : kennzahlen) {
        // A thin line above each group keeps the figures of one nutrient together.
        if (!k.gruppe.isEmpty() && &k != &kennzahlen.first())
            d.Linie(links, y, rechts, y, 0.1, Trennlinie);
        const double t = y + Zugabe / 2;
        d.TextDrucken(s[0].x + 1, t, k.gruppe, DruckAusrichtung::Links, TabellenPunkte, true, false, s[0].breite - 2);
        d.TextDrucken(s[1].x + 1, t, k.wert.isEmpty() ? QStringLiteral("–") : k.wert, DruckAusrichtung::Rechts,
            TabellenPunkte, !k.ziel.isEmpty(), false, s[1].breite - 2);
        d.TextDrucken(s[2].x + 2, t, k.einheit, DruckAusrichtung::Links, TabellenPunkte, false, false, s[2].breite - 3);
        if (!k.ziel.isEmpty())
            d.TextDrucken(
                s[3].x + 1, t, k.ziel, DruckAusrichtung::Links, TabellenPunkte, false, false, s[3].breite - 2);
        BewertungDrucken(d, s[4].x + 1, t, s[4].breite - 2, k.bewertung, k.farbe);
        y += hoehe;
    }
    d.Linie(links, y, rechts, y, 0.3);
    return y;
}

double ErgebnisDrucken(Drucker& d, const ErgebnisTabelle& e, double links, double breite, double y)
{
    // Each column as wide as its widest text; a table wider than its place
    // takes a smaller font, and what still does not fit is shortened.
    const QList<const ErgebnisSpalte*> spalten = { &e.soll, &e.istNDF, &e.abweichungNDF, &e.istTMA, &e.abweichungTMA };
    const QStringList koepfe = { QStringLiteral("Soll"), QStringLiteral("Ist"), QStringLiteral("Abweichung"),
        QStringLiteral("Ist"), QStringLiteral("Abweichung") };
    double punkte = TabellenPunkte;
    QList<double> breiten;
    for (; punkte >= TabellenPunkte - 1; punkte -= 1) {
        QStringList zeilen;
        for (int i = 0; i < ErgZeilen; ++i)
            zeilen << ErgebnisZeilenText(i);
        breiten = { Breitest(d, zeilen, punkte, true) };
        for (qsizetype j = 0; j < spalten.size(); ++j)
            breiten << std::max(Breitest(d, QStringList(spalten[j]->cbegin(), spalten[j]->cend()), punkte, false),
                Breitest(d, { koepfe[j] }, punkte, true));
        if (std::accumulate(breiten.cbegin(), breiten.cend(), 0.0) <= breite)
            break;
    }
    punkte = std::max(punkte, TabellenPunkte - 1);
    const double summe = std::accumulate(breiten.cbegin(), breiten.cend(), 0.0);
    QList<Spalte> s;
    double x = links;
    for (double b : breiten) {
        const double w = summe > breite ? b * breite / summe : b;
        s.append({ x, w });
        x += w;
    }

    // The balancing names stand over their two columns each.
    const double zeile = d.Zeilenhoehe(punkte, true);
    d.TextDrucken(s[2].x, y, QStringLiteral("Bewertung nach NDF"), DruckAusrichtung::Mitte, punkte, true, false,
        s[2].breite + s[3].breite);
    d.TextDrucken(s[4].x, y, QStringLiteral("Bewertung nach TMA"), DruckAusrichtung::Mitte, punkte, true, false,
        s[4].breite + s[5].breite);
    y += zeile + 0.5;
    const QList<DruckAusrichtung> rechtsbuendig(6, DruckAusrichtung::Rechts);
    y = KopfDrucken(d, s, QStringList { QString() } + koepfe, rechtsbuendig, y, punkte);
    const double hoehe = d.Zeilenhoehe(punkte) + Zugabe;
    const double rechts = s.last().x + s.last().breite;
    for (int i = 0; i < ErgZeilen; ++i) {
        const double t = y + Zugabe / 2;
        const QStringList texte
            = { ErgebnisZeilenText(i), e.soll[i], e.istNDF[i], e.abweichungNDF[i], e.istTMA[i], e.abweichungTMA[i] };
        for (int j = 0; j < 6; ++j)
            d.TextDrucken(s[j].x + 1, t, texte[j], j == 0 ? DruckAusrichtung::Links : DruckAusrichtung::Rechts, punkte,
                j == 0, false, s[j].breite - 2);
        y += hoehe;
        d.Linie(links, y, rechts, y, 0.1, Trennlinie);
    }
    return y;
}

// The cost figures, caption and value side by side, and under them why one
// is missing or incomplete.
double KostenDrucken(Drucker& d, const RationBericht& b, double x, double breite, double y)
{
    y = Titel(d, x, y, breite, QStringLiteral("Futterkosten"));
    QStringList beschriftungen, werte;
    for (const BerichtKosten& k : b.kosten) {
        beschriftungen << k.beschriftung;
        werte << (k.wert.isEmpty() ? QStringLiteral("–") : k.wert);
    }
    const double links = std::min(Breitest(d, beschriftungen, TabellenPunkte, false), breite / 2);
    const double rechts = std::min(Breitest(d, werte, TabellenPunkte, true), breite - links);
    const double hoehe = d.Zeilenhoehe(TabellenPunkte) + Zugabe;
    for (qsizetype i = 0; i < beschriftungen.size(); ++i) {
        d.TextDrucken(x, y, beschriftungen[i], DruckAusrichtung::Links, TabellenPunkte, false, false, links - 2);
        d.TextDrucken(x + links, y, werte[i], DruckAusrichtung::Rechts, TabellenPunkte, true, false, rechts);
        y += hoehe;
    }
    if (!b.kostenTipp.isEmpty())
        y = d.TextDrucken(x, y + 0.5, b.kostenTipp, DruckAusrichtung::Links, TabellenPunkte - 1, false, true, breite,
            true);
    return y;
}

// The supply chart below the right column, which the German block does not
// lengthen, when the page still has room for it; a report never gets a page
// of its own for it.
void DiagrammDrucken(Drucker& d, const QList<Versorgungsbalken>& balken, double x, double breite, double y)
{
    constexpr double Mindesthoehe = 45;
    constexpr double Hoechsthoehe = 85;
    const Seitengeometrie& g = d.Geometrie();
    const double platz = g.unten - y;
    if (balken.isEmpty() || platz < Mindesthoehe)
        return;
    y = Titel(d, x, y, breite, QStringLiteral("Versorgung in % von Bedarf und Grenze"));
    const double hoehe = std::min(g.unten - y, Hoechsthoehe);
    // Laid out at a screen size of the page's proportions, so that its type
    // keeps the size it has in the window, then scaled onto the page.
    VersorgungsDiagramm diagramm;
    diagramm.Setzen({ { QString(), balken } });
    const QSizeF groesse(420, 420 * hoehe / breite);
    diagramm.chart()->resize(groesse);
    d.Malen(x, y, breite, hoehe, [&](QPainter& maler, const QRectF& ziel) {
        maler.setRenderHint(QPainter::Antialiasing);
        diagramm.chart()->scene()->render(&maler, ziel, QRectF(QPointF(0, 0), groesse));
    });
}

// The German block: title, figure table and the notes on missing values.
double GfEDrucken(Drucker& d, const RationBericht& b, double links, double y)
{
    const QList<Spalte> spalten = KennzahlenSpalten(d, b.gfe, links);
    const double breite = spalten.last().x + spalten.last().breite - links;
    y = Titel(d, links, y, breite, QStringLiteral("Nach GfE (deutscher Maßstab)"));
    y = KennzahlenDrucken(d, b.gfe, spalten, y);
    for (const QString& hinweis : b.gfeHinweise)
        y = d.TextDrucken(links, y + 0.5, hinweis, DruckAusrichtung::Links, TabellenPunkte - 1, false, true, breite,
                true);
    return y;
}

// The height GfEDrucken takes, a note counted with two lines.
double GfEHoehe(Drucker& d, const RationBericht& b)
{
    const double zeile = d.Zeilenhoehe(TabellenPunkte) + Zugabe;
    return d.Zeilenhoehe(TitelPunkte) + 1.5 + d.Zeilenhoehe(TabellenPunkte, true) + Zugabe
        + static_cast<double>(b.gfe.size()) * zeile
        + static_cast<double>(b.gfeHinweise.size()) * (2 * d.Zeilenhoehe(TabellenPunkte - 1) + 0.5);
}

bool UebersichtDrucken(Drucker& d, const RationBericht& b)
{
    if (!d.SeitenRahmenDrucken(d.Seite() + 1, Programmname(), Ueberschrift(b), 1))
        return false;
    const Seitengeometrie& g = d.Geometrie();
    double y = TierDrucken(d, b.tier, g.links, g.oben + 2);
    const double oben = y;

    // Left: the figures of the ration window.
    const double links = g.links;
    const QList<Spalte> spalten = KennzahlenSpalten(d, b.kennzahlen, links);
    const double kennzahlenBreite = spalten.last().x + spalten.last().breite - links;
    y = Titel(d, links, oben, kennzahlenBreite, QStringLiteral("Kennzahlen der Ration"));
    y = KennzahlenDrucken(d, b.kennzahlen, spalten, y);

    // Legend under the figures.
    y += 2;
    double x = links;
    const QList<std::pair<qint64, QString>> legende = {
        { Farbe::Gruen, QStringLiteral("grün: im Bereich") },
        { Farbe::Hellrot, QStringLiteral("hellrot: außerhalb") },
        { Farbe::Magenta, QStringLiteral("magenta: Überversorgung") },
    };
    for (const auto& [farbe, text] : legende) {
        const double hoehe = d.Zeilenhoehe(8);
        d.Flaeche(x, y + (hoehe - 2.6) / 2, 2.6, 2.6, FarbeAusWert(farbe), true);
        const double w = d.Textbreite(text, 8) + 1;
        d.TextDrucken(x + 3.8, y, text, DruckAusrichtung::Links, 8, false, false, w);
        x += 3.8 + w + 6;
    }

    // Under them the German block, in the same table form, when it fits
    // above the footer; otherwise it gets a page of its own after this one,
    // so that no row is printed over the footer or beyond the page.
    y += d.Zeilenhoehe(8) + 5;
    const bool gfeHierDrucken = !b.gfe.isEmpty() && y + GfEHoehe(d, b) <= g.unten;
    if (gfeHierDrucken)
        GfEDrucken(d, b, links, y);

    // Right: supply and the comparison of both balancings.
    const double rechtsX = links + kennzahlenBreite + 5;
    const double breite = g.rechts - rechtsX;
    double r = Titel(d, rechtsX, oben, breite, QStringLiteral("Versorgung"));
    for (const BerichtHinweis& h : b.versorgung) {
        const double hoehe = d.Zeilenhoehe(TabellenPunkte);
        d.Flaeche(rechtsX, r + (hoehe - Kaestchen) / 2, Kaestchen, Kaestchen, FarbeAusWert(h.farbe), true);
        r = d.TextDrucken(rechtsX + Kaestchen + 1.5, r, h.text, DruckAusrichtung::Links, TabellenPunkte,
                h.bewertung == Bewertung::Ausserhalb, false, breite - Kaestchen - 1.5)
            + 1.5;
    }
    r += 5;
    if (!b.kosten.isEmpty())
        r = KostenDrucken(d, b, rechtsX, breite, r) + 5;
    r = Titel(d, rechtsX, r, breite, QStringLiteral("Gegenüberstellung der Ergebnisse"));
    if (b.ergebnis)
        r = ErgebnisDrucken(d, *b.ergebnis, rechtsX, breite, r);
    else
        r = d.TextDrucken(rechtsX, r,
            QStringLiteral("Die Gegenüberstellung steht hier, sobald die Ration mit TM und mit NDF "
                           "ausgeglichen wurde."),
            DruckAusrichtung::Links, TabellenPunkte, false, true, breite, true);
    DiagrammDrucken(d, b.balken, rechtsX, breite, r + 5);

    if (b.gfe.isEmpty() || gfeHierDrucken)
        return true;
    if (!d.SeitenRahmenDrucken(d.Seite() + 1, Programmname(), Ueberschrift(b), 1))
        return false;
    GfEDrucken(d, b, g.links, TierDrucken(d, b.tier, g.links, g.oben + 2));
    return true;
}

} // namespace

bool RationBerichtDrucken(QPagedPaintDevice& geraet, const RationBericht& bericht)
{
    if (!ListeDruckbar(bericht.liste))
        return false;
    Drucker d(geraet);
    if (!d.ListeDrucken(bericht.liste, Programmname(), Ueberschrift(bericht), 1, ListenPunkte))
        return false;
    if (!UebersichtDrucken(d, bericht))
        return false;
    return d.Beenden();
}

} // namespace kelvora
