#pragma once
// The plausibility checks of the feed editor before a feed is stored. They
// ask through the message seam, so they run the same with and without a
// window, for a typed feed and for one taken over from the server.

#include "feeds/StammdatenMaske.h"

#include <QString>

namespace kelvora {

// Title of every plausibility message.
QString PruefungTitel(); // "Prüfung der Eingabe"
// The hint that follows a zero question and an out-of-range message.
QString PruefungHinweis();

// The longest name the editor's box takes.
inline constexpr qsizetype BezeichnungHoechstens = 100;

struct Pruefergebnis {
    bool bestanden = false;
    // objectName of the control that receives the focus when a check failed.
    QString fokus;
    // The field as the user knows it ("Rohprotein"), for a command's message.
    QString feld;
};

// Whether a value of 0 is asked about (the editor's "Speichern") or taken
// as it is (the first look at a feed taken over from the server, and a
// command told to accept it).
enum class Nullwerte { Fragen, Annehmen };

// Runs the checks in their fixed order: group, name (3 to 100 characters),
// dry matter, then every dry-matter box from crude protein to phosphorus,
// then the price. A box must hold a number the strict reader takes; a value
// below 0 or above the box's limit is refused. The first failing check
// shows its message and ends the run; a zero question answered with Yes
// goes on to the next check.
Pruefergebnis EingabePruefen(const Eingabemaske& maske, Nullwerte nullwerte = Nullwerte::Fragen);

} // namespace kelvora
