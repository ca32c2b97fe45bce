#pragma once
// What the supply chart shows, taken from an evaluation: the supply of
// energy, crude protein, calcium and phosphorus in % of the requirement,
// dry matter in % of "kg TM max." and NDF in % of "g NDF max.", each with
// the colour of its light. Plain numbers; the chart only draws them.

#include "ration/RationAuswerten.h"

#include <QList>
#include <QString>
#include <optional>

namespace kelvora {

struct Versorgungsbalken {
    QString name; // "NEL", "Rohprotein", "Ca", "P", "TM", "NDF"
    // In % of the requirement or the limit; none when there is nothing to
    // divide by (a weight class without requirement, no "kg TM max.").
    std::optional<double> prozent;
    double ist = 0; // what the ration supplies (MJ, g, kg)
    double bezug = 0; // requirement or limit in the same unit
    QString einheit;
    // Window-system colour of the light: NEL and crude protein as their
    // supply message (green when it is hidden), Ca and P light red when the
    // ration falls short (as the result window marks them), green
    // otherwise; dry matter and NDF as their labels. 0: not judged.
    qint64 farbe = 0;
};

// The six bars in the order above. An evaluation that was stopped or had no
// dry matter gives no bars.
QList<Versorgungsbalken> VersorgungsbalkenAus(const Auswertung& auswertung);

} // namespace kelvora
