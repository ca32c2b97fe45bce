#include "ration/Eingabegrenzen.h"

#include "grundlagen/Formate.h"
#include "grundlagen/ZahlText.h"

#include <cmath>

namespace kelvora {

const Eingabegrenze& MilchGrenze()
{
    static const Eingabegrenze g{QStringLiteral("Milch kg"), 0, 100, QStringLiteral("kg")};
    return g;
}

const Eingabegrenze& FettGrenze()
{
    static const Eingabegrenze g{QStringLiteral("Fett %"), 1, 10, QStringLiteral("%")};
    return g;
}

const Eingabegrenze& EiweissGrenze()
{
    static const Eingabegrenze g{QStringLiteral("Eiweiß %"), 2.5, 5, QStringLiteral("%")};
    return g;
}

const Eingabegrenze& MengeGrenze()
{
    static const Eingabegrenze g{QStringLiteral("Menge"), 0, 500, QStringLiteral("kg Frischmasse")};
    return g;
}

const Eingabegrenze& AnteilGrenze()
{
    static const Eingabegrenze g{QStringLiteral("Anteil"), 0, 100, QStringLiteral("%")};
    return g;
}

const Eingabegrenze& MilchpreisGrenze()
{
    static const Eingabegrenze g{QStringLiteral("Milchpreis €/kg"), 0, 10, QStringLiteral("€ je kg Milch")};
    return g;
}

namespace {

QString GrenzeText(double wert)
{
    return DezimalText(wert);
}

} // namespace

QString GrenzePruefen(const Eingabegrenze& grenze, double wert)
{
    if (std::isfinite(wert) && wert >= grenze.minimum && wert <= grenze.maximum)
        return QString();
    return QStringLiteral("Der Wert bei %1 muss zwischen %2 und %3 %4 liegen. Bitte korrigieren Sie die Eingabe.")
        .arg(grenze.feld, GrenzeText(grenze.minimum), GrenzeText(grenze.maximum), grenze.einheit);
}

GepruefteZahl ZahlPruefen(const Eingabegrenze& grenze, const QString& text)
{
    const std::optional<double> wert = ZahlAusText(text);
    if (!wert)
        return {std::nullopt, KeineZahlMeldung(grenze.feld, text)};
    QString meldung = GrenzePruefen(grenze, *wert);
    if (!meldung.isEmpty())
        return {std::nullopt, meldung};
    return {wert, QString()};
}

} // namespace kelvora
