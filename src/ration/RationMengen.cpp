#include "ration/RationMengen.h"

#include "grundlagen/Formate.h"

#include <algorithm>

namespace kelvora {

QString MengenMaske()
{
    return QStringLiteral("#0.00");
}

QString MilchMaske()
{
    return QStringLiteral("#0.0");
}

std::optional<double> MengenSchritt(double menge, bool hoch)
{
    double schritt = 0.01;
    if (menge >= 10)
        schritt = 1.0;
    else if (menge >= 5)
        schritt = 0.5;
    else if (menge >= 1)
        schritt = 0.1;
    else if (menge >= 0.5)
        schritt = 0.05;
    else if (menge < 0.1 && !hoch)
        return std::nullopt;  // would reach zero or below
    // The boxes show two decimals; rounding here keeps 9,9 + 0,5 from
    // carrying binary noise into the next step.
    return RundenGerade(hoch ? menge + schritt : menge - schritt, 10);
}

std::optional<double> AnteilSchritt(double anteil, bool hoch)
{
    if (hoch && anteil <= 95)
        return RundenGerade(anteil + 5, 10);
    if (!hoch && anteil >= 5)
        return RundenGerade(anteil - 5, 10);
    return std::nullopt;
}

std::optional<double> MilchSchritt(double milch, bool hoch)
{
    if (hoch && milch < 99)
        return RundenGerade(milch + 1, 10);
    if (!hoch && milch > 1)
        return RundenGerade(milch - 1, 10);
    return std::nullopt;
}

std::optional<double> FrischInTrocken(double frisch, long tm_g)
{
    if (frisch > 0 && tm_g >= 1)
        return frisch * static_cast<double>(tm_g) / 1000.0;
    return std::nullopt;
}

std::optional<double> TrockenInFrisch(double trocken, long tm_g)
{
    if (trocken > 0 && tm_g >= 1)
        return trocken * 1000.0 / static_cast<double>(tm_g);
    return std::nullopt;
}

double AnteilVorschlag(const QList<RationZeile>& zeilen, long bearbeiteteID)
{
    double andere = 0;
    for (const RationZeile& z : zeilen)
        if (IstFrei(z) && z.id != bearbeiteteID)
            andere += z.prozentAnteil;
    return std::clamp(RundenGerade(100 - andere, 10), 0.0, 100.0);
}

} // namespace kelvora
