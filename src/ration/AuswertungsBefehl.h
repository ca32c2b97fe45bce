#pragma once
// "kelvora auswerten": the ration evaluation without a screen, for advisers
// who script and for checking figures. Prints the same texts the ration
// window shows, tab-separated.

#include <QStringList>
#include <QTextStream>

namespace kelvora {

// argumente are the words after "auswerten":
//   [--datenordner DIR] [--gewicht N] [--milch X] [--fett Y]
// (each also as --name=value). Missing animal inputs come from section
// "RationTierErstellenFenster" of KELVORA.INI with the window's defaults;
// without --datenordner the data folder is KELVORA_DATENORDNER or the
// folder of the executable, as for the program.
// Output on aus: one line per list line (columns 1 to 12 as displayed, then
// the row ID), an empty line, one line per figure label (name, text,
// background colour value or empty). Messages go to fehler.
// Returns 0 on success, 2 for wrong options, 1 when the database is missing
// or cannot be evaluated. Needs a QCoreApplication, no widgets.
int AuswertenBefehl(const QStringList& argumente, QTextStream& aus, QTextStream& fehler);

} // namespace kelvora
