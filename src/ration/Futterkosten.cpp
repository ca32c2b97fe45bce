#include "ration/Futterkosten.h"

#include "grundlagen/Formate.h"
#include "feeds/FutterbezogeneRoutinen.h"

namespace kelvora {

namespace {

const QString Maske = QStringLiteral("#,##0.00");

} // namespace

Futterkosten FutterkostenBerechnen(const QList<RationZeile>& zeilen, const FutterWertFunktion& wert)
{
    Futterkosten k;
    for (const RationZeile& z : zeilen) {
        if (z.frischMenge <= 0)
            continue;
        // Preis 0 is what a feed stored without price holds, so it counts as
        // missing rather than as a free feed.
        const double preis = WertAlsZahl(wert(z.futterID, FutterCode::PreisJeKgFM));
        if (preis <= 0) {
            QString name = wert(z.futterID, FutterCode::Bezeichnung).toString().trimmed();
            if (name.isEmpty())
                name = QStringLiteral("Nr. %1").arg(z.futterID);
            k.ohnePreis.append(name);
            continue;
        }
        k.jeTag += z.frischMenge * preis;
    }
    return k;
}

const QStringList& KostenAnzeigenNamen()
{
    static const QStringList namen{QStringLiteral("lblFutterkostenAnzeige"),
                                   QStringLiteral("lblFutterkostenMilchAnzeige"),
                                   QStringLiteral("lblEinkommenAnzeige")};
    return namen;
}

const QStringList& KostenBeschriftungen()
{
    static const QStringList texte{QStringLiteral("Futterkosten €/Tag"), QStringLiteral("Futterkosten je kg Milch"),
                                   QStringLiteral("Einkommen über Futterkosten €/Tag")};
    return texte;
}

KostenTexte KostenTexteBilden(const Futterkosten& kosten, double milchKg, std::optional<double> milchpreis)
{
    KostenTexte t;
    if (!kosten.Vollstaendig()) {
        const QString unvollstaendig = QStringLiteral("unvollständig");
        t.jeTag = t.jeKgMilch = t.einkommen = unvollstaendig;
        t.tipp = QStringLiteral("Ohne Preis: ") + kosten.ohnePreis.join(QStringLiteral(", "))
            + QStringLiteral(". Tragen Sie den Preis €/dt FM im Futtermittel ein.");
        return t;
    }
    t.jeTag = Formatieren(kosten.jeTag, Maske);
    if (milchKg > 0)
        t.jeKgMilch = Formatieren(kosten.jeTag / milchKg, Maske);
    if (milchpreis)
        t.einkommen = Formatieren(milchKg * *milchpreis - kosten.jeTag, Maske);
    else
        t.tipp = QStringLiteral("Für das Einkommen über Futterkosten fehlt ein gültiger Milchpreis.");
    return t;
}

} // namespace kelvora
