#include "herde/ui/HerdeDrucken.h"

#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/ui/Farbwert.h"
#include "grundlagen/ZahlText.h"
#include "printing/ui/FunktionenDrucker.h"

namespace kelvora {

namespace {

constexpr double Punkte = 8.5;
constexpr double WortPunkte = 7;
constexpr double ListenPunkte = 9;
constexpr double Zugabe = 1.2; // a row is this much higher than its text
constexpr double Kaestchen = 3;

const QColor KopfGrund(232, 232, 232);
const QColor AbschnittGrund(244, 244, 244);
const QColor Trennlinie(190, 190, 190);

struct Lage {
    double x;
    double breite;
};

// Where the columns stand: group, caption, limit, then one per ration.
QList<Lage> Spalten(const Seitengeometrie& g, qsizetype rationen)
{
    const double fest[] = { 26, 52, 24 };
    QList<Lage> s;
    double x = g.links;
    for (double b : fest) {
        s.append({ x, b });
        x += b;
    }
    const double je = (g.rechts - x) / static_cast<double>(std::max<qsizetype>(rationen, 1));
    for (qsizetype i = 0; i < rationen; ++i, x += je)
        s.append({ x, je });
    return s;
}

// The size at which text fits the width, from punkte down to at most
// `weniger` points less: six rations leave narrow columns, and "Unterversorgung" or
// "im Bereich" cut to "Unterversor..." reads worse than a little smaller.
double Passend(const Drucker& d, const QString& text, double punkte, bool fett, double breite, double weniger = 1.5)
{
    double p = punkte;
    while (p > punkte - weniger && d.Textbreite(text, p, fett) > breite)
        p -= 0.25;
    return p;
}

double Kopf(Drucker& d, const QList<Lage>& s, const QStringList& namen, double y)
{
    const double links = s.first().x;
    const double rechts = s.last().x + s.last().breite;
    const double hoehe = d.Zeilenhoehe(Punkte, true) + Zugabe;
    d.Flaeche(links, y, rechts - links, hoehe, KopfGrund);
    d.TextDrucken(s[2].x + 1, y + Zugabe / 2, QStringLiteral("Zielwert"), DruckAusrichtung::Links, Punkte, true, false,
        s[2].breite - 2);
    for (qsizetype i = 0; i < namen.size(); ++i)
        d.TextDrucken(s[3 + i].x + 1, y + Zugabe / 2, namen[i], DruckAusrichtung::Mitte,
            Passend(d, namen[i], Punkte, true, s[3 + i].breite - 2), true, false, s[3 + i].breite - 2);
    y += hoehe;
    d.Linie(links, y, rechts, y, 0.3);
    return y;
}

// RNB shows its sign: "+72" is a number too.
bool IstZahl(const QString& text)
{
    return ZahlAusText(text.startsWith(QLatin1Char('+')) ? text.mid(1) : text).has_value();
}

// The room beside a checked figure's value for its word.
double WortPlatz(const Drucker& d, const Lage& l, const VergleichsZelle& z)
{
    const double breite = l.breite - 2 - (z.farbe != 0 ? Kaestchen + 1 : 0);
    return std::max(breite - d.Textbreite(z.text, Punkte, true) - 1, 1.0);
}

// One size for the state's words of the whole table, the largest at which
// each fits beside its value: words of changing size look untidy.
double WortGroesse(const Drucker& d, const Vergleichstabelle& t, const QList<Lage>& s)
{
    double p = WortPunkte;
    for (const VergleichsTabellenZeile& z : t.zeilen)
        for (qsizetype i = 0; i < z.zellen.size() && 3 + i < s.size(); ++i) {
            const VergleichsZelle& c = z.zellen[i];
            if (c.bewertung != Bewertung::OhnePruefung && IstZahl(c.text))
                // Italic runs a little wider than the measure of upright text.
                p = std::min(p, Passend(d, BewertungText(c.bewertung), WortPunkte, false, WortPlatz(d, s[3 + i], c) * 0.95));
        }
    return p;
}

// A number stands right-aligned; a checked figure gets its box at the left
// and the state's word beside it, a message its box and its text.
void Zelle(Drucker& d, const Lage& l, double y, const VergleichsZelle& z, double wortPunkte)
{
    double x = l.x + 1;
    double breite = l.breite - 2;
    const double hoehe = d.Zeilenhoehe(Punkte);
    if (z.farbe != 0) {
        d.Flaeche(x, y + (hoehe - Kaestchen) / 2, Kaestchen, Kaestchen, FarbeAusWert(z.farbe), true);
        x += Kaestchen + 1;
        breite -= Kaestchen + 1;
    }
    if (!IstZahl(z.text)) {
        // A message stands beside its box; other texts ("600-650",
        // "unvollständig") stand right like the numbers, as in the window.
        // "Unterversorgung" in bold needs 2,5 points less in six columns;
        // a smaller text keeps the middle of the line.
        const bool fett = z.bewertung == Bewertung::Ausserhalb;
        const double p = Passend(d, z.text, Punkte, fett, breite, 2.5);
        d.TextDrucken(x, y + (hoehe - d.Zeilenhoehe(p)) / 2, z.text,
            z.farbe != 0 ? DruckAusrichtung::Links : DruckAusrichtung::Rechts, p, fett, false, breite);
        return;
    }
    if (z.bewertung != Bewertung::OhnePruefung)
        d.TextDrucken(x, y + (hoehe - d.Zeilenhoehe(wortPunkte)) / 2, BewertungText(z.bewertung),
            DruckAusrichtung::Links, wortPunkte, false, true, WortPlatz(d, l, z));
    d.TextDrucken(
        x, y, z.text, DruckAusrichtung::Rechts, Punkte, z.bewertung != Bewertung::OhnePruefung, false, breite);
}

} // namespace

bool VergleichDrucken(QPagedPaintDevice& geraet, const Vergleichstabelle& t)
{
    Drucker d(geraet);
    const QString titel = QStringLiteral("Rationen vergleichen");
    if (!d.Bereit() || !d.SeitenRahmenDrucken(1, Programmname(), titel, 1))
        return false;
    const Seitengeometrie& g = d.Geometrie();
    const QList<Lage> s = Spalten(g, t.namen.size());
    const double rechts = s.last().x + s.last().breite;
    const double hoehe = d.Zeilenhoehe(Punkte) + Zugabe;
    const double wortPunkte = WortGroesse(d, t, s);
    double y = Kopf(d, s, t.namen, g.oben + 1);
    for (const VergleichsTabellenZeile& z : t.zeilen) {
        // A heading never stands alone at the foot of a page.
        const double braucht = z.abschnitt.isEmpty() ? hoehe : 2 * hoehe;
        if (y + braucht > g.unten) {
            if (!d.SeitenRahmenDrucken(d.Seite() + 1, Programmname(), titel, 1))
                return false;
            y = Kopf(d, s, t.namen, g.oben + 1);
        }
        const double text = y + Zugabe / 2;
        if (!z.abschnitt.isEmpty()) {
            d.Flaeche(g.links, y, rechts - g.links, hoehe, AbschnittGrund);
            d.TextDrucken(
                g.links + 1, text, z.abschnitt, DruckAusrichtung::Links, Punkte, true, false, rechts - g.links - 2);
        } else {
            d.TextDrucken(s[0].x + 1, text, z.gruppe, DruckAusrichtung::Links, Punkte, true, false, s[0].breite - 2);
            d.TextDrucken(
                s[1].x + 1, text, z.beschriftung, DruckAusrichtung::Links, Punkte, false, false, s[1].breite - 2);
            d.TextDrucken(s[2].x + 1, text, z.ziel, DruckAusrichtung::Links, Punkte, false, false, s[2].breite - 2);
            for (qsizetype i = 0; i < z.zellen.size() && 3 + i < s.size(); ++i)
                Zelle(d, s[3 + i], text, z.zellen[i], wortPunkte);
        }
        y += hoehe;
        d.Linie(g.links, y, rechts, y, 0.1, Trennlinie);
    }
    return d.Beenden();
}

bool HerdeDrucken(QPagedPaintDevice& geraet, const Herde& herde)
{
    const DruckListe gruppen = HerdenGruppenListe(herde);
    const DruckListe futter = HerdenFutterListe(herde);
    // Groups and feeds on one page when they fit, each table under its title.
    Drucker d(geraet);
    const QString titel = QStringLiteral("Herde");
    if (!d.Bereit() || !d.SeitenRahmenDrucken(1, Programmname(), titel, 1))
        return false;
    const Seitengeometrie& g = d.Geometrie();
    const double breite = g.rechts - g.links;
    double y = g.oben + 1;
    y = d.TextDrucken(g.links, y, QStringLiteral("Gruppen"), DruckAusrichtung::Links, 11, true, false, breite) + 1;
    if (!d.ListeDruckenAb(gruppen, Programmname(), titel, 1, ListenPunkte, y, &y))
        return false;
    const QString offen = NichtAusgeglichenText(herde);
    if (!offen.isEmpty())
        y = d.TextDrucken(g.links, y + 2, offen, DruckAusrichtung::Links, 9, false, true, breite, true);
    y += 6;
    // The feeds' title goes to the next page with its table.
    if (y + 4 * d.Zeilenhoehe(ListenPunkte) + d.Zeilenhoehe(11, true) > g.unten) {
        if (!d.SeitenRahmenDrucken(d.Seite() + 1, Programmname(), titel, 1))
            return false;
        y = g.oben + 1;
    }
    y = d.TextDrucken(g.links, y, QStringLiteral("Futtermittel"), DruckAusrichtung::Links, 11, true, false, breite) + 1;
    if (!d.ListeDruckenAb(futter, Programmname(), titel, 1, ListenPunkte, y))
        return false;
    return d.Beenden();
}

} // namespace kelvora
