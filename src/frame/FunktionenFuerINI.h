#pragma once
// Settings in KELVORA.INI: written and read value by value, nothing cached.

#include <QString>

namespace kelvora {

void INISpeichern(const QString& abschnitt, const QString& schluessel, const QString& wert,
                  bool keinProtokoll = false, int einruecken = 0);
QString INILesen(const QString& abschnitt, const QString& schluessel, const QString& vorgabe = QString());
double INILesenZahl(const QString& abschnitt, const QString& schluessel, long vorgabe = 0);
QString INILesenAusDatei(const QString& abschnitt, const QString& schluessel, const QString& vorgabe,
                         const QString& dateiPfad);

} // namespace kelvora
