#pragma once
// The delivered feed database: built at build time from the schema and the
// feed rows in data/, installed into a data folder that has never been used.

#include <QString>
#include <QStringList>

namespace kelvora {

// File name of the delivered database beside the executable.
inline constexpr char LieferDatenbankName[] = "Futter-Auslieferung.mdb";

// Builds a database from quellOrdner/schema.sql and every quellOrdner/*.csv
// (one file per table, named after the table in any case) into zielPfad. An
// existing zielPfad is replaced only when the new database is complete.
// fehler receives a German description when the result is false.
bool LieferDatenbankBauen(const QString& quellOrdner, const QString& zielPfad, QString* fehler = nullptr);

// Splits SQL text into its statements: ';' ends one, except inside quotes,
// brackets and comments; comments are dropped, blank statements skipped.
QStringList SqlAnweisungen(const QString& text);

// The folder that holds the delivered database: the folder of the running
// executable, where the build and an installation put it, unless
// LieferOrdnerSetzen named another one (test programs live elsewhere).
QString LieferOrdner();
void LieferOrdnerSetzen(const QString& ordner);

// Copies ausfuehrungsOrdner/Futter-Auslieferung.mdb as Futter.mdb into the
// data folder when that folder holds no trace of the user's data: neither
// Futter.mdb, Futter.BAK nor Futter.KOM is there (in any letter case), and
// the safety-copy folder holds no copy Futter*.mdb. Settings and logs are no
// such trace: a folder prepared with a KELVORA.INI alone is set up as well.
// A folder with the user's data is left alone: the user's backup wins.
// Creates the data folder when missing. True when the database was
// installed.
bool DatenordnerEinrichten(const QString& ausfuehrungsOrdner);

} // namespace kelvora
