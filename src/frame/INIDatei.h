#pragma once
// A private-profile file with the behaviour of the Windows functions:
// sections and keys compared without regard to case, Windows-1252 text with
// CR LF line ends, every other line of the file kept as it stands, the file
// and the section created on the first write.

#include <QString>

namespace kelvora::ini {

// The value of key in section, or vorgabe when file, section or key is
// missing; at most maxZeichen characters (the rest is cut). Surrounding blanks
// and one pair of enclosing quotes are removed as the Windows function does.
QString Lesen(const QString& datei, const QString& abschnitt, const QString& schluessel,
              const QString& vorgabe, int maxZeichen = 100);

// Writes key = value; false when the file cannot be written.
bool Schreiben(const QString& datei, const QString& abschnitt, const QString& schluessel, const QString& wert);

} // namespace kelvora::ini
