#pragma once
// What the support window keeps: the user's identity lines (printed in page
// headers and written into shared feed files) and the sender of messages to
// the author.

#include <QString>

namespace kelvora {

struct SupportAngaben {
    QString name; // identity line 1, "E1" of section "Programm"
    QString adresse; // identity line 2, "E2"
    QString absenderName;
    QString absenderEmail;
    QString absenderAdresse;
};

// As stored in KELVORA.INI (the identity lines of the program's own file,
// not of kontakt.ini).
SupportAngaben SupportAngabenLesen();

// Writes every field, then reads the identity lines anew so that printing
// uses them at once. Returns a German message when a text cannot be stored
// or the settings file cannot be written; nothing is reported as saved then.
[[nodiscard]] QString SupportAngabenSpeichern(const SupportAngaben& a);

// True when kontakt.ini fixes both identity lines, so that the lines
// entered here are not used.
bool IdentitaetAusKontaktIni();

// The body of a message to the author: the text, then the sender and where
// the program keeps its files, so that support can answer and help.
QString NachrichtAnDenAutor(const SupportAngaben& a, const QString& text);

} // namespace kelvora
