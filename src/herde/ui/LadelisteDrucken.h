#pragma once
// Paints the loading list on one A4 page in large type, to be read on the
// tractor: ration, date, head count, loads, then per feed its number, name,
// kg per load and the scale reading, and the total of one load. The
// window's print preview and the command line's PDF paint through it.

#include "herde/Ladeliste.h"

#include <QDate>

class QPagedPaintDevice;

namespace kelvora {

// False when the printer failed.
bool LadelisteDrucken(QPagedPaintDevice& geraet, const Ladeliste& liste, const QDate& tag);

// The suggested file name, e.g. "Ladeliste Hochleistung 06.12.2026.pdf".
QString LadelisteDateiname(const Ladeliste& liste, const QDate& tag);

} // namespace kelvora
