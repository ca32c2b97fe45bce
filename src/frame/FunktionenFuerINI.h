#pragma once
// Settings in KELVORA.INI: written and read value by value, nothing cached.

#include "frame/INIDatei.h"

#include <QString>

namespace kelvora {

// Writes one value. A write that fails (full disk, read-only file or
// folder) leaves the file as it was, writes the reason into the error log
// and shows it in the red status line; the result says whether the value is
// on disk, for callers that must not go on as if it were.
bool INISpeichern(const QString& abschnitt, const QString& schluessel, const QString& wert,
                  bool keinProtokoll = false, int einruecken = 0);
// Several values of one section in one write: all of them or none.
[[nodiscard]] bool INISpeichernMehrere(const QString& abschnitt, const QList<ini::Eintrag>& eintraege,
                                       bool keinProtokoll = false, int einruecken = 0);
// What a failed write leaves: the error-log line (section, keys, values,
// path, reason) and the red status line.
void INIFehlerMelden(const QString& abschnitt, const QList<ini::Eintrag>& eintraege, const QString& grund,
                     int einruecken = 0);
QString INILesen(const QString& abschnitt, const QString& schluessel, const QString& vorgabe = QString());
// A number through the strict reader (grundlagen/ZahlText.h): 0 for a key
// without a value; vorgabe, with a line in the error log that names the key,
// for a value that is no number.
double INILesenZahl(const QString& abschnitt, const QString& schluessel, long vorgabe = 0);
QString INILesenAusDatei(const QString& abschnitt, const QString& schluessel, const QString& vorgabe,
                         const QString& dateiPfad);

} // namespace kelvora
