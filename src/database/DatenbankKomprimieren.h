#pragma once
// Compaction of a database into a fresh file that replaces it.

#include <QString>

namespace kelvora {

// Writes a compacted copy "~tmp_" + name beside the database, moves the
// database aside as "old_" + name, puts the copy in its place and removes the
// old file. False when the file does not exist or any step fails; the
// database is then left as it was.
bool DatenbankKomprimieren(const QString& pfad);

} // namespace kelvora
