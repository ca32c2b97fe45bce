#include "ration/RationAnteile.h"

#include "grundlagen/Formate.h"

#include <cmath>

namespace kelvora {

FreieAnteile FreieAnteileZaehlen(const QList<RationZeile>& zeilen)
{
    FreieAnteile f;
    for (const RationZeile& z : zeilen) {
        if (!IstFrei(z))
            continue;
        ++f.anzahl;
        f.summe += z.prozentAnteil;
    }
    return f;
}

bool AnteileVollstaendig(const FreieAnteile& frei)
{
    return frei.anzahl == 0 || std::abs(frei.summe - 100) < 0.005;
}

QList<NeuerAnteil> AndereFreieAnpassen(const QList<RationZeile>& zeilen, long futterID)
{
    const FreieAnteile frei = FreieAnteileZaehlen(zeilen);
    double c = 0;
    for (const RationZeile& z : zeilen)
        if (IstFrei(z) && z.futterID == futterID)
            c = z.prozentAnteil;
    const double rest = frei.summe - c;
    QList<NeuerAnteil> neu;
    if (RundenGerade(rest, 10) == 0)
        return neu;
    for (const RationZeile& z : zeilen)
        if (IstFrei(z) && z.futterID != futterID)
            neu.append({z.id, z.prozentAnteil * (100 - c) / rest});
    return neu;
}

QList<NeuerAnteil> AlleFreienAnpassen(const QList<RationZeile>& zeilen)
{
    const FreieAnteile frei = FreieAnteileZaehlen(zeilen);
    QList<NeuerAnteil> neu;
    if (RundenGerade(frei.summe, 10) == 0)
        return neu;
    for (const RationZeile& z : zeilen)
        if (IstFrei(z))
            neu.append({z.id, z.prozentAnteil * 100 / frei.summe});
    return neu;
}

} // namespace kelvora
