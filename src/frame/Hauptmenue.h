#pragma once
// Start-up and menu rules of the main window that need no window: menu
// states from the settings, the safety-copy interval clicks, the identity
// lines and the maintainer mode.

#include <QString>
#include <optional>

namespace kelvora {

// Codes of the safety-copy interval items.
enum class Intervall { Monatlich = 0, Woechentlich = 1, Taeglich = 2 };

struct MenueZustaende {
    bool soundAnwenden = false;
    bool sprechblasen = true;
    std::optional<Intervall> intervall;     // nothing checked for an unknown code
    std::optional<bool> immerKomprimieren;  // unchanged for an unknown code
};

// Reads the menu states from the settings; a stored interval 0 is written
// back as "0".
MenueZustaende MenueZustaendeLesen();

// The item that is checked after a click on `geklickt`, given whether it was
// checked before; the new code is stored under "Intervall" in "Sichern".
Intervall IntervallGeklickt(Intervall geklickt, bool warMarkiert);

// Stores a toggled check mark as "1" or "0".
void SchalterSpeichern(const QString& abschnitt, const QString& schluessel, bool an);

// Identity lines: "kontakt.ini" in the program folder (in the data folder
// when the program folder has none) first; when either line is empty there,
// both come from the program's own settings. Sets programm().E1/E2.
void IdentitaetLesen();
QString KontaktIniPfad();

// Maintainer mode (sharing feeds with other users): on when the command
// line asks for it or key "Wartungsmodus" of section "Programm" is 1.
void WartungsmodusLesen(bool befehlszeile);


} // namespace kelvora
