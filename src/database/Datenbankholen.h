#pragma once
// Start-up checks of a database against its companions: a newer ".KOM" or
// ".BAK" replaces an older or missing database, a missing database comes back
// from the safety-copy folder, and without any database the program ends.

#include <QString>

namespace kelvora {

// Checks the database kurzname + ".mdb" of the data folder and returns its
// path in pfad. False only when no database could be put in place; the
// program has then been told to end.
bool Datenbankholen(const QString& kurzname, QString& pfad);

// The safety-copy folder: "OrdnerSicherungskopien" of section "Daten", by
// default the data folder + "/Sicherung".
QString SicherungsOrdner();

} // namespace kelvora
