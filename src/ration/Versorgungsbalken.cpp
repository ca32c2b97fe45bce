#include "ration/Versorgungsbalken.h"

#include "frame/Oberflaeche.h"
#include "grundlagen/DatenTypen.h"

namespace kelvora {

namespace {

std::optional<double> Prozent(double ist, double bezug)
{
    if (!(bezug > 0))
        return std::nullopt;
    return ist * 100 / bezug;
}

// The colour of a supply message: hidden means within range.
qint64 HinweisFarbe(const Auswertung& a, const QString& name)
{
    const Anzeige* anzeige = a.AnzeigeNach(name);
    if (!anzeige || !anzeige->gesetzt)
        return 0;
    return anzeige->sichtbar && !anzeige->text.isEmpty() ? anzeige->hintergrund : Farbe::Gruen;
}

qint64 LabelFarbe(const Auswertung& a, const QString& name)
{
    const Anzeige* anzeige = a.AnzeigeNach(name);
    return anzeige && anzeige->gesetzt ? anzeige->hintergrund : 0;
}

// A figure as the label shows it (the limits are read as shown there).
double Angezeigt(const Auswertung& a, const QString& name)
{
    const Anzeige* anzeige = a.AnzeigeNach(name);
    return anzeige && anzeige->gesetzt ? TextInDouble(anzeige->text) : 0;
}

} // namespace

QList<Versorgungsbalken> VersorgungsbalkenAus(const Auswertung& a)
{
    const RationSummen& s = a.summen;
    if (!a.datenbankOffen || a.abgebrochen || !(s.trockenmasse > 0))
        return {};
    const Bedarf& b = a.bedarf;
    const auto mangel = [](double ist, double soll) { return ist < soll ? Farbe::Hellrot : Farbe::Gruen; };
    const double rp = static_cast<double>(s.rohprotein);
    const double ndf = static_cast<double>(s.ndf);
    const double tmMax = Angezeigt(a, QStringLiteral("lblTMKiloMaxAnzeige2"));
    const double ndfMax = Angezeigt(a, QStringLiteral("lblNDFGrammMaxAnzeige"));
    return {
        { QStringLiteral("NEL"), Prozent(s.nel, b.nel), s.nel, b.nel, QStringLiteral("MJ"),
            HinweisFarbe(a, QStringLiteral("lblUnterversorgungNEL")) },
        { QStringLiteral("Rohprotein"), Prozent(rp, b.rohprotein), rp, b.rohprotein, QStringLiteral("g"),
            HinweisFarbe(a, QStringLiteral("lblUnterversorgungRohprotein")) },
        { QStringLiteral("Ca"), Prozent(s.ca, b.ca), s.ca, b.ca, QStringLiteral("g"), mangel(s.ca, b.ca) },
        { QStringLiteral("P"), Prozent(s.p, b.p), s.p, b.p, QStringLiteral("g"), mangel(s.p, b.p) },
        { QStringLiteral("TM"), Prozent(s.trockenmasse, tmMax), s.trockenmasse, tmMax, QStringLiteral("kg"),
            LabelFarbe(a, QStringLiteral("lblTMKiloAnzeige")) },
        { QStringLiteral("NDF"), Prozent(ndf, ndfMax), ndf, ndfMax, QStringLiteral("g"),
            LabelFarbe(a, QStringLiteral("lblNDFGrammAnzeige")) },
    };
}

} // namespace kelvora
