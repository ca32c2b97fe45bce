#pragma once
// Compaction of a database into a fresh file that replaces it.

#include <QString>

namespace kelvora {

// Writes a compacted copy "~tmp_" + name beside the database, moves the
// database aside as "old_" + name, puts the copy in its place and removes the
// old file. False when the file does not exist or any step fails; the
// database is then left as it was.
[[nodiscard]] bool DatenbankKomprimieren(const QString& pfad);

// Compacts the database once per program run when the settings ask for it:
// "Komprimieren" = 1 of section "Sichern" at every start, otherwise when the
// last compaction ("LetzteKomprimierung") lies an interval back ("Intervall":
// 0 a month, 1 a week, 2 a day; the interval of a database never compacted
// starts with the first call). Only while no connection of this program is
// open, no other program holds the file and no journal waits for recovery;
// a compaction that fails leaves the database as it was and is only logged.
// True when it compacted.
bool KomprimierenWennFaellig(const QString& pfad);

} // namespace kelvora
