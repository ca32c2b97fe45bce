#pragma once
// The supply chart: horizontal bars of what a ration supplies in % of the
// requirement (NEL, crude protein, Ca, P) and of the limits (dry matter of
// "kg TM max.", NDF of "g NDF max."), each in the colour of its light, with
// a line at 100 %. Several rations (or plan and loaded) as groups of bars.
// It draws what VersorgungsbalkenAus gives; it computes nothing itself.

#include "ration/Versorgungsbalken.h"

#include <QChartView>
#include <QList>
#include <QString>

namespace kelvora {

struct DiagrammGruppe {
    QString name; // empty for a single ration
    QList<Versorgungsbalken> balken;
};

// One category of the chart: its label and bar, as drawn.
struct DiagrammBalken {
    QString beschriftung; // "NEL 94 %", "NEL Plan 94 %"
    double prozent = 0;
    qint64 farbe = 0;
};

// The bars in drawing order (top to bottom): per figure, one bar per group.
QList<DiagrammBalken> DiagrammBalkenAus(const QList<DiagrammGruppe>& gruppen);

class VersorgungsDiagramm : public QChartView {
    Q_OBJECT
public:
    explicit VersorgungsDiagramm(QWidget* parent = nullptr);

    void Setzen(const QList<DiagrammGruppe>& gruppen);
    const QList<DiagrammBalken>& Balken() const { return balken; }
    const QList<DiagrammGruppe>& Gruppen() const { return gruppen; }

private:
    QList<DiagrammGruppe> gruppen; // as given, for the printed report
    QList<DiagrammBalken> balken;
};

} // namespace kelvora
