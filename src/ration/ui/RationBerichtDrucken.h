#pragma once
// Paints the ration report: the ration list on as many pages as it needs,
// then the overview page. The window's print preview and the command line's
// PDF both paint through this one function.

#include "ration/RationBericht.h"

class QPagedPaintDevice;

namespace kelvora {

// False when the list was refused (empty, no columns; the message has been
// shown) or the printer failed.
bool RationBerichtDrucken(QPagedPaintDevice& geraet, const RationBericht& bericht);

} // namespace kelvora
