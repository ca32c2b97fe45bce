#pragma once
// How the conversions at the bottom of the program report a value they
// cannot use. They know neither the log nor the message boxes nor the
// settings file; the frame installs the one handler that does (see
// Oberflaeche.cpp), and until then a report goes to stderr.

#include <QString>

namespace kelvora {

struct Stoerung {
    QString protokoll;             // the error-log line
    QString meldung;               // the message for the user; empty: none
    QString titel;                 // the message's title; empty: the program's
    bool kritisch = true;          // critical sign, otherwise the information sign
    bool reparaturVormerken = false; // the databases are repaired at the next start
};

using StoerungsMelder = void (*)(const Stoerung&);

void StoerungMelden(const Stoerung& s);
// Installs the handler; nullptr restores the stderr fallback.
void StoerungsMelderSetzen(StoerungsMelder melder);

} // namespace kelvora
