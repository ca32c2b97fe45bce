#pragma once
// What the support window keeps: the user's identity lines (printed in page
// headers and written into shared feed files) and the sender of messages to
// the author; the remote-maintenance program support asks the user to start.

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

// The remote-maintenance program: key "Fernwartung" of section "Programm",
// without enclosing quotes; empty when none is set (the support window then
// shows no button for it).
QString FernwartungEintrag();

// Starts that program on its own (it outlives Kelvora), without a shell and
// without arguments, in its own folder. A path without a folder is looked
// for in the data folder, then on the search path (PATH); any other
// relative path lies in the data folder. Returns "" when it was started,
// else the German reason: none set, not there, a folder, not executable,
// or refused by the system.
QString FernwartungStarten();

} // namespace kelvora
