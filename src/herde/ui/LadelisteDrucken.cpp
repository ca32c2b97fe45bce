#include "herde/ui/LadelisteDrucken.h"

#include "frame/Programm.h"
#include "grundlagen/Formate.h"
#include "grundlagen/Textbereinigung.h"
#include "printing/ui/FunktionenDrucker.h"

#include <algorithm>

namespace kelvora {

namespace {

// Large enough to read at arm's length in a cab; a long ration gets smaller
// type rather than a second sheet nobody turns over on the tractor.
constexpr double GrossePunkte = 20;
constexpr double KleinstePunkte = 11;

struct Spalten {
    double nr, name, kg, waage, ende;
};

} // namespace

bool LadelisteDrucken(QPagedPaintDevice& geraet, const Ladeliste& l, const QDate& tag)
{
    Drucker d(geraet);
    const QString titel = QStringLiteral("Ladeliste ") + Genannt(OhneSteuerzeichen(l.ration));
    const QString unter = tag.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" – %1 Tiere, Reserve %2 %")
                                                                      .arg(l.tiere)
                                                                      .arg(Formatieren(l.reserve, QStringLiteral("#0.#")));
    if (!d.SeitenRahmenDrucken(1, Programmname(), titel, 1))
        return false;
    const Seitengeometrie& g = d.Geometrie();
    double y = g.oben + 2;
    y = d.TextDrucken(g.links, y, titel, DruckAusrichtung::Links, GrossePunkte + 4, true, false, g.rechts - g.links) + 1;
    y = d.TextDrucken(g.links, y, unter, DruckAusrichtung::Links, GrossePunkte - 4, false, false, g.rechts - g.links);
    const QString ladungen = l.ladungen == 1
        ? QStringLiteral("1 Ladung")
        : QStringLiteral("%1 Ladungen – jede Ladung so laden:").arg(l.ladungen);
    y = d.TextDrucken(g.links, y + 1, ladungen, DruckAusrichtung::Links, GrossePunkte - 2, true, false,
            g.rechts - g.links)
        + 4;

    // The type shrinks until every line, the header and the total fit.
    const double platz = g.unten - y;
    double punkte = GrossePunkte;
    while (punkte > KleinstePunkte && d.Zeilenhoehe(punkte) * 1.25 * (l.zeilen.size() + 3) > platz)
        punkte -= 1;
    const double zeile = d.Zeilenhoehe(punkte) * 1.25;
    const double breite = g.rechts - g.links;
    const Spalten s { g.links, g.links + breite * 0.09, g.links + breite * 0.66, g.links + breite * 0.83, g.rechts };
    auto kopf = [&](double y0) {
        d.TextDrucken(s.nr, y0, QStringLiteral("Nr"), DruckAusrichtung::Links, punkte, true, false, s.name - s.nr);
        d.TextDrucken(s.name, y0, QStringLiteral("Futtermittel"), DruckAusrichtung::Links, punkte, true, false,
            s.kg - s.name - 2);
        d.TextDrucken(s.kg, y0, QStringLiteral("kg"), DruckAusrichtung::Rechts, punkte, true, false, s.waage - s.kg - 2);
        d.TextDrucken(
            s.waage, y0, QStringLiteral("Waage"), DruckAusrichtung::Rechts, punkte, true, false, s.ende - s.waage);
    };
    kopf(y);
    y += zeile;
    d.Linie(g.links, y - 1, g.rechts, y - 1, 0.4);
    for (qsizetype i = 0; i < l.zeilen.size(); ++i) {
        const LadeZeile& z = l.zeilen[i];
        // Every other line shaded, so the eye keeps the line across the page.
        if (i % 2 == 1)
            d.Flaeche(g.links, y - 0.5, breite, zeile, QColor(235, 235, 235));
        d.TextDrucken(s.nr, y, QString::number(z.nr), DruckAusrichtung::Links, punkte, false, false, s.name - s.nr);
        d.TextDrucken(s.name, y, OhneSteuerzeichen(z.name), DruckAusrichtung::Links, punkte, false, false,
            s.kg - s.name - 2);
        d.TextDrucken(s.kg, y, KgText(z.kg, l.schritt), DruckAusrichtung::Rechts, punkte, true, false,
            s.waage - s.kg - 2);
        d.TextDrucken(s.waage, y, KgText(z.waage, l.schritt), DruckAusrichtung::Rechts, punkte, false, false,
            s.ende - s.waage);
        y += zeile;
    }
    d.Linie(g.links, y - 0.5, g.rechts, y - 0.5, 0.4);
    d.TextDrucken(s.name, y, QStringLiteral("Ladung gesamt"), DruckAusrichtung::Links, punkte, true, false,
        s.kg - s.name - 2);
    d.TextDrucken(s.waage, y, KgText(l.kg, l.schritt), DruckAusrichtung::Rechts, punkte, true, false, s.ende - s.waage);
    y += zeile;
    d.TextDrucken(s.name, y, QStringLiteral("davon Trockenmasse"), DruckAusrichtung::Links, punkte - 4, false, false,
        s.kg - s.name - 2);
    d.TextDrucken(s.waage, y, Formatieren(l.kgTM, QStringLiteral("#,##0")) + QStringLiteral(" kg"),
        DruckAusrichtung::Rechts, punkte - 4, false, false, s.ende - s.waage);
    return d.Beenden();
}

QString LadelisteDateiname(const Ladeliste& liste, const QDate& tag)
{
    QString name = OhneSteuerzeichen(liste.ration);
    // A name may hold what a file name must not.
    for (const QChar c : { QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':'), QLatin1Char('*'),
             QLatin1Char('?'), QLatin1Char('"'), QLatin1Char('<'), QLatin1Char('>'), QLatin1Char('|') })
        name.replace(c, QLatin1Char('_'));
    return QStringLiteral("Ladeliste ") + name + QLatin1Char(' ') + tag.toString(QStringLiteral("dd.MM.yyyy"))
        + QStringLiteral(".pdf");
}

} // namespace kelvora
