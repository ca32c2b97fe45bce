// Printing the ration window's list: the report shows the list exactly as
// it is on screen, the animal inputs and figures as the window shows them,
// and the result window's comparison when both balancings have run.

#include "frame/Oberflaeche.h"
#include "frame/ui/Hauptrahmen.h"
#include "printing/ui/DruckVorschau.h"
#include "printing/ui/FunktionenDrucker.h"
#include "ration/Eingabegrenzen.h"
#include "ration/RationBericht.h"
#include "ration/RationErgebnisPosition.h"
#include "ration/ui/ErgebnisFenster.h"
#include "ration/ui/RationBerichtDrucken.h"
#include "ration/ui/RationTierErstellenFenster.h"
#include "ration/ui/VersorgungsDiagramm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace kelvora {

void RationTierErstellenFenster::Drucken()
{
    DruckListe liste = ListeAusAnsicht(lvwListe);
    if (!ListeDruckbar(liste))
        return;
    // The columns as the command line's report has them, whatever the
    // window's width: both print the same page.
    const QList<RationListenSpalte>& spalten = RationListenSpalten();
    for (qsizetype i = 0; i < liste.spalten.size() && i < spalten.size(); ++i)
        if (liste.spalten[i].breite > 0)
            liste.spalten[i].breite = spalten[i].anteil;

    std::optional<ErgebnisTabelle> ergebnis;
    if (TMAusgeglichen && NDFAusgeglichen && haupt) {
        if (auto* fenster = qobject_cast<ErgebnisFenster*>(haupt->OffenesFenster(ErgebnisFensterName())))
            ergebnis = fenster->Tabelle();
    }
    const BerichtTier tier { Gewicht->currentText(), txtMilch->text(), txtFett->text(),
        BerichtMilchpreis(ZahlPruefen(MilchpreisGrenze(), txtMilchpreis->text()).wert) };
    RationBericht bericht = RationBerichtErstellen(std::move(liste), tier, angezeigt, ergebnis);
    bericht.balken = diagramm->Gruppen().value(0).balken;

    DruckvorschauZeigen(this, QStringLiteral("Ration drucken"), RationBerichtDateiname(ui().Jetzt().date()), true,
        [&bericht](QPagedPaintDevice& geraet) { return RationBerichtDrucken(geraet, bericht); });
}

} // namespace kelvora
