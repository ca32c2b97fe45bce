#pragma once
// The animal inputs of the ration window: weight class, milk yield and milk
// fat, kept between runs in the window's section of the INI file.

#include <QList>
#include <QString>

namespace kelvora {

// "3,40": milk protein % where nothing is stored.
QString VorgabeEiweiss();

// Section of the INI file that keeps the inputs (also the window's name).
QString RationFensterName();  // "RationTierErstellenFenster"

struct Gewichtsklasse {
    QString text;  // "450-500"
    long nummer;   // 500: the weight the requirement tables use
};

// The seven classes in the order of the drop-down list.
const QList<Gewichtsklasse>& Gewichtsklassen();

// Index of the class whose number equals gewicht, searching from the last
// class towards the first. A weight that matches no class selects the class
// of the default weight 650, so the evaluation always has a weight.
int GewichtsklasseIndex(long gewicht);

struct Tiereingaben {
    long gewicht = 650;
    QString milch;  // the text of the milk box
    QString fett;   // the text of the fat box
    QString eiweiss;  // the text of the milk protein box; empty: keep what is stored
    QString milchpreis;  // the text of the milk price box, € per kg
};

// Reads "Gewicht" (default "650"), "Milch" ("40,0"), "Fett" ("4,00"),
// "Eiweiss" ("3,40") and "Milchpreis" ("0,45").
Tiereingaben TiereingabenLesen();
// The same for the ration window, which cannot refuse to open: a stored milk
// or fat text that is no number inside its input limits (written by hand,
// or by an older version that took letters as 0) gives way to the default.
Tiereingaben TiereingabenFuerFenster();
// Writes the keys in one write (Eiweiss only when given); false (told in the status line and
// the error log) when KELVORA.INI could not be written.
bool TiereingabenSpeichern(const Tiereingaben& eingaben);

} // namespace kelvora
