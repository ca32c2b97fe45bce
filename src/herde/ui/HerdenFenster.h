#pragma once
// "Herde": every stored ration with head count as a group; per group head
// count, kg fresh matter, feed cost and income over feed cost per day, per
// feed what the herd eats and costs per day and per 30 days, with totals.

#include "herde/Herde.h"

#include "herde/ui/HerdenListenfenster.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kelvora {

class Hauptrahmen;

class HerdenFenster : public HerdenListenfenster {
    Q_OBJECT
public:
    explicit HerdenFenster(Hauptrahmen* haupt, QWidget* parent = nullptr);
    ~HerdenFenster() override;

    // Adds the herd up again from the stored rations.
    void Aktualisieren() override;
    // The print preview of the herd shown.
    void Drucken() override;

private:
    void Aufbauen();
    void Laden();

    Hauptrahmen* haupt = nullptr;
    QTableWidget* tblGruppen = nullptr;
    QTableWidget* tblFutter = nullptr;
    QLabel* lblNichtAusgeglichen = nullptr;
    QPushButton* cmdDrucken = nullptr;
    Herde herde; // what the tables show, for printing
};

} // namespace kelvora
