#include "ration/RationErgebnisPosition.h"

#include "frame/FunktionenFuerINI.h"

#include <algorithm>

namespace kelvora {

QString ErgebnisFensterName()
{
    return QStringLiteral("ErgebnisFenster");
}

FensterRechteck ErgebnisFensterPosition(double hauptBreite)
{
    const QString abschnitt = ErgebnisFensterName();
    double links = PositionLesen(abschnitt, QStringLiteral("Links"), 0);
    double oben = PositionLesen(abschnitt, QStringLiteral("Oben"), 0);
    const double hoechstens = std::max(3500.0, hauptBreite - 500);
    const double breit = std::min(std::max(PositionLesen(abschnitt, QStringLiteral("Breit"), 5250), 3500.0), hoechstens);
    // The stored height is read like the other keys but the window keeps
    // its own height.
    INILesenZahl(abschnitt, QStringLiteral("Hoch"), 4920);

    if (links > hauptBreite)
        links = hauptBreite - breit - 100;
    FensterRechteck r;
    r.links = std::max(0.0, links);
    r.oben = std::max(0.0, oben);
    r.breite = ErgebnisBreite;
    r.hoehe = ErgebnisHoehe;
    return r;
}

long ErgebnisFensterAufrufZaehlen()
{
    return AufrufZaehlen(ErgebnisFensterName(), false);
}

} // namespace kelvora
