#include "frame/Statuszeile.h"

#include "frame/Oberflaeche.h"
#include "frame/Protokoll.h"

namespace kelvora {

void HauptFensterMeldungAusgeben(qint64 farbe, const QString& text, int sekunden, bool ausblenden,
                                 bool nochmalProtokollieren)
{
    const QString zeile = QStringLiteral("HauptFensterMeldungAusgeben: ") + text;
    ProtokollSchreiben(zeile);
    ui().StatuszeileZeigen(farbe, text, sekunden, ausblenden);
    ui().EreignisseVerarbeiten();
    if (nochmalProtokollieren)
        ProtokollSchreiben(zeile, 0, QString(), true);
}

RGB FarbeZerlegen(qint64 c)
{
    const qint64 b = c / 65536;
    const qint64 g = (c - b * 65536) / 256;
    const qint64 r = c - b * 65536 - g * 256;
    return {static_cast<int>(r), static_cast<int>(g), static_cast<int>(b)};
}

qint64 TextfarbeFuer(qint64 hintergrund)
{
    if (hintergrund == Farbe::Schaltflaeche)
        return Farbe::Schwarz;
    const RGB f = FarbeZerlegen(hintergrund);
    return 5 * f.gruen + 2 * f.rot + f.blau >= 1025 ? Farbe::Schwarz : Farbe::Weiss;
}

} // namespace kelvora
