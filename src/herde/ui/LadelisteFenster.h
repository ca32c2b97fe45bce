#pragma once
// The window "Ladeliste": the mixer wagon's loading list of a stored
// ration (head count, reserve, loads or the mixer's capacity), the loading
// order changed with "Nach oben"/"Nach unten" or Ctrl+Up/Down and stored at
// once, the column "geladen kg" for what really went in, and beside it the
// supply chart of the plan and of what was loaded, with the lights that
// changed. Everything it shows comes from herde/Ladeliste.h.

#include "herde/Ladeliste.h"

#include <QHash>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace kelvora {

class VersorgungsDiagramm;

class LadelisteFenster : public QWidget {
    Q_OBJECT
public:
    explicit LadelisteFenster(QWidget* parent = nullptr);

    // Fills the drop-down with the stored rations and shows the list of the
    // first (or the one of that name).
    void Laden(const QString& name = QString());
    // Moves the selected feed one place up (-1) or down (+1) and stores the
    // new order.
    void Verschieben(int richtung);
    void Drucken();
    // The evaluation of what was loaded as the ration report prints it.
    void GeladenesDrucken();

    const LadelisteErgebnis& Ergebnis() const { return ergebnis; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Aufbauen();
    // Reads the inputs and shows the list; false when an input is wrong
    // (its message shown in the window) or the list could not be read.
    bool Neu();
    void Zeigen();
    void GeladenGeaendert();

    QComboBox* ration = nullptr;
    QLineEdit* tiere = nullptr;
    QLineEdit* reserve = nullptr;
    QRadioButton* nachLadungen = nullptr;
    QLineEdit* ladungen = nullptr;
    QLineEdit* fassung = nullptr;
    QTableWidget* tabelle = nullptr;
    QLabel* meldung = nullptr;
    QLabel* summe = nullptr;
    QLabel* wechsel = nullptr;
    VersorgungsDiagramm* diagramm = nullptr;
    LadelisteErgebnis ergebnis;
    // What the user typed as loaded, by row of RationenInhalt: it moves with
    // its feed when the order changes.
    QHash<long, QString> geladenTexte;
    bool fuellen = false;
    bool angezeigt = false;
};

} // namespace kelvora
