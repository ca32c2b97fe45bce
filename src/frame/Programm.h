#pragma once
// Program-wide values fixed at start-up and read by every part of the program.

#include <QDate>
#include <QString>

namespace kelvora {

struct Programmwerte {
    QString datenordner;       // without trailing separator
    QString programmOrdner;    // empty: the folder of the running executable
    QString iniPfad;           // datenordner + "/KELVORA.INI"
    QString futterDatenbank;   // datenordner + "/Futter.mdb"
    QString druckerName;       // device name of the default printer
    QString systemOrdner;      // followed by a separator, empty when unknown
    QString E1;                // identity line 1 (name)
    QString E2;                // identity line 2 (address)
    bool wartungsmodus = false;
    long ZiehFutterID = 0;     // feed being dragged
    bool listeOffen = false;   // the feed list window is open
    bool programmEndet = false; // windows close without questions
};

Programmwerte& programm();

// MIME type of a dragged feed (its number as text).
inline constexpr char FutterMimeTyp[] = "application/x-kelvora-futterid";

// Sets data folder, INI path and feed database path from one folder; an INI
// file or database that is there under another letter case keeps its name.
void DatenordnerSetzen(const QString& ordner);

// datenordner + separator + name.
QString ImDatenordner(const QString& name);

// The folder of the program (read-only files delivered with it).
QString Programmordner();

// The file name in ordner, found without regard to letter case: a data
// folder copied from Windows may hold "futter.mdb" or "Kelvora.ini". The
// exact spelling wins, otherwise the first match in name order; without a
// match ordner + separator + name, the name the program creates.
QString DateiImOrdner(const QString& ordner, const QString& name);

// The version date, serial 42139.
constexpr long VersionsDatumSerial = 42139;
QDate Versionsdatum();
QString Programmname();   // "Kelvora"
QString Programmtitel();  // "Kelvora     Version 15.05.2015"

// Support address for "E-Mail an den Programmierer"; KELVORA_SUPPORTADRESSE
// in the environment overrides the built-in one.
QString SupportAdresse();

} // namespace kelvora
