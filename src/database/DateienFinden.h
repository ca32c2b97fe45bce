#pragma once
// File helpers used by the start-up rules of the databases and by every part
// that copies, renames or deletes files. Each one writes what it does to the
// log and reports success by its result; none of them throws.

#include <QDateTime>
#include <QString>

namespace kelvora {

// Copies quelle to ziel. The target folder must exist; an existing target is
// replaced only with ueberschreiben. neueMethode uses the operating system's
// copy, otherwise the file is copied block by block. True when the target
// exists afterwards with the size of the source.
bool DateiKopieren(const QString& quelle, const QString& ziel, bool meldungenZeigen = true, bool ueberschreiben = false,
    bool neueMethode = true);

// Renames (or, across folders, moves) quelle to ziel. True when ziel exists
// afterwards.
bool Umbenennen(const QString& quelle, const QString& ziel, bool ueberschreiben = false);

// Moves quelle to ziel by copy and delete, creating the target folder. When
// ziel exists and ueberschreiben is false the first free name "name(n).ext"
// (n = 1..99) is used; endgueltigesZiel reports the name written.
bool DateiVerschieben(
    const QString& quelle, const QString& ziel, bool ueberschreiben, QString* endgueltigesZiel = nullptr);

// Deletes a file and waits until it is gone. Never deletes an ".ini" of the
// data folder.
bool DateiLoeschen(const QString& pfad, int einruecken = 0);

// True when the file exists and can be read.
bool FileExists(const QString& pfad);
bool OrdnerExistiert(const QString& pfad);
// True when a file can be created in the folder (checked by creating one).
bool OrdnerSchreibbar(const QString& pfad);
// True when no other program holds the file (a missing file is free).
bool DateiFrei(const QString& pfad);

// A companion of a database: its path with the last three characters (the
// extension "mdb") replaced by endung ("BAK", "KOM"), found in any letter
// case like the database itself.
QString BegleiterPfad(const QString& datenbank, const QString& endung);

// Removes what SQLite keeps beside a database file (rollback journal, WAL
// and its index). Needed before another file takes the database's place:
// a journal left by a crash would otherwise be rolled back into the new
// file and destroy it. True when none of them is left.
[[nodiscard]] bool SqliteBegleiterLoeschen(const QString& datenbank);

// The last-write time of a file; a missing file gives date 0
// (30.12.1899 00:00), which is older than every real file.
QDateTime Dateizeit(const QString& pfad);
QDateTime DateizeitFehlend();

} // namespace kelvora
