// Feed costs in the ration window: the milk price box, the three cost
// figures and the command that lets the program find the least-cost amounts
// of the free feeds. The costs come with every evaluation; the optimisation
// works on table Ration and is followed by an evaluation like a balancing.

#include "database/DatenbankRoutinen.h"
#include "frame/Oberflaeche.h"
#include "ration/Eingabegrenzen.h"
#include "ration/Futterkosten.h"
#include "ration/Optimierung.h"
#include "ration/RationAuswerten.h"
#include "ration/ui/RationGfEBlock.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kelvora {

QWidget* RationTierErstellenFenster::KostenAufbauen()
{
    auto* feld = new QWidget(this);
    auto* raster = new QGridLayout(feld);
    raster->setContentsMargins(0, 0, 0, 0);
    raster->setHorizontalSpacing(6);
    const QStringList& namen = KostenAnzeigenNamen();
    // In one row: the figure column would otherwise widen the window.
    for (int i = 0; i < 3; ++i)
        Kennzahl(raster, 0, 2 * i, namen[i], KostenBeschriftungen()[i], QStringLiteral("unvollständig"));
    raster->setColumnStretch(6, 1);
    return feld;
}

void RationTierErstellenFenster::MilchpreisUebernehmen()
{
    if (TiereingabePruefen(txtMilchpreis))
        DrueckenWennBereit(cmdNeuBerechnen);
}

void RationTierErstellenFenster::KostenguenstigOptimieren()
{
    // A few milliseconds: no hourglass, which would also stand over a refusal.
    const OptimierungsErgebnis e = RationOptimieren(AktuelleTiereingaben(), PfadHolen(QStringLiteral("Futter")),
                                                    gfeBlock->NachGfE());
    if (e != OptimierungsErgebnis::Optimiert)
        return;
    RationAuswerten();
    // Until the ration changes again, the window says what the optimum
    // does not look at.
    lblOptimierungHinweis->show();
}

} // namespace kelvora
