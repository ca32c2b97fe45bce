#pragma once
// The result window: the figures of the ration after the NDF balancing and
// after the dry-matter balancing side by side against the targets, each
// with its deviation. It holds no data of its own; the evaluation writes
// every figure into it as text and the deviations follow from what it shows.

#include "ration/RationAuswerten.h"
#include "ration/RationBericht.h"

#include <QWidget>
#include <array>

class QLabel;

namespace kelvora {

class Hauptrahmen;

class ErgebnisFenster : public QWidget {
    Q_OBJECT
public:
    // With a main window the result window places itself in its work area.
    explicit ErgebnisFenster(Hauptrahmen* haupt, QWidget* parent = nullptr);
    ~ErgebnisFenster() override;

    // The "Ist" column of a balancing: "NDF" or "TM". The four amounts are
    // always written, the five shares only with anteile.
    void IstSchreiben(const QString& spalte, const ErgebnisSpalte& ist, bool anteile);
    // The four requirements of "Soll"; the targets of the shares stay.
    void SollSchreiben(const ErgebnisSpalte& soll);
    // The eighteen deviation cells of both balancings, from the shown texts.
    void AbweichungenNeuBerechnen();

    // The table as it is shown; a hidden deviation is empty.
    ErgebnisTabelle Tabelle() const;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    struct Spalte {
        std::array<QLabel*, ErgZeilen> ist{};
        std::array<QLabel*, ErgZeilen> abweichung{};
    };

    void Aufbauen();
    void Laden();
    Spalte* SpalteFuer(const QString& name);

    Hauptrahmen* haupt = nullptr;
    std::array<QLabel*, ErgZeilen> soll{};
    Spalte ndf;
    Spalte tma;
    bool angezeigt = false;  // set by the first resize: only a displayed window stores its place
};

// The result window of the main window's work area, created on first use,
// in the minimised state in which every evaluation leaves it. nullptr
// without a main window.
ErgebnisFenster* ErgebnisFensterMinimiert(Hauptrahmen* haupt);

} // namespace kelvora
