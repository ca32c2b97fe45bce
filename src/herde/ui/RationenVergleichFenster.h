#pragma once
// "Rationen vergleichen": 2 to 6 stored rations side by side, each evaluated
// with its own animal inputs by the ration window's evaluation. The user
// ticks the rations in the list on the left; the table shows every figure
// with its colour, supply, requirement and difference, feed cost and income.

#include "herde/Vergleichstabelle.h"

#include "herde/ui/HerdenListenfenster.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace kelvora {

class Hauptrahmen;
class VersorgungsDiagramm;

class RationenVergleichFenster : public HerdenListenfenster {
    Q_OBJECT
public:
    explicit RationenVergleichFenster(Hauptrahmen* haupt, QWidget* parent = nullptr);
    ~RationenVergleichFenster() override;

    // Reads the stored names again (ticks kept, new rations unticked) and
    // compares the ticked ones.
    void Aktualisieren() override;
    // The print preview of the comparison shown.
    void Drucken() override;

private:
    void Aufbauen();
    void Laden();
    void Vergleichen();
    void TabelleZeigen(const Vergleichstabelle& tabelle);

    Hauptrahmen* haupt = nullptr;
    QListWidget* lstRationen = nullptr;
    QTableWidget* tblVergleich = nullptr;
    VersorgungsDiagramm* diagramm = nullptr;
    QLabel* lblHinweis = nullptr;
    QPushButton* cmdDrucken = nullptr;
    bool fuellt = false;
    Vergleichstabelle tabelle; // what the table shows, for printing
};

} // namespace kelvora
