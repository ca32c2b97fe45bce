#pragma once
// Paints the comparison of stored rations and the herd overview for the
// print preview (paper or PDF), with the program's page frame.

#include "herde/Herde.h"
#include "herde/Vergleichstabelle.h"

class QPagedPaintDevice;

namespace kelvora {

// Landscape: one column per ration, every cell with its text and, for a
// checked figure, a coloured box and the word "im Bereich" or "außerhalb",
// so that a black-and-white print still shows the state. Page breaks repeat
// the header row.
bool VergleichDrucken(QPagedPaintDevice& geraet, const Vergleichstabelle& tabelle);

// Portrait: the groups, the free feeds not yet balanced, then the feeds.
bool HerdeDrucken(QPagedPaintDevice& geraet, const Herde& herde);

} // namespace kelvora
