#include "ration/ui/VersorgungsDiagramm.h"

#include "frame/ui/Farbwert.h"
#include "grundlagen/Formate.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QHorizontalStackedBarSeries>
#include <QLineSeries>
#include <QMap>
#include <QValueAxis>
#include <algorithm>

namespace kelvora {

namespace {

// Bars beyond this are cut: a dry cow's 300 % energy would squeeze every
// other bar into a sliver.
constexpr double ProzentHoechstens = 200;

} // namespace

QList<DiagrammBalken> DiagrammBalkenAus(const QList<DiagrammGruppe>& gruppen)
{
    QList<DiagrammBalken> balken;
    const qsizetype zahl = gruppen.isEmpty() ? 0 : gruppen.first().balken.size();
    for (qsizetype i = 0; i < zahl; ++i)
        for (const DiagrammGruppe& g : gruppen) {
            const Versorgungsbalken& b = g.balken.value(i);
            DiagrammBalken d;
            d.prozent = b.prozent.value_or(0);
            d.farbe = b.farbe;
            d.beschriftung = b.name + (g.name.isEmpty() ? QString() : QLatin1Char(' ') + g.name)
                + QLatin1Char(' ')
                + (b.prozent ? Formatieren(*b.prozent, QStringLiteral("##0")) + QStringLiteral(" %") : QStringLiteral("–"));
            balken.append(d);
        }
    return balken;
}

VersorgungsDiagramm::VersorgungsDiagramm(QWidget* parent)
    : QChartView(parent)
{
    setObjectName(QStringLiteral("VersorgungsDiagramm"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(160);
}

void VersorgungsDiagramm::Setzen(const QList<DiagrammGruppe>& neu)
{
    gruppen = neu;
    balken = DiagrammBalkenAus(gruppen);
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    // The chart draws categories from the bottom up; the list reads from the
    // top down.
    QList<DiagrammBalken> folge = balken;
    std::reverse(folge.begin(), folge.end());
    QStringList namen;
    for (const DiagrammBalken& b : folge)
        namen << b.beschriftung;
    // One stacked set per colour, holding only the bars of that colour: the
    // one way to give each bar of a series its own colour.
    QMap<qint64, QBarSet*> saetze;
    auto* reihe = new QHorizontalStackedBarSeries;
    for (qsizetype i = 0; i < folge.size(); ++i) {
        QBarSet*& satz = saetze[folge[i].farbe];
        if (!satz) {
            satz = new QBarSet(QString::number(folge[i].farbe));
            satz->setColor(folge[i].farbe == 0 ? QColor(Qt::lightGray) : FarbeAusWert(folge[i].farbe));
            satz->setBorderColor(Qt::darkGray);
            for (qsizetype j = 0; j < folge.size(); ++j)
                satz->append(0);
            reihe->append(satz);
        }
        satz->replace(i, std::min(folge[i].prozent, ProzentHoechstens));
    }
    reihe->setBarWidth(0.7);
    chart->addSeries(reihe);
    auto* kategorien = new QBarCategoryAxis;
    kategorien->append(namen);
    QFont schrift = kategorien->labelsFont();
    schrift.setPointSizeF(schrift.pointSizeF() * 0.9);
    kategorien->setLabelsFont(schrift);
    auto* prozent = new QValueAxis;
    prozent->setRange(0, ProzentHoechstens);
    prozent->setTickCount(5);
    prozent->setLabelFormat(QStringLiteral("%d %"));
    chart->addAxis(kategorien, Qt::AlignLeft);
    chart->addAxis(prozent, Qt::AlignBottom);
    reihe->attachAxis(kategorien);
    reihe->attachAxis(prozent);

    // The 100 % line across all bars, on an axis of its own that spans them.
    auto* linie = new QLineSeries;
    linie->append(100, 0);
    linie->append(100, 1);
    linie->setPen(QPen(Qt::black, 2, Qt::DashLine));
    chart->addSeries(linie);
    auto* hoehe = new QValueAxis;
    hoehe->setRange(0, 1);
    hoehe->setVisible(false);
    chart->addAxis(hoehe, Qt::AlignRight);
    linie->attachAxis(prozent);
    linie->attachAxis(hoehe);

    QChart* alt = this->chart();
    setChart(chart);
    delete alt;
}

} // namespace kelvora
