#pragma once
// What the ration costs: feed cost per day, per kg milk and the income over
// feed cost, from the amounts of table Ration and each feed's Preis (€ per dt
// fresh matter). A feed with an amount but without price makes the figures
// incomplete; the evaluation then names it instead of showing a sum that is
// too low.

#include "ration/RationAuswerten.h"

#include <QStringList>
#include <optional>

namespace kelvora {

struct Futterkosten {
    double jeTag = 0;           // € per day: Σ kg FM × Preis / 100
    QStringList ohnePreis;      // feeds with an amount but no price (Preis empty or 0)
    bool Vollstaendig() const { return ohnePreis.isEmpty(); }
};

// Σ FutterFrischMenge × value code 72 over the rows; wert as for the evaluation.
Futterkosten FutterkostenBerechnen(const QList<RationZeile>& zeilen, const FutterWertFunktion& wert);

// Names of the three cost labels of the ration window, in display order:
// "lblFutterkostenAnzeige" (€/Tag), "lblFutterkostenMilchAnzeige" (€ je kg
// Milch), "lblEinkommenAnzeige" (Einkommen über Futterkosten €/Tag).
const QStringList& KostenAnzeigenNamen();
// Their captions, in the same order, as the window and the report show them.
const QStringList& KostenBeschriftungen();

// The texts of the three labels: two decimals; "unvollständig" with the
// feeds without price in the tool tip; cost per kg milk empty without milk;
// income empty without a milk price.
struct KostenTexte {
    QString jeTag, jeKgMilch, einkommen, tipp;
};
KostenTexte KostenTexteBilden(const Futterkosten& kosten, double milchKg, std::optional<double> milchpreis);

} // namespace kelvora
