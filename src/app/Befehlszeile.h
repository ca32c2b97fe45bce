#pragma once
// The command line of the program.

#include <QString>
#include <QStringList>

namespace kelvora {

struct Befehlszeile {
    QString datenordner;  // empty: the default folder
    bool version = false;
    bool selbsttest = false;
    QString fehler;  // German message for a wrong command line
};

Befehlszeile BefehlszeileLesen(const QStringList& argumente);

// Chooses the data folder (command line, KELVORA_DATENORDNER, the folder of
// the executable, or the per-user folder when that one is not writable),
// creates it and installs the delivered database into a brand-new folder.
// Returns a German message when the folder cannot be used.
QString DatenordnerVorbereiten(const Befehlszeile& bz);

} // namespace kelvora
