#pragma once
// The plausibility checks of the feed editor before a feed is stored. They
// ask through the message seam, so they run the same with and without a
// window.

#include "feeds/StammdatenMaske.h"

#include <QString>

namespace kelvora {

// Title of every plausibility message.
QString PruefungTitel(); // "Prüfung der Eingabe"
// The hint that follows a zero question and an out-of-range message.
QString PruefungHinweis();

struct Pruefergebnis {
    bool bestanden = false;
    // objectName of the control that receives the focus when a check failed.
    QString fokus;
};

// Runs the checks in their fixed order: group, name, dry matter, then every
// dry-matter box from crude protein to phosphorus. The first failing check
// shows its message and ends the run; a zero question answered with Yes goes
// on to the next check.
Pruefergebnis EingabePruefen(const Eingabemaske& maske);

} // namespace kelvora
