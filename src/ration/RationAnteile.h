#pragma once
// The shares of the free feeds are meant to add up to 100 %. After an amount
// has been taken over the program offers to restore that sum, either by
// scaling the other free feeds around the one just edited or by scaling all
// of them alike. This is the arithmetic of those offers.

#include "ration/RationTabelle.h"

#include <QList>

namespace kelvora {

struct FreieAnteile {
    int anzahl = 0;     // free rows
    double summe = 0;   // S, the sum of their shares
};

FreieAnteile FreieAnteileZaehlen(const QList<RationZeile>& zeilen);

// True when no question is needed: no free row, or the shares make 100 %
// to the two decimals the shares are shown with, so that shares scaled
// before (41,666... + 25 + 33,333...) and a share taken over as shown
// count as the 100 % they are.
bool AnteileVollstaendig(const FreieAnteile& frei);

// A new share for one row.
struct NeuerAnteil {
    long id = 0;
    double prozentAnteil = 0;
    bool operator==(const NeuerAnteil&) const = default;
};

// Every free row except the one of `futterID` gets share × (100 − C) / (S − C),
// C being the share of that feed's row when it is free (else 0). Empty when
// S − C is 0: the other shares are all 0 and there is nothing to scale.
QList<NeuerAnteil> AndereFreieAnpassen(const QList<RationZeile>& zeilen, long futterID);

// Every free row gets share × 100 / S. Empty when S is 0.
QList<NeuerAnteil> AlleFreienAnpassen(const QList<RationZeile>& zeilen);

} // namespace kelvora
