#pragma once
// Where the result window opens and how its openings are counted. The
// window has a size of its own that the user cannot change; only its place
// comes from the INI file.

#include "frame/FensterPosition.h"

#include <QString>

namespace kelvora {

QString ErgebnisFensterName();  // "ErgebnisFenster": window and INI section

// The fixed size of the window in twips.
inline constexpr double ErgebnisBreite = 8235;
inline constexpr double ErgebnisHoehe = 5220;

// Place and size from "Links", "Oben" (default 0) and "Breit" (default 5250,
// kept between 3500 and the main window's width less 500). A left edge
// beyond the main window moves back inside it by the stored width and 100
// twips; negative edges become 0. hauptBreite is in twips.
FensterRechteck ErgebnisFensterPosition(double hauptBreite);

// One more opening: the first one also notes its time in
// "AufrufZählerStart" ("dd.mm.yyyy hh:mm"). Returns the new count.
long ErgebnisFensterAufrufZaehlen();

} // namespace kelvora
