#pragma once
// "kelvora auswerten" and "kelvora ausgleichen": the ration evaluation and
// the two balancings without a screen, for advisers who script and for
// checking figures. Prints the same texts the ration window shows,
// tab-separated.

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

// "kelvora ausgleichen tm|ndf": argumente are the words after "ausgleichen",
// first the balancing, then the options of auswerten. Balances the stored
// ration with the maxima its evaluation shows, as the ration window does,
// and writes the balanced amounts into table Ration. Output: what auswerten
// prints, an empty line, then the result window's column of this balancing:
// a heading line and one line per row (caption, "Soll", "Ist", "Abweichung";
// a deviation the window hides stays empty). A message the window would show
// goes to fehler. Returns 3 when the balancing refused (nothing changed),
// otherwise as auswerten.
int AusgleichenBefehl(const QStringList& argumente, QTextStream& aus, QTextStream& fehler);

} // namespace kelvora
